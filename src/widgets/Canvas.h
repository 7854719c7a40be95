#pragma once

#include <wx/string.h>

#include <functional>

#include "widgets/Color.h"

namespace widgets {

// Pixel rectangle; right and bottom are exclusive.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const Rect&) const = default;
};

struct Extent {
    int width = 0;
    int height = 0;
};

// The few drawing operations a button paint is made of, so the painter needs no toolkit.
class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void Clear() = 0;
    virtual void FillRect(const Rect& rect, Color color) = 0;
    // A one-pixel border just inside `rect`.
    virtual void FrameRect(const Rect& rect, Color color) = 0;
    // One pixel wide; the end point itself stays unpainted.
    virtual void Line(int x1, int y1, int x2, int y2, Color color) = 0;
    virtual void Pixel(int x, int y, Color color) = 0;
    virtual void SetTextColor(Color color) = 0;
    // One line centred both ways in `box` over what is painted; "&x" underlines x, "&&" is "&".
    virtual void Text(const wxString& caption, const Rect& box) = 0;
    // Dotted border inverting every other pixel, so drawing it twice removes it.
    virtual void FocusRect(const Rect& rect) = 0;
    // Size of the caption as shown (ampersand markup removed) in the current font.
    virtual Extent TextExtent(const wxString& caption) = 0;
    virtual void SetBold(bool bold) = 0;
};

// Pixels of a line from (x1, y1) towards (x2, y2), end point excluded (Bresenham).
void ForEachLinePixel(int x1, int y1, int x2, int y2, const std::function<void(int, int)>& put);

// Pixels of a one-pixel frame just inside `rect`, each once.
void ForEachFramePixel(const Rect& rect, const std::function<void(int, int)>& put);

// The caption as shown: "&x" becomes "x" and "&&" becomes "&". `accelIndex` receives the index
// of the underlined character in the result, or -1.
wxString StripMnemonics(const wxString& caption, int* accelIndex = nullptr);

}  // namespace widgets
