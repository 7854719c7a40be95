#pragma once

#include <wx/string.h>

namespace widgets {

// A font as the button and its stored set know it; the toolkit maps it to a real font.
struct FontDesc {
    wxString face;
    double points = 0.0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    bool operator==(const FontDesc&) const = default;
};

}  // namespace widgets
