#include "browser/Layout.h"

#include <algorithm>

namespace browser {

BrowserLayout LayoutFor(int w, int h) {
    // A window is never made smaller than the minimum size, but a size that would still turn
    // negative stays at zero rather than reaching the toolkit.
    auto atLeastZero = [](int v) { return std::max(0, v); };
    BrowserLayout l;
    l.bandWidth = atLeastZero(w);
    l.viewWidth = atLeastZero(w - 100);
    l.viewHeight = atLeastZero(h - 2550);
    l.stripWidth = atLeastZero(w - 120);
    l.visitWidth = atLeastZero(w - 360);
    return l;
}

TwipRect LogoPlace(int w, int h) {
    return {(w - kLogoRect.width) / 2, (h - 2000) / 2, kLogoRect.width, kLogoRect.height};
}

TwipRect BannerPlace(int w, int h) {
    return {(w - kBannerRect.width) / 2, (h + 2000) / 2, kBannerRect.width, kBannerRect.height};
}

ScreenRect KeepOnScreen(ScreenRect window, const ScreenRect& area, int minWidth, int minHeight) {
    window.width = std::min(window.width, std::max(area.width, minWidth));
    window.height = std::min(window.height, std::max(area.height, minHeight));
    window.x = std::max(area.x, std::min(window.x, area.x + area.width - window.width));
    window.y = std::max(area.y, std::min(window.y, area.y + area.height - window.height));
    return window;
}

TilesLayout TilesLayoutFor(int w, int h) {
    constexpr int kVisitLeft = 11100;  // right of the clock on the band
    const int visitWidth = std::max(kVisitRect.width, w - kVisitLeft - 120);
    return {{kVisitLeft, kPictureTop, visitWidth, kPictureHeight},
            {0, kBandRect.height, std::max(0, w), std::max(0, h - kBandRect.height)}};
}

TileGrid TilesFor(int count, int width, int height) {
    TileGrid best;
    if (count <= 0 || width <= 0 || height <= 0) {
        return best;
    }
    // A few to a screen at most: one tile never takes more than half the area's height.
    const int most = height / 2;
    for (int columns = 1; columns <= count; ++columns) {
        const int rows = (count + columns - 1) / columns;
        const int gap = std::max(4, std::min(width, height) / 80);
        const int side = std::min(
            {(width - gap * (columns + 1)) / columns, (height - gap * (rows + 1)) / rows, most});
        if (side > best.side) {
            best = {columns, rows, side, gap, 0, 0};
        }
    }
    best.left = (width - best.columns * best.side - (best.columns - 1) * best.gap) / 2;
    best.top = best.gap;
    return best;
}

ScreenRect TileGrid::Tile(int index) const {
    if (columns <= 0) {
        return {};
    }
    return {left + (index % columns) * (side + gap), top + (index / columns) * (side + gap), side,
            side};
}

int TileGrid::CaptionHeight() const {
    return std::max(18, side / 5);
}

TwipRect SiteButtonRect(int n) {
    const int row = (n - 1) / 2;
    const bool odd = n % 2 == 1;
    return {odd ? 120 : 5760, 2280 + 600 * row, 5295, 375};
}

}  // namespace browser
