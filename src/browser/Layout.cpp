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

TwipRect SiteButtonRect(int n) {
    const int row = (n - 1) / 2;
    const bool odd = n % 2 == 1;
    return {odd ? 120 : 5760, 2280 + 600 * row, 5295, 375};
}

}  // namespace browser
