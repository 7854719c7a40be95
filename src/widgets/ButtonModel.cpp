#include "widgets/ButtonModel.h"

namespace widgets {

namespace {
constexpr std::int16_t kSpace = 32;
constexpr std::int16_t kLeftArrow = 37;
constexpr std::int16_t kUpArrow = 38;
constexpr std::int16_t kRightArrow = 39;
constexpr std::int16_t kDownArrow = 40;
}  // namespace

bool ButtonRegion::Contains(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return false;
    }
    for (const Point& p : cut) {
        if (p.x == x && p.y == y) {
            return false;
        }
    }
    return true;
}

wxUniChar AccessKeyOf(const wxString& caption) {
    const size_t length = caption.length();
    if (length < 2) {
        return 0;
    }
    // Only the first ampersand and, when it is doubled, the next one after the pair count.
    size_t p = caption.find('&');
    if (p == wxString::npos || p + 1 >= length) {
        return 0;
    }
    if (caption[p + 1] != '&') {
        return wxString(caption[p + 1]).Lower()[0];
    }
    p = caption.find('&', p + 2);
    if (p == wxString::npos || p + 1 >= length || caption[p + 1] == '&') {
        return 0;
    }
    return wxString(caption[p + 1]).Lower()[0];
}

PropertyBag StoredButtonSet(const wxString& caption, bool enabled) {
    PropertyBag bag;
    bag.Write("btype", std::int32_t{SoftRounded});
    bag.Write("tx", caption);
    bag.Write("enab", enabled);
    bag.Write("font", FontDesc{"MS Sans Serif", 8.25});
    bag.Write("coltype", std::int32_t{SystemColors});
    bag.Write("focusr", true);
    bag.Write("bcol", std::int32_t{0xD8E9EC});
    bag.Write("fcol", std::int32_t{0x000000});
    return bag;
}

ButtonModel::ButtonModel(ButtonHost& host, ButtonEvents& events) : host_(host), events_(events) {
    lastMouseButton_ = 1;
    pressedRect_.left = 2;
    pressedRect_.top = 2;
    SetPalette();
}

void ButtonModel::InitNew() {
    enabled_ = true;
    showFocusRect_ = true;
    font_ = host_.WindowFont();
    buttonType_ = ClassicRaised;
    colorScheme_ = SystemColors;
    backColor_ = host_.SystemColour(SystemColor::ButtonFace);
    foreColor_ = host_.SystemColour(SystemColor::ButtonText);
}

void ButtonModel::ReadProperties(const PropertyBag& bag) {
    buttonType_ = bag.ReadInt("btype", ClassicRaised);
    caption_ = bag.ReadString("tx", wxString());
    enabled_ = bag.ReadBool("enab", true);
    font_ = bag.ReadFont("font", host_.WindowFont());
    colorScheme_ = bag.ReadInt("coltype", SystemColors);
    showFocusRect_ = bag.ReadBool("focusr", true);
    backColor_ = static_cast<Color>(bag.ReadInt(
        "bcol", static_cast<std::int32_t>(host_.SystemColour(SystemColor::ButtonFace))));
    foreColor_ = static_cast<Color>(bag.ReadInt(
        "fcol", static_cast<std::int32_t>(host_.SystemColour(SystemColor::ButtonText))));
    host_.ApplyEnabled(enabled_);
    host_.ApplyFont(font_);
    SetPalette();
    ApplyAccessKey();
    DrawButton(kNormal, true);
}

void ButtonModel::WriteProperties(PropertyBag& bag) const {
    bag.Write("btype", buttonType_);
    bag.Write("tx", caption_);
    bag.Write("enab", enabled_);
    bag.Write("font", font_);
    bag.Write("coltype", colorScheme_);
    bag.Write("focusr", showFocusRect_);
    bag.Write("bcol", static_cast<std::int32_t>(backColor_));
    bag.Write("fcol", static_cast<std::int32_t>(foreColor_));
}

void ButtonModel::Resize(int width, int height) {
    height_ = height;
    width_ = width;
    ReshapeAndPaint();
}

