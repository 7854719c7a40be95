#pragma once

#include "basics/Twips.h"

namespace browser {

// Designed in twips like every window of the program.
using basics::TwipRect;
using basics::TwipScale;

// A rectangle on the screen, in pixels.
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const ScreenRect&) const = default;
};

// The parts of the browser window that follow its outer size (in twips).
struct BrowserLayout {
    int bandWidth = 0;  // imgbackground
    int viewWidth = 0;  // brwbrowser and Txtbackground
    int viewHeight = 0;
    int stripWidth = 0;  // Text3
    int visitWidth = 0;  // cmdvisit
};

BrowserLayout LayoutFor(int outerWidth, int outerHeight);

// The smallest outer size for which every size of LayoutFor is positive.
inline constexpr int kMinOuterWidth = 361;
inline constexpr int kMinOuterHeight = 2551;

// Where start-up puts the intro pictures for the window's outer size; resizing does not move them.
TwipRect LogoPlace(int outerWidth, int outerHeight);
TwipRect BannerPlace(int outerWidth, int outerHeight);

// The window as it is placed on a screen whose free part is `area`: moved in, and made smaller
// where it is larger, but never smaller than `minWidth` by `minHeight`.
ScreenRect KeepOnScreen(ScreenRect window, const ScreenRect& area, int minWidth, int minHeight);

// Site button n (1 to 18): two columns, nine rows, fixed whatever the window's size.
TwipRect SiteButtonRect(int n);
inline constexpr int kSiteButtons = 18;

// Where site pictures are on, the sites are square tiles as large as the page's area allows for
// their number, in rows from the top left, the block centred; in pixels.
struct TileGrid {
    int columns = 0;
    int rows = 0;
    int side = 0;  // each tile's width and height
    int gap = 0;   // between tiles and at the edges
    int left = 0;  // the first tile's place in the area
    int top = 0;
    ScreenRect Tile(int index) const;  // index from 0, in file order
    int CaptionHeight() const;         // the name's band at the tile's bottom
};
TileGrid TilesFor(int count, int areaWidth, int areaHeight);

// Where tiles are on, the window gives the page every line it can: the visit button, as tall
// as the toolbar's pictures with its own picture beside the caption, moves into the band right
// of the clock, and the page takes the whole client area below the band. In twips.
struct TilesLayout {
    TwipRect visit;  // Text3, which cmdvisit fills
    TwipRect page;   // brwbrowser and Txtbackground
};
TilesLayout TilesLayoutFor(int clientWidth, int clientHeight);
// The five-minute notice where tiles are on: over the toolbar's pictures, never over a tile.
inline constexpr TwipRect kNoticeOverToolbarRect{360, 292, 6600, 900};

// The browser window's controls as created.
inline constexpr TwipRect kBandRect{0, 0, 9180, 1485};
inline constexpr TwipRect kStripRect{0, 1440, 11175, 615};
inline constexpr TwipRect kVisitRect{120, 1560, 1815, 375};
inline constexpr TwipRect kViewRect{0, 2040, 6495, 2055};
inline constexpr TwipRect kBackdropRect{0, 2040, 11175, 5775};
inline constexpr TwipRect kLogoRect{4200, 2160, 2640, 2040};
inline constexpr TwipRect kBannerRect{4800, 4680, 4425, 630};
inline constexpr int kBrowserClientWidth = 11595;
inline constexpr int kBrowserClientHeight = 8115;
inline constexpr int kBrowserLeft = 1815;
inline constexpr int kBrowserTop = 1980;

// The toolbar's pictures: each normal picture and its highlighted twin.
struct ToolbarPair {
    TwipRect normal;
    TwipRect twin;
};
inline constexpr int kPictureTop = 120;
inline constexpr int kPictureHeight = 1095;
inline constexpr ToolbarPair kBackPictures{{360, 120, 975, 1095}, {370, 120, 975, 1095}};
inline constexpr ToolbarPair kForwardPictures{{1560, 120, 1095, 1095}, {1570, 120, 1080, 1095}};
inline constexpr ToolbarPair kRefreshPictures{{3720, 120, 975, 1095}, {3730, 120, 975, 1095}};
inline constexpr ToolbarPair kStopPictures{{4920, 120, 975, 1095}, {4920, 120, 975, 1095}};
inline constexpr ToolbarPair kHomePictures{{6120, 120, 975, 1095}, {6120, 120, 975, 1095}};
inline constexpr ToolbarPair kParentPictures{{7320, 120, 610, 1095}, {7320, 120, 600, 1095}};

// The sites window: client size and controls.
inline constexpr int kSitesClientWidth = 6285;
inline constexpr int kSitesClientHeight = 3570;
inline constexpr TwipRect kSitesListRect{120, 120, 6015, 2595};
inline constexpr int kSitesLineY = 2880;
inline constexpr int kSitesLineLeft = 120;
inline constexpr int kSitesLineRight = 6120;
inline constexpr TwipRect kSitesButtonRect{120, 3000, 6015, 495};

}  // namespace browser
