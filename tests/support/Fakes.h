#pragma once

#include <wx/panel.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/WebView.h"
#include "platform/Platform.h"

namespace testsupport {

// A web view that records what it is asked to do and raises its events when a test says so.
class FakeWebView : public engine::WebView {
public:
    explicit FakeWebView(wxWindow* parent) : panel_(new wxPanel(parent)) {}

    wxWindow* Control() override { return panel_; }
    void SetEvents(engine::WebViewEvents events) override { events_ = std::move(events); }
    void Navigate(const std::string& url) override { calls.push_back("navigate " + Named(url)); }
    bool GoBack() override { return Step("back", backPages); }
    bool GoForward() override { return Step("forward", forwardPages); }
    void Refresh() override { calls.push_back("refresh"); }
    void Stop() override { calls.push_back("stop"); }
    void Empty() override { calls.push_back("empty"); }
    std::string LocationURL() const override { return location; }
    bool IsLoading() const override { return loading; }
    std::vector<std::string> BackHistory() const override { return history; }
    bool RequestFilterMissing() const override { return filterMissing; }
    void UseFilterSettings(const filter::Settings& given) override { settings = given; }
    // Asked and left unanswered; a test answers them itself.
    void FindPagePictures(std::function<void(std::vector<engine::PagePicture>)> found) override {
        pictureSearches.push_back(std::move(found));
    }
    void Fetch(const std::string& url, std::size_t, std::function<bool(const std::string&)>,
               std::function<void(std::optional<std::string>)> done) override {
        fetches.push_back({url, std::move(done)});
    }
    void Snapshot(std::function<void(wxImage)> done) override {
        snapshots.push_back(std::move(done));
    }

    // The view reached `url`.
    void Reach(const std::string& url) {
        location = Real(url);
        events_.navigateComplete();
    }
    // The view is about to navigate; returns whether the window refused it.
    bool Announce(const std::string& url, bool mainFrame = true) {
        bool cancel = false;
        events_.beforeNavigate(Real(url), mainFrame ? filter::Kind::TopLevel : filter::Kind::Frame,
                               cancel);
        return cancel;
    }
    // The program's pages open with a key fresh for each run: calls name it "KEY", and so may
    // a test in the addresses it gives.
    std::string Named(const std::string& url) {
        const auto query = url.find('?');
        if (!url.starts_with("lanternwick:") || query == std::string::npos) {
            return url;
        }
        key_ = url.substr(query + 1);
        return url.substr(0, query) + "?KEY";
    }
    std::string Real(std::string url) const {
        if (url.starts_with("lanternwick:") && url.ends_with("?KEY")) {
            url.replace(url.size() - 3, 3, key_);
        }
        return url;
    }
    void FinishLoading() { events_.downloadComplete(); }
    void AskForNewWindow(const std::string& url) { events_.newWindow(url); }

    std::vector<std::string> calls;
    std::string location = "about:blank";
    bool loading = true;
    int backPages = 0;                 // how many earlier pages the history holds
    std::vector<std::string> history;  // what BackHistory() reports, newest first
    int forwardPages = 0;
    bool filterMissing = false;
    filter::Settings settings;
    std::vector<std::function<void(std::vector<engine::PagePicture>)>> pictureSearches;
    std::vector<std::pair<std::string, std::function<void(std::optional<std::string>)>>> fetches;
    std::vector<std::function<void(wxImage)>> snapshots;

private:
    bool Step(const char* what, int& pages) {
        calls.push_back(what);
        if (pages == 0) {
            return false;
        }
        --pages;
        return true;
    }

    wxPanel* panel_;
    engine::WebViewEvents events_;
    std::string key_;
};

class FakeWebViewFactory : public engine::WebViewFactory {
public:
    std::unique_ptr<engine::WebView> Create(wxWindow* parent, engine::WordSource) override {
        auto view = std::make_unique<FakeWebView>(parent);
        view->filterMissing = filterMissing;
        last = view.get();
        return view;
    }
    FakeWebView* last = nullptr;
    bool filterMissing = false;  // what the views made from now on report
};

class FakeMessages : public platform::Messages {
public:
    struct Shown {
        std::string text;
        std::string title;
        Icon icon;
    };
    void Show(const std::string& text, const std::string& title, Icon icon) override {
        shown.push_back({text, title, icon});
    }
    Answer Ask(const std::string& text, const std::string& title, const Choices& choices) override {
        asked.push_back({text, title, choices});
        return answer;
    }
    std::vector<Shown> shown;
    struct Asked {
        std::string text;
        std::string title;
        Choices choices;
    };
    std::vector<Asked> asked;
    Answer answer = Answer::Cancel;  // what every question is answered
};

class FakeEnder : public platform::ProcessEnder {
public:
    void EndNow() override { ++ended; }
    int ended = 0;
};

class FakeStarter : public platform::ProgramStarter {
public:
    bool StartAgain() override {
        ++started;
        return true;
    }
    int started = 0;
};

class FakeSpeech : public platform::Speech {
public:
    struct Said {
        std::string text;
        std::optional<std::string> language;
        friend bool operator==(const Said&, const Said&) = default;
    };
    void Say(const std::string& text, std::optional<std::string> language) override {
        said.push_back({text, std::move(language)});
    }
    std::vector<Said> said;
};

class FakeClock : public basics::Clock {
public:
    std::string DateText() override { return date; }
    std::string TimeText() override { return time; }
    double SteadySeconds() override { return steady; }
    basics::LocalTime Now() override { return now; }
    std::string date = "7-12-2026";
    std::string time = "21:45:09";
    double steady = 0;
    basics::LocalTime now{{2026, 12, 7}, 21 * 3600 + 45 * 60 + 9};
};

}  // namespace testsupport
