#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "filter/BlockedWords.h"
#include "filter/WordList.h"

// The one answer to "may this address open?". The child's window, the engine adapter and the
// module inside the engine's page process all ask here and keep no rule of their own, so a
// change to what the child may see is a change in this one place.
namespace filter {

// What asks for the address.
enum class Kind {
    TopLevel,     // the page of the window: typed, a site button, home, a link, a redirect hop
    Frame,        // a frame inside the page
    SubResource,  // anything a page loads that is not the page of the window
    // A page or a frame's page, from an engine adapter that cannot tell which. The words judge
    // it as a page; the parent's switch is left to the page process, which can tell, for every
    // web address it sees.
    PageOrFrame,
};

// "words.txt" as last looked at.
enum class ListState { Present, Missing, Unreadable };

enum class Reason {
    None,           // it opens
    BlockedWord,    // the address holds a blocked word
    OffTheList,     // the parent's switch is on and the host is no allowed site's
    NoWordList,     // the list is missing or cannot be read: nothing opens
    FilterMissing,  // the engine's request filter is missing: nothing would be filtered
    NotHere,        // one of the program's own pages, asked for where it does not belong
};

struct Verdict {
    Reason reason = Reason::None;

    bool Opens() const { return reason == Reason::None; }
    // Whether the child is shown the refusal page; the other refusals open nothing at all,
    // since there is no list to judge by, or nothing of a frame or a picture to explain.
    bool Explained() const { return explained; }
    bool explained = false;
};

// The parent's settings as far as the filter is concerned.
struct Settings {
    bool allowedSitesOnly = false;
    // The addresses of the allowed sites and of the start page, as the parent stored them.
    std::vector<std::string> allowedAddresses;
    // The key the program's own pages carry in this run (ProgramPages.h).
    std::string programKey;
};

struct Request {
    std::string_view address;  // as the engine will read it (scheme already added)
    Kind kind = Kind::TopLevel;
    // For a frame: the address of what the frame shows now, or of the first page it was let to
    // load while a redirect takes it on; empty while it shows nothing yet, that is while it loads
    // what the page put in it. about:srcdoc or about:blank for a frame showing what a page wrote
    // into it.
    std::string_view frameShows;
    // For a frame showing what a page wrote into it: the address of that page, the nearest one
    // above the frame that came from the network; empty when it cannot be read.
    std::string_view frameHolder = {};
};

struct Words {
    ListState state = ListState::Missing;
    const WordMatcher* matcher = nullptr;  // read when Present
};

// Brings the list up to date with its file and says what it holds now.
Words LookAt(WordList& list);

// `filterMissing`: the engine's page-process filter could not be loaded.
Verdict Decide(const Request& request, const Words& words, const Settings& settings,
               bool filterMissing = false);

// Addresses that hold nothing of the network and are never judged by the words: the empty page,
// the content a page writes into a frame itself, and the program's own pages.
bool NeverJudged(std::string_view address);

}  // namespace filter
