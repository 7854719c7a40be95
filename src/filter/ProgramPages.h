#pragma once

#include <string>
#include <string_view>

// Pages the program makes itself and serves to its own web view under a scheme of its own, so
// that showing them sends no request anywhere.
namespace filter {

inline constexpr std::string_view kProgramScheme = "lanternwick";
// What a refused page is replaced with.
inline constexpr std::string_view kRefusedPage = "lanternwick://refused/";
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

// The refusal page: a large picture, one sentence and the two buttons. It holds nothing of the
// refused address, so it names no blocked word and can be shown whatever the word list holds.
std::string RefusalPageHtml(const RefusalTexts& texts);

}  // namespace filter
