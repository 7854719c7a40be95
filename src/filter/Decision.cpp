#include "filter/Decision.h"

#include <algorithm>
#include <cctype>

#include "filter/AllowedSites.h"
#include "filter/ProgramPages.h"

namespace filter {

namespace {

bool IsFrameContent(std::string_view address) {
    constexpr std::string_view kSrcdoc = "about:srcdoc";
    return address.size() == kSrcdoc.size() &&
           std::equal(address.begin(), address.end(), kSrcdoc.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}

bool SameHostOrBelow(std::string_view address, std::string_view shown) {
    return WebHost(shown) && WebHost(address) && IsAllowedSite(address, {std::string(shown)});
}

// The switch's rule for frames: a frame loads what the allowed page put in it from any host, and
// goes on within that host (a game moving between its levels); led to a third host that is no
// allowed site, it is refused inside the frame and the page stays. A frame showing what a page
// wrote into it goes on as that page could, so writing a frame is no way around the rule.
bool FrameMayGo(const Request& request, const Settings& settings) {
    if (request.frameShows.empty()) {
        return true;
    }
    const bool written = IsBlankPage(request.frameShows) || IsFrameContent(request.frameShows);
    return SameHostOrBelow(request.address, written ? request.frameHolder : request.frameShows) ||
           IsAllowedSite(request.address, settings.allowedAddresses);
}

}  // namespace

Words LookAt(WordList& list) {
    switch (list.Refresh()) {
        case WordList::State::Missing:
            return {ListState::Missing};
        case WordList::State::Unreadable:
            return {ListState::Unreadable};
        case WordList::State::Ready:
            break;
    }
    return {ListState::Present, &list.Words()};
}

bool NeverJudged(std::string_view address) {
    return IsBlankPage(address) || IsFrameContent(address) || IsProgramPage(address);
}

Verdict Decide(const Request& request, const Words& words, const Settings& settings,
               bool filterMissing) {
    const std::string_view address = request.address;
    if (IsProgramPage(address)) {
        // Made by the program for its own window, never for a page's frame or script, and
        // opened only by the program, which alone knows the run's key.
        const bool top = request.kind == Kind::TopLevel || request.kind == Kind::PageOrFrame;
        if (!top) {
            return {Reason::NotHere};
        }
        return CarriesKey(address, settings.programKey) ? Verdict{}
                                                        : Verdict{Reason::NotHere, true};
    }
    if (IsBlankPage(address) || IsFrameContent(address)) {
        return {};
    }
    if (filterMissing) {
        return {Reason::FilterMissing};
    }
    if (words.state != ListState::Present || words.matcher == nullptr) {
        // A filter that cannot read its list refuses: what it cannot check it does not open.
        return {Reason::NoWordList};
    }
    const bool top = request.kind == Kind::TopLevel || request.kind == Kind::PageOrFrame;
    if (words.matcher->Blocks(address)) {
        return {Reason::BlockedWord, top};
    }
    if (!settings.allowedSitesOnly) {
        return {};
    }
    switch (request.kind) {
        case Kind::PageOrFrame:
            if (WebHost(address)) {
                return {};
            }
            // Not a web address, so not one the page process sees: judged as the page.
            [[fallthrough]];
        case Kind::TopLevel:
            return IsAllowedSite(address, settings.allowedAddresses)
                       ? Verdict{}
                       : Verdict{Reason::OffTheList, true};
        case Kind::Frame:
            return FrameMayGo(request, settings) ? Verdict{} : Verdict{Reason::OffTheList};
        case Kind::SubResource:
            break;
    }
    return {};
}

}  // namespace filter
