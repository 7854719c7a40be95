#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/WebView.h"
#include "filter/Decision.h"

class wxWebView;

namespace engine {

// The ways out of the window that WebKitGTK offers besides the navigations it announces: new
// web views for window.open, the context menu, downloads, dropped links, the inspector and
// the print dialog.
class WebKitGtkHooks {
public:
    struct Calls {
        std::function<void(const std::string& url)> newWindow;    // a page asked for a window
        std::function<void()> contentGone;                        // the page process ended
        std::function<void(const std::string& url)> pageRefused;  // the page process refused it
        std::function<bool(const std::string& url)> loadFailed;   // true: shown another way
    };

    // Loads the program's filter into every page process the engine starts from now on, so that
    // no request whose address holds one of the `words` is ever sent. The words themselves go
    // to the page processes, which read no file of them.
    static void FilterEveryRequest(WordSource words);
    // Looks at the list and sends it to every page process when it changed.
    static void KeepWordsCurrent();
    // The list as last looked at; `version` changes whenever what was sent does.
    struct WordsNow {
        filter::ListState state = filter::ListState::Missing;
        const std::vector<std::string>& lines;
        unsigned long version = 0;
    };
    static WordsNow CurrentWords();
    // The parent's settings every page process judges the pages and frames it loads by.
    static void JudgeBy(const filter::Settings& settings);
    // Whether the filter that FilterEveryRequest loads is in `folder` and can be loaded: a page
    // process would start without it, unfiltered, and say so only on its own error output.
    static bool FilterLoadable(const std::string& folder);
    // The folder FilterEveryRequest loads the filter from: "webext" beside the program, or
    // beside the program folder given here.
    static std::string FilterFolder();
    static void FilterBeside(std::string programFolder);

    WebKitGtkHooks(wxWebView& view, Calls calls);
    ~WebKitGtkHooks();
    WebKitGtkHooks(const WebKitGtkHooks&) = delete;
    WebKitGtkHooks& operator=(const WebKitGtkHooks&) = delete;

    // The page now shown is left without the question "leave this page?" its script may ask:
    // the engine keeps such a question hidden in the view, and the page would run on.
    void LeaveWithoutAsking();

    struct State;  // opaque: the engine's types stay out of this header

private:
    State* state_;
};

}  // namespace engine
