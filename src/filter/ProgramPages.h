#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Pages the program makes itself and serves to its own web view under a scheme of its own, so
// that showing them sends no request anywhere.
namespace filter {

inline constexpr std::string_view kProgramScheme = "lanternwick";
// What a refused page is replaced with.
inline constexpr std::string_view kRefusedPage = "lanternwick://refused/";
// The help page of the parents' panel, made offline in the run's language.
inline constexpr std::string_view kHelpPage = "lanternwick://help/";
// The refusal page's two buttons are links the window answers itself.
inline constexpr std::string_view kBackLink = "lanternwick://back/";
inline constexpr std::string_view kAskLink = "lanternwick://ask/";
// Where a settings file is: a third button keeps the address for the grown-up to look at later,
// and the page that says so, with its one button back.
inline constexpr std::string_view kLaterLink = "lanternwick://later/";
inline constexpr std::string_view kAskedPage = "lanternwick://asked/";
// What a page that could not be loaded is replaced with, and its two buttons.
inline constexpr std::string_view kNotAnsweringPage = "lanternwick://notanswering/";
inline constexpr std::string_view kRetryLink = "lanternwick://retry/";
inline constexpr std::string_view kHomeLink = "lanternwick://home/";

// Whether `url` is one of the program's own addresses (any case of the scheme).
bool IsProgramPage(std::string_view url);

// A page of the program opens only at its address with the run's key, which no web page can
// know: a page's link, script, frame or redirect to the bare address gets nothing of it.
std::string ProgramPageAddress(std::string_view page, std::string_view key);
// Whether `url` is `page` (kRefusedPage, kHelpPage, ...), with or without a key.
bool IsPage(std::string_view url, std::string_view page);
// Whether `url` carries `key`; no key is ever carried by an empty one.
bool CarriesKey(std::string_view url, std::string_view key);
// A key fresh for this run.
std::string NewProgramKey();

struct RefusalTexts {
    std::string sentence;  // what the child is told
    std::string back;      // the button back to where the child was
    std::string ask;       // the button that fetches a grown-up
    std::string later;     // the button that keeps the address for later; empty: none
};

struct AskedTexts {
    std::string sentence;  // the grown-up will look
    std::string back;
};

struct HelpPage {
    std::string title;
    std::vector<std::pair<std::string, std::string>> sections;  // heading, text
};

// The help page: its title, then each section's heading and text, readable at a glance.
std::string HelpPageHtml(const HelpPage& page);

// The refusal page: a large picture, one sentence and its buttons. It holds nothing of the
// refused address, so it names no blocked word and can be shown whatever the word list holds.
std::string RefusalPageHtml(const RefusalTexts& texts);

// The page after "later": a friendly picture, the sentence and the button back.
std::string AskedPageHtml(const AskedTexts& texts);

struct NotAnsweringTexts {
    std::string sentence;  // what the child is told
    std::string retry;     // the button that tries the page again
    std::string home;      // the button to the start page
};

// The page for a page that could not be loaded: a sleepy picture, one sentence and the two
// buttons, and nothing of the engine's error, the address or a way past a bad certificate.
std::string NotAnsweringPageHtml(const NotAnsweringTexts& texts);

}  // namespace filter
