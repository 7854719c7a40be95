#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The pictures of the site buttons: one PNG file per site in a folder beside the data files,
// named from the site's address, so the site file keeps its format and its meaning.
namespace formats::pictures {

inline constexpr const char* kFolder = "plaatjes";
inline constexpr std::size_t kMaxBytes = 192 * 1024;
inline constexpr std::string_view kSignature = "\x89PNG\r\n\x1a\n";

// The file name of the picture of the site at `address` (as the site file holds it): the same
// for the same address whatever spaces surround it, made only of lower-case letters, digits and
// "-", then ".png".
std::string FileNameOf(std::string_view address);

// Whether `name` is one FileNameOf could give: what the helper takes from the child's hand.
bool IsFileName(std::string_view name);

// A PNG of at most kMaxBytes; empty bytes stand for "no picture" where `noneAllowed`.
bool IsAcceptable(std::string_view bytes, bool noneAllowed);

}  // namespace formats::pictures
