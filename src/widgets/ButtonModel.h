#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "widgets/Canvas.h"
#include "widgets/Color.h"
#include "widgets/FontDesc.h"
#include "widgets/PropertyBag.h"

namespace widgets {

// Values of the `ButtonType` property; any other value paints the face only.
enum ButtonTypeValue : std::int32_t {
    OutlinedRaised = 1,
    ClassicRaised = 2,
    GradientRounded = 3,
    SoftRounded = 4,
    BoldFlat = 5,
    DoubleEdge = 6,
    SingleEdge = 7,
};

// Values of the `ColorScheme` property; any other value behaves as SystemColors.
enum ColorSchemeValue : std::int32_t {
    SystemColors = 1,
    CustomColors = 2,
    FixedGrey = 3,
};

// Looks a paint can be asked for.
enum : std::uint8_t { kNormal = 0, kPressed = 2 };

// Mouse button and shift bits as the events carry them.
enum : std::int16_t { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
enum : std::int16_t { kShiftMask = 1, kCtrlMask = 2, kAltMask = 4 };

enum class SystemColor {
    ButtonFace,
    Light3D,
    ButtonHighlight,
    ButtonShadow,
    DarkShadow3D,
    ButtonText
};

struct Palette {
    Color face = 0;
    Color light = 0;
    Color highlight = 0;
    Color shadow = 0;
    Color darkShadow = 0;
    Color text = 0;
    bool operator==(const Palette&) const = default;
};

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

// Window shape: the full client rectangle less some single pixels.
struct ButtonRegion {
    int width = 0;
    int height = 0;
    std::vector<Point> cut;
    bool Contains(int x, int y) const;
};

// Events raised to the hosting window. Arguments are references: a handler may change them,
// and for KeyDown the button acts on the changed key code.
struct ButtonEvents {
    std::function<void()> Click;
    std::function<void(std::int16_t& button, std::int16_t& shift, float& x, float& y)> MouseDown;
    std::function<void(std::int16_t& button, std::int16_t& shift, float& x, float& y)> MouseMove;
    std::function<void(std::int16_t& button, std::int16_t& shift, float& x, float& y)> MouseUp;
    std::function<void(std::int16_t& keyAscii)> KeyPress;
    std::function<void(std::int16_t& keyCode, std::int16_t& shift)> KeyDown;
    std::function<void(std::int16_t& keyCode, std::int16_t& shift)> KeyUp;
};

// What the button needs from the window system around it.
class ButtonHost {
public:
    virtual ~ButtonHost() = default;
    virtual Color SystemColour(SystemColor which) = 0;
    virtual FontDesc WindowFont() = 0;
    virtual void ApplyFont(const FontDesc&) {}
    virtual void ApplyEnabled(bool) {}
    virtual void ApplyShape(const ButtonRegion&) {}
    // A paint of the last state is due.
    virtual void Invalidate() {}
    // Make a pending paint visible before returning.
    virtual void UpdateNow() {}
    // The stored set no longer matches the property named by `key`.
    virtual void PropertyChanged(std::string_view /*key*/) {}
    virtual void MoveFocus(bool /*forward*/) {}
    // Whether the hosting window shows this button as its default button.
    virtual bool IsDefaultButton() { return false; }
};

// The access key of a caption ("&Save" gives 's'), or 0 when it has none.
wxUniChar AccessKeyOf(const wxString& caption);

// Stored set of the windows' command buttons: SoftRounded, system colours, focus rectangle,
// face 0xD8E9EC, black text, "MS Sans Serif" 8.25 pt.
PropertyBag StoredButtonSet(const wxString& caption, bool enabled = true);

// The toolkit-free button: its record, properties, painter, window shape and input handling.
// The toolkit control owns one, feeds it input and paints it through a Canvas.
class ButtonModel {
public:
    // Creation: palette from the host, last mouse button left.
    ButtonModel(ButtonHost& host, ButtonEvents& events);

    // Defaults for a button that has no stored set yet; paints nothing.
    void InitNew();
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    // Client size changed: new shape, then a forced paint.
    void Resize(int width, int height);
    // The host's ambient settings changed; repaint in the last state.
    void AmbientChanged();

