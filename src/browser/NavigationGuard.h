#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "filter/Decision.h"
#include "filter/WordList.h"

namespace engine {
class WebView;
}
namespace family {
class FamilyModel;
}

namespace browser {

// Everything the child's window may open passes here, and is judged by the filter's one
// decision with the family's settings as they now stand and the word list as its file now is.
// It also keeps what the program's own pages stand for (the refused address, the page that did
// not answer) and which of their buttons may act from which page. No toolkit.
class NavigationGuard {
public:
    NavigationGuard(family::FamilyModel& family, const engine::WebView& view);

    filter::Verdict Judge(const std::string& url, filter::Kind kind);
    // What the engine's page processes judge by too.
    filter::Settings Settings() const;

    // The address at which the program opens one of its own pages (kRefusedPage, ...) this run.
    std::string Address(std::string_view page) const;
    // Whether `url` is a page of the program that the program opened; nothing is served else.
    bool Serves(const std::string& url) const;

    // A button of one of the program's own pages.
    enum class Act { None, Back, Ask, Later, Retry, Home };
    struct Answer {
        bool opens = true;
        bool explain = false;  // the child is shown the refusal page in its place
        Act act = Act::None;   // a button pressed on its own page, to be acted on
    };
    // A navigation the view announces. `covered`: the time-up cover is on.
    Answer BeforeNavigate(const std::string& url, filter::Kind kind, bool covered);

    // A page was reached; whether it holds a blocked word and must be left.
    bool Reached(const std::string& location);
    // The once-a-second look at the page shown, which script or a word added since may have made
    // a refused one. Logs such a page once; whether it must be left.
    bool Caught(const std::string& shown);
    // The newest page of the history that is a real page and may open now; empty if none.
    std::string LastRealPage();

    // The address the refusal page stands for, logged as tried.
    void Refuse(const std::string& address);
    const std::string& RefusedAddress() const { return refused_; }
    // The page the not-answering page stands for, and whether a failed `url` gets that page.
    void NotAnswering(const std::string& url) { notAnswering_ = url; }
    const std::string& NotAnsweringAddress() const { return notAnswering_; }
    bool ShowsNotAnswering(const std::string& url) const;

    // A parent asked for the help page, and no other page was reached since: it opens through
    // the time cover, and the cover lifting does not replace it.
    void AskHelp() { helpAsked_ = true; }
    bool HelpAsked() const { return helpAsked_; }

private:
    family::FamilyModel& family_;
    const engine::WebView& view_;
    filter::WordList words_;
    const std::string key_;
    std::string refused_;
    std::string notAnswering_;
    std::string caught_;  // the last refused page the once-a-second look found on screen
    bool helpAsked_ = false;
};

}  // namespace browser
