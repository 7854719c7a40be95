// The seven looks of the button. Coordinates are client pixels; W and H are the client size.
#include <cmath>

#include "widgets/ButtonModel.h"

namespace widgets {

namespace {

// Fixed colours of the gradient style.
constexpr Color kGradientBorder = 0x733C00;
constexpr Color kGradientCorner = 0x7B4D10;
constexpr Color kHotFrame = 0xE7AE8C;
constexpr Color kHotBottom = 0xEF826B;
constexpr Color kHotTop = 0xFFE7CE;
constexpr Color kHotSecondRow = 0xF7D7BD;
constexpr Color kHotSides = 0xF0D1B5;
constexpr Color kCaptionFrame = 0xCC9999;

// Gradient offsets round half to even, as the default floating-point rounding mode does.
int RoundOffset(float value) {
    return static_cast<int>(std::nearbyint(static_cast<double>(value)));
}

}  // namespace

ButtonRegion ButtonModel::MakeRegion() const {
    ButtonRegion region{width_, height_, {}};
    const int r = width_ - 1;
    const int b = height_ - 1;
    switch (buttonType_) {
        case OutlinedRaised:
            region.cut = {{0, 0}, {0, b}, {r, 0}, {r, b}};
            break;
        case GradientRounded:
        case SoftRounded:
            region.cut = {{0, 0}, {1, 0},     {0, 1}, {0, b}, {1, b},     {0, b - 1},
                          {r, 0}, {r - 1, 0}, {r, 1}, {r, b}, {r - 1, b}, {r, b - 1}};
            break;
        case BoldFlat:
            region.cut = {{0, b}, {r, 0}};
            break;
        default:
            break;
    }
    return region;
}

void ButtonModel::Paint(Canvas& c) const {
    if (height_ == 0) {
        return;
    }
    const bool focus = hasFocus_ && showFocusRect_;
    c.Clear();
    c.FillRect({0, 0, width_, height_}, palette_.face);
    if (enabled_) {
        c.SetTextColor(palette_.text);
        if (lastState_ != kNormal && lastState_ != kPressed) {
            return;
        }
    }
    switch (buttonType_) {
        case OutlinedRaised:
            PaintOutlinedRaised(c, focus);
            break;
        case ClassicRaised:
            PaintClassicRaised(c, focus);
            break;
        case GradientRounded:
            PaintGradientRounded(c, focus);
            break;
        case SoftRounded:
            PaintSoftRounded(c);
            break;
        case BoldFlat:
            PaintBoldFlat(c, focus);
            break;
        case DoubleEdge:
            PaintDoubleEdge(c, focus);
            break;
        case SingleEdge:
            PaintSingleEdge(c, focus);
            break;
        default:
            break;
    }
}

void ButtonModel::EngravedCaption(Canvas& c) const {
    c.SetTextColor(palette_.highlight);
    c.Text(caption_, pressedRect_);
    c.SetTextColor(palette_.shadow);
    c.Text(caption_, wholeRect_);
}

void ButtonModel::PaintOutlinedRaised(Canvas& c, bool focus) const {
    const int W = width_;
    const int H = height_;
    const Palette& p = palette_;
    const bool pressed = enabled_ && lastState_ == kPressed;
    if (!enabled_) {
        EngravedCaption(c);
    } else {
        c.Text(caption_, pressed ? pressedRect_ : wholeRect_);
    }
    c.Line(1, 0, W - 1, 0, p.darkShadow);
    c.Line(1, H - 1, W - 1, H - 1, p.darkShadow);
    c.Line(0, 1, 0, H - 1, p.darkShadow);
    c.Line(W - 1, 1, W - 1, H - 1, p.darkShadow);
    const Color frame = pressed ? p.shadow : p.highlight;
    c.FrameRect({1, 1, W - 1, H - 1}, frame);
    c.FrameRect({2, 2, W - 2, H - 2}, frame);
    const Color edge = pressed ? p.highlight : p.shadow;
    c.Line(W - 2, 1, W - 2, H - 1, edge);
    c.Line(W - 3, 2, W - 3, H - 1, edge);
    c.Line(1, H - 2, W - 1, H - 2, edge);
    c.Line(2, H - 3, W - 2, H - 3, edge);
    if (enabled_ && focus) {
        c.FocusRect(focusRect_);
    }
}

void ButtonModel::PaintClassicRaised(Canvas& c, bool focus) const {
    const int W = width_;
    const int H = height_;
    const Palette& p = palette_;
    auto plainLook = [&] {
        c.FrameRect({0, 0, W - 1, H - 1}, p.highlight);
        c.FrameRect({1, 1, W - 1, H - 1}, p.light);
        c.Line(W - 1, 0, W - 1, H, p.darkShadow);
        c.Line(W - 2, 1, W - 2, H - 1, p.shadow);
        c.Line(0, H - 1, W - 1, H - 1, p.darkShadow);
        c.Line(1, H - 2, W - 2, H - 2, p.shadow);
    };
    if (!enabled_) {
        EngravedCaption(c);
        plainLook();
        return;
    }
    if (lastState_ == kNormal) {
        c.Text(caption_, wholeRect_);
        if (showFocusRect_ && host_.IsDefaultButton()) {
            c.FrameRect({1, 1, W - 1, H - 1}, p.highlight);
            c.FrameRect({2, 2, W - 2, H - 2}, p.light);
            c.Line(W - 2, 1, W - 2, H - 1, p.darkShadow);
            c.Line(W - 3, 2, W - 3, H - 1, p.shadow);
            c.Line(1, H - 2, W - 1, H - 2, p.darkShadow);
            c.Line(2, H - 3, W - 2, H - 3, p.shadow);
            if (focus) {
                c.FocusRect(focusRect_);
            }
            c.FrameRect({0, 0, W, H}, p.darkShadow);
        } else {
            plainLook();
        }
        return;
    }
    c.Text(caption_, pressedRect_);
    if (showFocusRect_) {
        c.FrameRect({0, 0, W, H}, p.darkShadow);
        c.FrameRect({1, 1, W - 1, H - 1}, p.shadow);
        if (focus) {
            c.FocusRect(focusRect_);
        }
    } else {
        c.FrameRect({0, 0, W - 1, H - 1}, p.darkShadow);
        c.FrameRect({1, 1, W - 1, H - 1}, p.shadow);
        c.Line(W - 1, 0, W - 1, H, p.highlight);
        c.Line(W - 2, 1, W - 2, H - 1, p.light);
        c.Line(0, H - 1, W - 1, H - 1, p.highlight);
        c.Line(1, H - 2, W - 2, H - 2, p.light);
    }
}

void ButtonModel::PaintGradientRounded(Canvas& c, bool focus) const {
    const int W = width_;
    const int H = height_;
    const Color base = Scaled(palette_.face, 48);
    auto border = [&](Color color) {
        c.Line(2, 0, W - 2, 0, color);
        c.Line(2, H - 1, W - 2, H - 1, color);
        c.Line(0, 2, 0, H - 2, color);
        c.Line(W - 1, 2, W - 1, H - 2, color);
    };
    auto corners = [&](Color color) {
        c.Pixel(1, 1, color);
        c.Pixel(1, H - 2, color);
        c.Pixel(W - 2, 1, color);
        c.Pixel(W - 2, H - 2, color);
    };
    if (!enabled_) {
        c.FillRect({0, 0, W, H}, Scaled(base, -24));
        c.SetTextColor(Scaled(base, -104));
        c.Text(caption_, wholeRect_);
        border(Scaled(base, -84));
        corners(Scaled(base, -72));
        return;
    }
    if (lastState_ == kNormal) {
        const float step = 25.0f / static_cast<float>(H);
        for (int i = 1; i <= H; ++i) {
            c.Line(0, i, W, i, Scaled(base, RoundOffset(-(step * static_cast<float>(i)))));
        }
        c.SetTextColor(palette_.text);
        c.Text(caption_, wholeRect_);
        border(kGradientBorder);
        corners(kGradientCorner);
        const bool hot = (showFocusRect_ && host_.IsDefaultButton()) || focus;
        if (hot) {
            c.FrameRect({1, 2, W - 1, H - 2}, kHotFrame);
            c.Line(2, H - 2, W - 2, H - 2, kHotBottom);
            c.Line(2, 1, W - 2, 1, kHotTop);
            c.Line(1, 2, W - 1, 2, kHotSecondRow);
            c.Line(2, 3, 2, H - 3, kHotSides);
            c.Line(W - 3, 3, W - 3, H - 3, kHotSides);
        } else {
            c.Line(2, H - 2, W - 2, H - 2, Scaled(base, -48));
            c.Line(1, H - 3, W - 2, H - 3, Scaled(base, -32));
            c.Line(W - 2, 2, W - 2, H - 2, Scaled(base, -36));
            c.Line(W - 3, 3, W - 3, H - 3, Scaled(base, -24));
            c.Line(2, 1, W - 2, 1, Scaled(base, 16));
            c.Line(1, 2, W - 2, 2, Scaled(base, 10));
            c.Line(1, 2, 1, H - 2, Scaled(base, -5));
            c.Line(2, 3, 2, H - 3, Scaled(base, -10));
        }
        return;
    }
    const Color pressed = Scaled(base, -32);
    const float step = 15.0f / static_cast<float>(H);
    for (int i = 1; i <= H; ++i) {
        c.Line(0, H - i, W, H - i, Scaled(pressed, RoundOffset(-(step * static_cast<float>(i)))));
    }
    c.SetTextColor(palette_.text);
    c.Text(caption_, pressedRect_);
    border(kGradientBorder);
    corners(kGradientCorner);
    c.Line(2, H - 2, W - 2, H - 2, Scaled(pressed, 16));
    c.Line(1, H - 3, W - 2, H - 3, Scaled(pressed, 10));
    c.Line(W - 2, 2, W - 2, H - 2, Scaled(pressed, 5));
    c.Line(W - 3, 3, W - 3, H - 3, pressed);
    c.Line(2, 1, W - 2, 1, Scaled(pressed, -32));
    c.Line(1, 2, W - 2, 2, Scaled(pressed, -24));
    c.Line(1, 2, 1, H - 2, Scaled(pressed, -32));
    c.Line(2, 2, 2, H - 2, Scaled(pressed, -22));
}

void ButtonModel::PaintSoftRounded(Canvas& c) const {
    const int W = width_;
    const int H = height_;
    const Palette& p = palette_;
    auto outline = [&] {
        c.Line(2, 0, W - 2, 0, p.darkShadow);
        c.Line(2, H - 1, W - 2, H - 1, p.darkShadow);
        c.Line(0, 2, 0, H - 2, p.darkShadow);
        c.Line(W - 1, 2, W - 1, H - 2, p.darkShadow);
    };
    auto cornerDots = [&] {
        c.Pixel(1, 1, p.darkShadow);
        c.Pixel(1, H - 2, p.darkShadow);
        c.Pixel(W - 2, 1, p.darkShadow);
        c.Pixel(W - 2, H - 2, p.darkShadow);
    };
    auto raisedEdges = [&] {
        outline();
        cornerDots();
        c.Pixel(1, 2, p.face);
        c.Pixel(2, 1, p.face);
        c.Line(3, 2, W - 3, 2, p.highlight);
        c.Line(2, 2, 2, H - 3, p.highlight);
        c.Pixel(3, 3, p.highlight);
        c.Line(W - 3, 1, W - 3, H - 3, p.face);
        c.Line(1, H - 3, W - 3, H - 3, p.face);
        c.Pixel(W - 4, H - 4, p.face);
        c.Line(W - 2, 3, W - 2, H - 2, p.shadow);
        c.Line(3, H - 2, W - 2, H - 2, p.shadow);
        c.Pixel(W - 3, H - 3, p.shadow);
        c.Pixel(2, H - 2, p.face);
        c.Pixel(2, H - 3, p.light);
        c.Pixel(W - 2, 2, p.face);
        c.Pixel(W - 3, 2, p.light);
    };
    if (!enabled_) {
        c.FillRect({1, 1, W - 1, H - 1}, p.light);
        EngravedCaption(c);
        raisedEdges();
        return;
    }
    if (lastState_ == kNormal) {
        c.FillRect({1, 1, W - 1, H - 1}, p.light);
        c.Text(caption_, wholeRect_);
        raisedEdges();
        return;
    }
    const Color s16 = Plain(p.shadow, -16);
    const Color s32 = Plain(p.shadow, -32);
    const Color s64 = Plain(p.shadow, -64);
    c.FillRect({1, 1, W - 1, H - 1}, s16);
    c.SetTextColor(p.light);
    c.Text(caption_, pressedRect_);
    outline();
    c.FrameRect({1, 1, W - 1, H - 1}, s64);
    c.FrameRect({2, 2, W - 2, H - 2}, s32);
    c.Pixel(2, 2, s64);
    c.Pixel(3, 3, s32);
    cornerDots();
    c.Line(W - 3, 1, W - 3, H - 3, p.shadow);
    c.Line(1, H - 3, W - 2, H - 3, p.shadow);
    c.Pixel(W - 4, H - 4, p.shadow);
    c.Line(W - 2, 3, W - 2, H - 2, s16);
    c.Line(3, H - 2, W - 2, H - 2, s16);
    c.Pixel(W - 2, H - 3, s32);
    c.Pixel(W - 3, H - 2, s32);
    c.Pixel(2, H - 2, s32);
    c.Pixel(2, H - 3, s16);
    c.Pixel(1, H - 3, s16);
    c.Pixel(W - 2, 2, s32);
    c.Pixel(W - 3, 2, s16);
    c.Pixel(W - 3, 1, s16);
}

void ButtonModel::CaptionFrame(Canvas& c) const {
    const Extent text = c.TextExtent(caption_);
    const int x = (width_ - text.width) / 2 - 3;
    const int y = (height_ - text.height) / 2 - 1;
    c.FrameRect({x, y, x + text.width + 6, y + text.height + 2}, kCaptionFrame);
}

void ButtonModel::PaintBoldFlat(Canvas& c, bool focus) const {
    const int W = width_;
    const int H = height_;
    const Palette& p = palette_;
    c.SetBold(true);
    if (!enabled_) {
        c.SetTextColor(p.shadow);
        c.Text(caption_, wholeRect_);
        c.FrameRect({0, 0, W, H}, p.shadow);
    } else if (lastState_ == kNormal) {
        c.FillRect({1, 1, W, H}, Plain(p.face, 12));
        c.Text(caption_, wholeRect_);
        c.FrameRect({1, 1, W, H}, p.highlight);
        c.FrameRect({0, 0, W - 1, H - 1}, Plain(p.shadow, -26));
        c.Pixel(1, H - 2, Plain(p.shadow, 26));
        c.Pixel(W - 2, 1, Plain(p.shadow, 26));
        if (focus) {
            CaptionFrame(c);
        }
    } else {
        c.FillRect({1, 1, W - 1, H - 1}, Plain(p.shadow, 16));
        c.FrameRect({0, 0, W - 1, H - 1}, Plain(p.shadow, -26));
        c.Line(W - 1, 1, W - 1, H, p.highlight);
        c.Line(1, H - 1, W - 1, H - 1, p.highlight);
        c.Text(caption_, wholeRect_);
        if (focus) {
            CaptionFrame(c);
        }
    }
    c.SetBold(font_.bold);
}

void ButtonModel::PaintDoubleEdge(Canvas& c, bool focus) const {
    const int W = width_;
    const int H = height_;
    const Palette& p = palette_;
    const Color edge = Plain(p.light, 8);
    const bool pressed = enabled_ && lastState_ == kPressed;
    if (!enabled_) {
        c.SetTextColor(p.shadow);
    }
    c.Text(caption_, pressed ? pressedRect_ : wholeRect_);
    const Color frame = pressed ? p.shadow : edge;
    c.FrameRect({0, 0, W, H}, frame);
    c.FrameRect({1, 1, W - 1, H - 1}, frame);
    const Color lines = pressed ? edge : p.shadow;
    c.Line(W - 1, 0, W - 1, H, lines);
    c.Line(W - 2, 1, W - 2, H - 1, lines);
    c.Line(0, H - 1, W, H - 1, lines);
    c.Line(1, H - 2, W - 1, H - 2, lines);
    if (enabled_ && focus) {
        c.FocusRect(focusRect_);
    }
}

void ButtonModel::PaintSingleEdge(Canvas& c, bool focus) const {
    const int W = width_;
    const int H = height_;
    const Palette& p = palette_;
    if (!enabled_) {
        EngravedCaption(c);
        c.FrameRect({0, 0, W, H}, p.highlight);
        c.Line(W - 1, 0, W - 1, H, p.shadow);
        c.Line(0, H - 1, W - 1, H - 1, p.shadow);
        return;
    }
    const bool pressed = lastState_ == kPressed;
    c.Text(caption_, pressed ? pressedRect_ : wholeRect_);
    c.FrameRect({0, 0, W, H}, pressed ? p.shadow : p.highlight);
    const Color lines = pressed ? p.highlight : p.shadow;
    c.Line(W - 1, 0, W - 1, H, lines);
    c.Line(0, H - 1, pressed ? W - 1 : W, H - 1, lines);
    if (focus) {
        c.FocusRect(focusRect_);
    }
}

}  // namespace widgets
