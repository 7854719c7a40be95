#pragma once

#include <cstdint>
#include <vector>

namespace browser {

struct RainbowColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    // Colours are kept as 0x00BBGGRR everywhere else in the program.
    constexpr std::uint32_t Packed() const {
        return static_cast<std::uint32_t>(red) | static_cast<std::uint32_t>(green) << 8 |
               static_cast<std::uint32_t>(blue) << 16;
    }
    friend bool operator==(const RainbowColour&, const RainbowColour&) = default;
};

// One twip-wide vertical line of the sites window's background, from (x, top) to (x, bottom).
struct RainbowLine {
    int x = 0;
    int top = 0;
    int bottom = 0;
    RainbowColour colour;
};

// The numbers the rainbow is built from, for an inner width in twips: n lines per band and the
// divisor k that maps a band's counter (0 to n + 1) onto a colour component.
struct RainbowScale {
    int linesPerBand = 0;  // n
    int divisor = 0;       // k
};
RainbowScale RainbowScaleFor(int innerWidth);

// The lines of the sites window's rainbow background (red, yellow, green, cyan, blue, magenta and
// back to red) for its inner size in twips, left to right. Empty when the window is too narrow
// for the divisor to reach 1 (765 twips or less).
std::vector<RainbowLine> RainbowLines(int innerWidth, int innerHeight);

}  // namespace browser
