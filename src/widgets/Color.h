#pragma once

#include <cstdint>

namespace widgets {

// Colours travel as 0x00BBGGRR, red in the low byte, the layout the stored button sets use.
using Color = std::uint32_t;

constexpr Color Rgb(int red, int green, int blue) {
    return static_cast<Color>(red & 0xFF) | static_cast<Color>(green & 0xFF) << 8 |
           static_cast<Color>(blue & 0xFF) << 16;
}
constexpr int RedOf(Color c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int GreenOf(Color c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(Color c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

// Moves red, green and blue by `offset`, clamped to 0..255. In scaled mode blue moves by
// blue * offset / 192 instead (truncating), which keeps bluish faces from washing out.
Color ShiftColor(Color color, int offset, bool scaled);

inline Color Plain(Color color, int offset) {
    return ShiftColor(color, offset, false);
}
inline Color Scaled(Color color, int offset) {
    return ShiftColor(color, offset, true);
}

}  // namespace widgets
