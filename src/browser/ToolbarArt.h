#pragma once

#include <wx/bitmap.h>

#include "browser/Layout.h"
#include "browser/TimeLook.h"

namespace browser {

// The browser window's pictures, drawn when the window is made so they are sharp at any
// screen resolution. Symbols are big and plain, for children who cannot read yet.
enum class ToolbarSymbol { Back, Forward, Refresh, Stop, Home, Parent };

wxBitmap ToolbarPicture(ToolbarSymbol symbol, bool highlighted, const TwipRect& place,
                        const TwipScale& scale);
wxBitmap BandPicture(const TwipScale& scale);
// The intro pictures, on the window's own background colour.
wxBitmap LogoPicture(const TwipScale& scale, const wxColour& background);
wxBitmap BannerPicture(const TwipScale& scale, const wxColour& background);

// The daily time limit. The clock on the band: a disc that empties as the time goes, green and
// then orange in the last minutes, with `minutes` written beside it.
inline constexpr TwipRect kTimeLeftRect{8280, 120, 2700, 1095};
wxBitmap TimeLeftPicture(const TimeLook& look, const wxString& minutes, const TwipScale& scale);
// The short notice over the top of the page, five minutes before the end.
inline constexpr TwipRect kNoticeRect{2280, 2160, 6600, 900};
wxBitmap NoticePicture(const wxString& text, const TwipScale& scale);
// The cover over the page and the site panel when the time is up: a night sky, the moon and
// one sentence. `size` in pixels.
wxBitmap TimeUpPicture(const wxSize& size, const wxString& sentence);
// A site's tile without a picture of its own: the name's first letter, large, on a colour the
// name chooses, so each site still looks like itself.
wxImage NameTilePicture(const wxString& name, int side);
// The visit button's picture where sites are tiles: four coloured tiles, `side` pixels.
wxBitmap VisitPicture(int side);

}  // namespace browser