void ButtonModel::SetCaptionInset(int left, int top) {
    if (left == captionInset_ && top == captionTop_) {
        return;
    }
    captionInset_ = left;
    captionTop_ = top;
    ReshapeAndPaint();
}

void ButtonModel::ReshapeAndPaint() {
    wholeRect_ = {captionInset_, captionTop_, width_, height_};
    pressedRect_.left = 2 + captionInset_;
    pressedRect_.top = 2 + captionTop_;
    pressedRect_.right = width_;
    pressedRect_.bottom = height_;
    focusRect_ = {4, 4, width_ - 4, height_ - 4};
    host_.ApplyShape(MakeRegion());
    DrawButton(kNormal, true);
}

void ButtonModel::AmbientChanged() {
    DrawButton(lastState_, true);
}

void ButtonModel::SetPalette() {
    switch (colorScheme_) {
        case CustomColors:
            palette_ = {backColor_,
                        Plain(backColor_, 31),
                        Plain(backColor_, 47),
                        Plain(backColor_, -64),
                        Plain(backColor_, -192),
                        foreColor_};
            break;
        case FixedGrey:
            palette_ = {0xC0C0C0, 0xDFDFDF, 0xFFFFFF, 0x808080, 0x000000, 0x000000};
            break;
        default:
            // Read now rather than cached, so a theme change shows at the next palette change.
            palette_ = {host_.SystemColour(SystemColor::ButtonFace),
                        host_.SystemColour(SystemColor::Light3D),
                        host_.SystemColour(SystemColor::ButtonHighlight),
                        host_.SystemColour(SystemColor::ButtonShadow),
                        host_.SystemColour(SystemColor::DarkShadow3D),
                        host_.SystemColour(SystemColor::ButtonText)};
            break;
    }
}

void ButtonModel::SetBackColor(Color color) {
    backColor_ = color;
    SetPalette();
    DrawButton(lastState_, true);
    host_.PropertyChanged("bcol");
}

void ButtonModel::SetForeColor(Color color) {
    foreColor_ = color;
    SetPalette();
    DrawButton(lastState_, true);
    host_.PropertyChanged("fcol");
}

void ButtonModel::SetButtonType(std::int32_t type) {
    buttonType_ = type;
    ReshapeAndPaint();
    DrawButton(kNormal, true);
    host_.PropertyChanged("btype");
}

void ButtonModel::SetCaption(const wxString& caption) {
    caption_ = caption;
    ApplyAccessKey();
    DrawButton(kNormal, true);
    host_.PropertyChanged("tx");
}

void ButtonModel::SetEnabled(bool enabled) {
    enabled_ = enabled;
    DrawButton(kNormal, true);
    host_.ApplyEnabled(enabled);
    host_.PropertyChanged("enab");
}

void ButtonModel::SetFont(const FontDesc& font) {
    font_ = font;
    host_.ApplyFont(font_);
    DrawButton(kNormal, true);
    host_.PropertyChanged("font");
}

void ButtonModel::SetColorScheme(std::int32_t scheme) {
    colorScheme_ = scheme;
    SetPalette();
    DrawButton(kNormal, true);
    host_.PropertyChanged("coltype");
}

void ButtonModel::SetShowFocusRect(bool show) {
    showFocusRect_ = show;
    DrawButton(lastState_, true);
    host_.PropertyChanged("focusr");
}

void ButtonModel::DrawButton(std::uint8_t state, bool force) {
    if (!force && caption_ == lastCaption_ && state == lastState_) {
        return;
    }
    if (height_ == 0) {
        return;
    }
    lastState_ = state;
    lastCaption_ = caption_;
    host_.Invalidate();
}

bool ButtonModel::Inside(float x, float y) const {
    return !(x < 0 || y < 0 || x > static_cast<float>(width_) || y > static_cast<float>(height_));
}

