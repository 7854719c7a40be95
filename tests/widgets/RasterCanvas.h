#pragma once

#include <vector>

#include "widgets/ButtonModel.h"
#include "widgets/Canvas.h"

namespace widgets::testing {

// Records every pixel a paint sets. Text is not rasterised: each caption drawn is kept with
// its box, colour and boldness instead. Glyph cells are 6 px (7 px bold) by 13 px.
class RasterCanvas : public Canvas {
public:
    static constexpr Color kUnpainted = 0xFF000000;

    struct TextCall {
        wxString caption;
        Rect box;
        Color color;
        bool bold;
    };

    RasterCanvas(int width, int height)
        : width_(width), height_(height), pixels_(width * height, kUnpainted) {}

    Color At(int x, int y) const { return pixels_.at(y * width_ + x); }
    bool Untouched() const { return !cleared_ && texts_.empty(); }
    const std::vector<TextCall>& Texts() const { return texts_; }
    int FocusRects() const { return focusRects_; }
    bool Bold() const { return bold_; }

    void Clear() override;
    void FillRect(const Rect& rect, Color color) override;
    void FrameRect(const Rect& rect, Color color) override;
    void Line(int x1, int y1, int x2, int y2, Color color) override;
    void Pixel(int x, int y, Color color) override;
    void SetTextColor(Color color) override { textColor_ = color; }
    void Text(const wxString& caption, const Rect& box) override;
    void FocusRect(const Rect& rect) override;
    Extent TextExtent(const wxString& caption) override;
    void SetBold(bool bold) override { bold_ = bold; }

private:
    void Put(int x, int y, Color color);

    int width_;
    int height_;
    std::vector<Color> pixels_;
    std::vector<TextCall> texts_;
    Color textColor_ = kUnpainted;
    int focusRects_ = 0;
    bool bold_ = false;
    bool cleared_ = false;
};

// A host with distinct made-up system colours that records what the button asks of it.
class FakeHost : public ButtonHost {
public:
    static constexpr Palette kSystem{0x101010, 0x202020, 0x303030, 0x404040, 0x505050, 0x606060};

    Color SystemColour(SystemColor which) override;
    FontDesc WindowFont() override { return windowFont; }
    void ApplyFont(const FontDesc& font) override { appliedFonts.push_back(font); }
    void ApplyEnabled(bool enabled) override { log.push_back(enabled ? "enable" : "disable"); }
    void ApplyShape(const ButtonRegion& region) override { shapes.push_back(region); }
    void Invalidate() override { ++invalidations; }
    void UpdateNow() override { log.push_back("update"); }
    void PropertyChanged(std::string_view key) override { changed.emplace_back(key); }
    void MoveFocus(bool forward) override { log.push_back(forward ? "next" : "previous"); }

    FontDesc windowFont{"Window Sans", 9.0};
    std::vector<FontDesc> appliedFonts;
    std::vector<ButtonRegion> shapes;
    std::vector<std::string> changed;
    std::vector<std::string> log;
    int invalidations = 0;
};

}  // namespace widgets::testing
