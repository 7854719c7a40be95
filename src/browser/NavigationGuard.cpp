#include "browser/NavigationGuard.h"

#include "engine/WebView.h"
#include "family/FamilyModel.h"
#include "filter/BlockedWords.h"
#include "filter/ProgramPages.h"

namespace browser {

NavigationGuard::NavigationGuard(family::FamilyModel& family, const engine::WebView& view)
    : family_(family),
      view_(view),
      words_(family.BlockedWordsFile(), [&family] { return family.BlockedWordsForFilter(); }),
      key_(filter::NewProgramKey()) {}

filter::Settings NavigationGuard::Settings() const {
    filter::Settings settings;
    settings.allowedSitesOnly = family_.AllowedSitesOnly();
    if (settings.allowedSitesOnly) {
        // The lists as they now stand: a site the parent just added or deleted counts at once.
        settings.allowedAddresses = family_.AllowedAddresses();
    }
    settings.programKey = key_;
    return settings;
}

filter::Verdict NavigationGuard::Judge(const std::string& url, filter::Kind kind) {
    return filter::Decide({.address = url, .kind = kind, .frameShows = {}}, filter::LookAt(words_),
                          Settings(), view_.RequestFilterMissing());
}

std::string NavigationGuard::Address(std::string_view page) const {
    return filter::ProgramPageAddress(page, key_);
}

bool NavigationGuard::Serves(const std::string& url) const {
    return filter::IsProgramPage(url) && filter::CarriesKey(url, key_);
}

NavigationGuard::Answer NavigationGuard::BeforeNavigate(const std::string& url, filter::Kind kind,
                                                        bool covered) {
    const bool mainFrame = kind != filter::Kind::Frame;
    // Behind the cover only the blank page that replaced the last one may load, and the help
    // page a parent asked for.
    const bool askedHelp = helpAsked_ && filter::IsPage(url, filter::kHelpPage);
    if (covered && !filter::IsBlankPage(url) && !askedHelp) {
        return {.opens = false};
    }
    struct Link {
        std::string_view link;
        std::string_view page;  // the one page it acts from
        Act act;
    };
    static constexpr Link kLinks[] = {
        {filter::kBackLink, filter::kRefusedPage, Act::Back},
        {filter::kAskLink, filter::kRefusedPage, Act::Ask},
        {filter::kLaterLink, filter::kRefusedPage, Act::Later},
        {filter::kBackLink, filter::kAskedPage, Act::Back},
        {filter::kRetryLink, filter::kNotAnsweringPage, Act::Retry},
        {filter::kHomeLink, filter::kNotAnsweringPage, Act::Home},
    };
    for (const Link& link : kLinks) {
        if (!url.starts_with(link.link)) {
            continue;
        }
        // Acted on only from its own page, which only the program opens, so no other page can
        // open the login.
        const std::string shown = view_.LocationURL();
        const bool fromItsPage = mainFrame && filter::IsPage(shown, link.page) && Serves(shown);
        return {.opens = false, .act = fromItsPage ? link.act : Act::None};
    }
    // Links, redirects, form posts, back and forward never pass the address box, so they are
    // judged here too: a refused address is refused before anything of it is shown.
    const filter::Verdict verdict = Judge(url, kind);
    return {.opens = verdict.Opens(), .explain = verdict.Explained()};
}

bool NavigationGuard::Reached(const std::string& location) {
    if (!filter::IsPage(location, filter::kHelpPage)) {
        helpAsked_ = false;
    }
    // A page reached past the checks before it (the list changed on the way) does not stay.
    if (!filter::NeverJudged(location) &&
        Judge(location, filter::Kind::TopLevel).reason == filter::Reason::BlockedWord) {
        caught_ = location;
        return true;
    }
    return false;
}

bool NavigationGuard::Caught(const std::string& shown) {
    // history.pushState and replaceState change the address without any navigation event, and
    // a word the parent adds may hold the page already shown: nothing else would notice either.
    if (filter::NeverJudged(shown) ||
        Judge(shown, filter::Kind::TopLevel).reason != filter::Reason::BlockedWord) {
        caught_.clear();
        return false;
    }
    if (shown != caught_) {
        caught_ = shown;
        family_.AddReachedPage(shown);
    }
    return true;
}

std::string NavigationGuard::LastRealPage() {
    for (const std::string& earlier : view_.BackHistory()) {
        // The empty page a time-up left behind and the program's own pages are no place the
        // child was, and a page refused since cannot be gone back to.
        if (!filter::NeverJudged(earlier) && Judge(earlier, filter::Kind::TopLevel).Opens()) {
            return earlier;
        }
    }
    return {};
}

void NavigationGuard::Refuse(const std::string& address) {
    refused_ = address;
    family_.AddBareAddress(address);
}

bool NavigationGuard::ShowsNotAnswering(const std::string& url) const {
    // Without the settings file the installation keeps the engine's own page and the message.
    return family_.SettingsFound() && !filter::IsProgramPage(url) && !filter::IsBlankPage(url) &&
           !url.empty();
}

}  // namespace browser
