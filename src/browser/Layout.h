#pragma once

namespace browser {

// Window coordinates are designed in twips (1440 per inch); at 96 dots per inch a pixel is 15.
inline constexpr int kTwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips) {
    return (twips + (twips >= 0 ? kTwipsPerPixel / 2 : -kTwipsPerPixel / 2)) / kTwipsPerPixel;
}
constexpr int PixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The parts of the browser window that follow its outer size (in twips). Sizes that would turn
// negative in a very small window stay at zero.
struct BrowserLayout {
    int bandWidth = 0;  // imgbackground
    int viewWidth = 0;  // brwbrowser and Txtbackground
    int viewHeight = 0;
    int stripWidth = 0;  // Text3
    int visitWidth = 0;  // cmdvisit
};

BrowserLayout LayoutFor(int outerWidth, int outerHeight);

// Fixed places of the browser window's controls, as created.
inline constexpr TwipRect kBandRect{0, 0, 9180, 1485};
inline constexpr TwipRect kStripRect{0, 1440, 11175, 615};
inline constexpr TwipRect kVisitRect{120, 1560, 1815, 375};
inline constexpr TwipRect kViewRect{0, 2040, 6495, 2055};
inline constexpr TwipRect kBackdropRect{0, 2040, 11175, 5775};
inline constexpr int kBrowserClientWidth = 11595;
inline constexpr int kBrowserClientHeight = 8115;
inline constexpr int kBrowserLeft = 1815;
inline constexpr int kBrowserTop = 1980;

}  // namespace browser
