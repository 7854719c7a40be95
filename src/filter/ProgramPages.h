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

// Whether `url` is one of the program's own addresses (any case of the scheme).
bool IsProgramPage(std::string_view url);

struct RefusalTexts {
    std::string sentence;  // what the child is told
    std::string back;      // the button back to where the child was
    std::string ask;       // the button that fetches a grown-up
};

struct HelpPage {
    std::string title;
    std::vector<std::pair<std::string, std::string>> sections;  // heading, text
};

// The help page: its title, then each section's heading and text, readable at a glance.
std::string HelpPageHtml(const HelpPage& page);

// The refusal page: a large picture, one sentence and the two buttons. It holds nothing of the
// refused address, so it names no blocked word and can be shown whatever the word list holds.
std::string RefusalPageHtml(const RefusalTexts& texts);

}  // namespace filter