void ButtonModel::MousePress(std::int16_t button, std::int16_t shift, float x, float y) {
    lastMouseButton_ = static_cast<std::uint8_t>(button);
    if (button != kRightButton) {
        DrawButton(kPressed, false);
    }
    if (events_.MouseDown) {
        events_.MouseDown(button, shift, x, y);
    }
}

void ButtonModel::MouseMove(std::int16_t button, std::int16_t shift, float x, float y) {
    if (button == 0 || button == kLeftButton) {
        if (!Inside(x, y)) {
            DrawButton(kNormal, false);
        } else if (button == kLeftButton) {
            DrawButton(kPressed, false);
        }
    }
    if (events_.MouseMove) {
        events_.MouseMove(button, shift, x, y);
    }
}

void ButtonModel::MouseRelease(std::int16_t button, std::int16_t shift, float x, float y) {
    if (button != kRightButton) {
        DrawButton(kNormal, false);
    }
    if (events_.MouseUp) {
        events_.MouseUp(button, shift, x, y);
    }
}

void ButtonModel::ClickNotification() {
    if (lastMouseButton_ != kLeftButton || !enabled_) {
        return;
    }
    DrawButton(kNormal, true);
    host_.UpdateNow();
    if (events_.Click) {
        events_.Click();
    }
}

void ButtonModel::DoubleClick() {
    if (lastMouseButton_ == kLeftButton) {
        MousePress(kLeftButton, kShiftMask, 1.0f, 1.0f);
    }
}

void ButtonModel::AccessKeyPressed() {
    ClickNotification();
}

void ButtonModel::KeyDown(std::int16_t keyCode, std::int16_t shift) {
    if (events_.KeyDown) {
        events_.KeyDown(keyCode, shift);
    }
    // Codes beyond one byte are no key this button acts on; keep them from aliasing space.
    lastKey_ = (keyCode >= 0 && keyCode <= 255) ? keyCode : 0;
    switch (keyCode) {
        case kSpace:
            MousePress(kLeftButton, kShiftMask, 1.0f, 1.0f);
            break;
        case kRightArrow:
        case kDownArrow:
            host_.MoveFocus(true);
            break;
        case kLeftArrow:
        case kUpArrow:
            host_.MoveFocus(false);
            break;
        default:
            break;
    }
}

void ButtonModel::KeyPress(std::int16_t keyAscii) {
    if (events_.KeyPress) {
        events_.KeyPress(keyAscii);
    }
}

void ButtonModel::KeyUp(std::int16_t keyCode, std::int16_t shift) {
    if (events_.KeyUp) {
        events_.KeyUp(keyCode, shift);
    }
    if (lastKey_ == kSpace && keyCode == kSpace) {
        // One space press gives one click; a stray second release must not click again.
        lastKey_ = 0;
        MouseRelease(kLeftButton, kShiftMask, 1.0f, 1.0f);
        lastMouseButton_ = kLeftButton;
        ClickNotification();
    }
}

void ButtonModel::FocusGained() {
    hasFocus_ = true;
    DrawButton(lastState_, true);
}

void ButtonModel::FocusLost() {
    hasFocus_ = false;
    DrawButton(lastState_, true);
}

void ButtonModel::PointerDown(std::int16_t button, std::int16_t shift, float x, float y) {
    pointerButton_ = button;
    pointerDoubleClick_ = false;
    MousePress(button, shift, x, y);
}

void ButtonModel::PointerUp(std::int16_t button, std::int16_t shift, float x, float y) {
    const bool click = pointerButton_ == button && !pointerDoubleClick_ && Inside(x, y);
    pointerButton_ = 0;
    pointerDoubleClick_ = false;
    MouseRelease(button, shift, x, y);
    if (click) {
        ClickNotification();
    }
}

void ButtonModel::PointerDoubleClick() {
    if (pointerButton_ == kLeftButton) {
        // The toolkit already reported this second press as a plain press; it only loses its
        // click.
        pointerDoubleClick_ = true;
        return;
    }
    pointerButton_ = kLeftButton;
    pointerDoubleClick_ = true;
    DoubleClick();
}

}  // namespace widgets
