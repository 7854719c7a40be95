#include "browser/Rainbow.h"

#include <algorithm>

namespace browser {

namespace {

// 6 bands of 255 shades each.
constexpr int kShadeSpan = 6 * 255;

std::uint8_t Component(int value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

}  // namespace

RainbowScale RainbowScaleFor(int innerWidth) {
    if (innerWidth <= 0) {
        return {};
    }
    // step = width / 1530, n = int(step * 255), k = step rounded half to even. Integer arithmetic
    // gives the exact values; the floating-point product drops a line per band for some widths
    // from about 98000 twips on.
    const int whole = innerWidth / kShadeSpan;
    const int rest = innerWidth % kShadeSpan;
    const bool roundUp = 2 * rest > kShadeSpan || (2 * rest == kShadeSpan && whole % 2 == 1);
    return {innerWidth / 6, whole + (roundUp ? 1 : 0)};
}

std::vector<RainbowLine> RainbowLines(int innerWidth, int innerHeight) {
    const auto [n, k] = RainbowScaleFor(innerWidth);
    std::vector<RainbowLine> lines;
    if (k == 0) {
        return lines;
    }
    lines.reserve(6 * static_cast<std::size_t>(n) + 1);
    int x = 0;
    auto draw = [&](int red, int green, int blue) {
        lines.push_back({x, 0, innerHeight, {Component(red), Component(green), Component(blue)}});
        ++x;
    };

    // The counters carry over from band to band: a band's fixed components are the values the
    // earlier bands left behind (n + 1 after counting up, 0 after counting down).
    int r = 0;
    int g = 0;
    int b = 0;
    for (g = 1; g <= n; ++g) {
        draw(255, g / k, 1);
    }
    for (r = n; r >= 1; --r) {
        draw(r / k, g, 1);
    }
    for (b = 0; b <= n; ++b) {
        draw(r, g, b / k);
    }
    for (g = n; g >= 1; --g) {
        draw(r, g / k, b);
    }
    for (r = 1; r <= n; ++r) {
        draw(r / k, g, b);
    }
    for (b = n; b >= 1; --b) {
        draw(r, g, b / k);
    }
    return lines;
}

}  // namespace browser
