#pragma once

#include <wx/bitmap.h>

#include "browser/Layout.h"

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

}  // namespace browser
