#include "widgets/RasterCanvas.h"

namespace widgets::testing {

void RasterCanvas::Put(int x, int y, Color color) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) {
        pixels_[y * width_ + x] = color;
    }
}

void RasterCanvas::Clear() {
    cleared_ = true;
    std::fill(pixels_.begin(), pixels_.end(), kUnpainted);
}

void RasterCanvas::FillRect(const Rect& r, Color color) {
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            Put(x, y, color);
        }
    }
}

void RasterCanvas::FrameRect(const Rect& r, Color color) {
    ForEachFramePixel(r, [&](int x, int y) { Put(x, y, color); });
}

void RasterCanvas::Line(int x1, int y1, int x2, int y2, Color color) {
    ForEachLinePixel(x1, y1, x2, y2, [&](int x, int y) { Put(x, y, color); });
}

void RasterCanvas::Pixel(int x, int y, Color color) {
    Put(x, y, color);
}

void RasterCanvas::Text(const wxString& caption, const Rect& box) {
    texts_.push_back({caption, box, textColor_, bold_});
}

void RasterCanvas::FocusRect(const Rect& r) {
    ++focusRects_;
    ForEachFramePixel(r, [&](int x, int y) {
        if ((x + y) % 2 == 0 && x >= 0 && y >= 0 && x < width_ && y < height_) {
            Put(x, y, At(x, y) ^ 0xFFFFFF);
        }
    });
}

Extent RasterCanvas::TextExtent(const wxString& caption) {
    const int cell = bold_ ? 7 : 6;
    return {static_cast<int>(StripMnemonics(caption).length()) * cell, 13};
}

Color FakeHost::SystemColour(SystemColor which) {
    switch (which) {
        case SystemColor::ButtonFace:
            return kSystem.face;
        case SystemColor::Light3D:
            return kSystem.light;
        case SystemColor::ButtonHighlight:
            return kSystem.highlight;
        case SystemColor::ButtonShadow:
            return kSystem.shadow;
        case SystemColor::DarkShadow3D:
            return kSystem.darkShadow;
        case SystemColor::ButtonText:
            return kSystem.text;
    }
    return 0;
}

}  // namespace widgets::testing