    Color BackColor() const { return backColor_; }
    void SetBackColor(Color color);
    Color ForeColor() const { return foreColor_; }
    void SetForeColor(Color color);
    std::int32_t ButtonType() const { return buttonType_; }
    void SetButtonType(std::int32_t type);
    const wxString& Caption() const { return caption_; }
    void SetCaption(const wxString& caption);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    const FontDesc& Font() const { return font_; }
    void SetFont(const FontDesc& font);
    std::int32_t ColorScheme() const { return colorScheme_; }
    void SetColorScheme(std::int32_t scheme);
    bool ShowFocusRect() const { return showFocusRect_; }
    void SetShowFocusRect(bool show);

    wxUniChar AccessKey() const { return accessKey_; }
    const Palette& Colors() const { return palette_; }
    // Pixels kept free of the caption at the left and at the top, for a picture; none by
    // default.
    void SetCaptionInset(int left, int top = 0);
    int Width() const { return width_; }
    int Height() const { return height_; }
    std::uint8_t LastState() const { return lastState_; }
    bool HasFocus() const { return hasFocus_; }
    std::uint8_t LastMouseButton() const { return lastMouseButton_; }

    // Asks for a paint in `state`; returns at once, painting nothing, when not forced and
    // neither the state nor the caption changed since the last paint.
    void DrawButton(std::uint8_t state, bool force);
    // Paints the last state requested through DrawButton.
    void Paint(Canvas& canvas) const;
    ButtonRegion MakeRegion() const;

    // Input handlers, one per kind of input the window system reports.
    void MousePress(std::int16_t button, std::int16_t shift, float x, float y);
    void MouseMove(std::int16_t button, std::int16_t shift, float x, float y);
    void MouseRelease(std::int16_t button, std::int16_t shift, float x, float y);
    void ClickNotification();
    void DoubleClick();
    void AccessKeyPressed();
    void KeyDown(std::int16_t keyCode, std::int16_t shift);
    void KeyPress(std::int16_t keyAscii);
    void KeyUp(std::int16_t keyCode, std::int16_t shift);
    void FocusGained();
    void FocusLost();

    // Raw pointer input from a toolkit that has no click notification of its own: a release
    // of the pressed button inside the button counts as a click, except for the second press
    // of a double click.
    void PointerDown(std::int16_t button, std::int16_t shift, float x, float y);
    void PointerUp(std::int16_t button, std::int16_t shift, float x, float y);
    void PointerDoubleClick();

    bool Inside(float x, float y) const;

private:
    void SetPalette();
    void ApplyAccessKey() { accessKey_ = AccessKeyOf(caption_); }
    void ReshapeAndPaint();

    void PaintOutlinedRaised(Canvas& c, bool focus) const;
    void PaintClassicRaised(Canvas& c, bool focus) const;
    void PaintGradientRounded(Canvas& c, bool focus) const;
    void PaintSoftRounded(Canvas& c) const;
    void PaintBoldFlat(Canvas& c, bool focus) const;
    void PaintDoubleEdge(Canvas& c, bool focus) const;
    void PaintSingleEdge(Canvas& c, bool focus) const;
    void EngravedCaption(Canvas& c) const;
    void CaptionFrame(Canvas& c) const;

    ButtonHost& host_;
    ButtonEvents& events_;

    std::int32_t buttonType_ = ClassicRaised;
    std::int32_t colorScheme_ = SystemColors;
    int height_ = 0;
    int width_ = 0;
    Color backColor_ = 0;
    Color foreColor_ = 0;
    wxString caption_;
    FontDesc font_;
    Rect wholeRect_;
    Rect pressedRect_;
    Rect focusRect_;
    std::uint8_t lastMouseButton_ = 1;
    int lastKey_ = 0;
    bool enabled_ = true;
    bool hasFocus_ = false;
    bool showFocusRect_ = true;
    Palette palette_;
    std::uint8_t lastState_ = kNormal;
    wxString lastCaption_;
    int captionInset_ = 0;
    int captionTop_ = 0;
    wxUniChar accessKey_ = 0;

    // Toolkit click synthesis.
    std::int16_t pointerButton_ = 0;
    bool pointerDoubleClick_ = false;
};

}  // namespace widgets
