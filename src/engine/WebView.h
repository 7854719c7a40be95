#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/PagePictures.h"
#include "filter/Decision.h"

class wxImage;
class wxWindow;

namespace engine {

// What the web view tells its window. The window decides; the view only reports.
struct WebViewEvents {
    // A navigation is about to start; setting `cancel` refuses it. `kind` says whether it is the
    // page's, a frame's, or either, where the engine cannot tell before it starts.
    std::function<void(const std::string& url, filter::Kind kind, bool& cancel)> beforeNavigate;
    // The engine's page process refused a page by itself, before anything of it was sent.
    std::function<void(const std::string& url)> pageRefused;
    // The page could not be loaded: no such name, no connection, a bad certificate. Answers
    // whether the window shows a page of its own instead of the engine's error text.
    std::function<bool(const std::string& url)> loadFailed;
    std::function<void()> downloadComplete;  // the page finished loading, or failed to
    std::function<void()> navigateComplete;  // a page was reached
    std::function<void(const std::string& url)> newWindow;  // a page asked for a new window
    std::function<void()> contentGone;  // the engine lost what it showed (its process ended)
    // The HTML of one of the program's own pages (ProgramPages.h); empty when there is none.
    std::function<std::string(const std::string& url)> programPage;
};

// The embedded web view, behind a small interface so the windows can be tested with a fake.
class WebView {
public:
    virtual ~WebView() = default;

    virtual wxWindow* Control() = 0;
    virtual void SetEvents(WebViewEvents events) = 0;

    virtual void Navigate(const std::string& url) = 0;
    // Both report false, and do nothing, when there is no page to go to.
    virtual bool GoBack() = 0;
    virtual bool GoForward() = 0;
    virtual void Refresh() = 0;
    virtual void Stop() = 0;
    // Leaves the page for the empty one at once: stopped, and without the question "leave this
    // page?" its script may ask, so nothing of it runs on.
    virtual void Empty() = 0;
    virtual std::string LocationURL() const = 0;
    // Whether the page is still loading.
    virtual bool IsLoading() const = 0;
    // The addresses of the pages before the current one, the newest first.
    virtual std::vector<std::string> BackHistory() const = 0;
    // Whether the filter the engine was to load for every request of its pages is missing or
    // broken, so that pages would load unfiltered. Engines without one never report it.
    virtual bool RequestFilterMissing() const = 0;
    // The parent's settings the page process judges pages and frames by, where it judges them.
    virtual void UseFilterSettings(const filter::Settings& settings) = 0;

    // For the site buttons' pictures; each answers later, and never once the view is gone.
    // The pictures the page now shown declares of itself; none where the engine cannot ask.
    virtual void FindPagePictures(std::function<void(std::vector<PagePicture>)> found) = 0;
    // Fetches `url` as the engine's pages' requests go (its proxy, its cookies). Every address it
    // is about to ask for, `url` and each one a redirect leads to, is put to `mayFetch` first;
    // nothing when one is refused, the fetch fails or it brings more than `maxBytes`.
    virtual void Fetch(const std::string& url, std::size_t maxBytes,
                       std::function<bool(const std::string& hop)> mayFetch,
                       std::function<void(std::optional<std::string>)> done) = 0;
    // A picture of what the view shows; an empty image where the engine makes none.
    virtual void Snapshot(std::function<void(wxImage)> done) = 0;
};

// The blocked words every request of a view is checked against: the file looked at for a change,
// and how its lines are read (in a family install through the helper, the file being only a
// mark of the run that changes with the list).
struct WordSource {
    std::string file;
    filter::WordList::Reader read;
};

class WebViewFactory {
public:
    virtual ~WebViewFactory() = default;
    virtual std::unique_ptr<WebView> Create(wxWindow* parent, WordSource words) = 0;
};

}  // namespace engine
