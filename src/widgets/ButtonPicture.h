#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include <wx/image.h>

namespace widgets {

// The longest side of a site button's picture as it is stored.
inline constexpr int kPictureSide = 256;

// A picture in any form the toolkit reads (PNG, JPEG, GIF, BMP, ICO); an empty image for bytes
// that are none, without a word to the user.
wxImage ImageFromBytes(std::string_view bytes);
// Only a PNG: what the picture folder holds, read as the button shows it.
wxImage ImageFromPng(std::string_view png);
// The picture as a button gets it: at most kPictureSide pixels a side, as PNG, made smaller
// until it keeps to `maxBytes`; nothing when it cannot be made so.
std::optional<std::string> ButtonPicturePng(const wxImage& image, std::size_t maxBytes);

}  // namespace widgets
