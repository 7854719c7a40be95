#include "widgets/ChameleonButton.h"

#include <algorithm>

#include <wx/dcbuffer.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/fontenum.h>
#include <wx/graphics.h>
#include <wx/image.h>
#include <wx/region.h>
#include <wx/settings.h>
#include <wx/toplevel.h>

#ifdef __WXGTK__
#include <gdk/gdk.h>
#endif

namespace widgets {

namespace {

wxColour ToWx(Color c) {
    return wxColour(RedOf(c), GreenOf(c), BlueOf(c));
}

// Paints into an off-screen bitmap with whole-pixel rectangles only, so every line and pixel
// lands exactly where the painter put it whatever the DC's anti-aliasing does.
class BitmapCanvas : public Canvas {
public:
    BitmapCanvas(wxBitmap& bitmap, const wxFont& font) : bitmap_(bitmap), font_(font) {
        dc_.SelectObject(bitmap_);
        Prepare();
    }
    ~BitmapCanvas() override { dc_.SelectObject(wxNullBitmap); }

    void Clear() override {
        dc_.SetBackground(*wxBLACK_BRUSH);
        dc_.Clear();
    }
    void FillRect(const Rect& r, Color color) override {
        if (r.right <= r.left || r.bottom <= r.top) {
            return;
        }
        // Set every time: drawing an underlined caption leaves the text colour's pen behind.
        dc_.SetPen(*wxTRANSPARENT_PEN);
        dc_.SetBrush(wxBrush(ToWx(color)));
        dc_.DrawRectangle(r.left, r.top, r.right - r.left, r.bottom - r.top);
        dc_.SetBrush(wxNullBrush);
    }
    void FrameRect(const Rect& r, Color color) override {
        if (r.right <= r.left || r.bottom <= r.top) {
            return;
        }
        FillRect({r.left, r.top, r.right, r.top + 1}, color);
        FillRect({r.left, r.bottom - 1, r.right, r.bottom}, color);
        FillRect({r.left, r.top + 1, r.left + 1, r.bottom - 1}, color);
        FillRect({r.right - 1, r.top + 1, r.right, r.bottom - 1}, color);
    }
    void Line(int x1, int y1, int x2, int y2, Color color) override {
        if (y1 == y2) {
            FillRect({std::min(x1, x2 + 1), y1, std::max(x1 + 1, x2), y1 + 1}, color);
        } else if (x1 == x2) {
            FillRect({x1, std::min(y1, y2 + 1), x1 + 1, std::max(y1 + 1, y2)}, color);
        } else {
            ForEachLinePixel(x1, y1, x2, y2, [&](int x, int y) { Pixel(x, y, color); });
        }
    }
    void Pixel(int x, int y, Color color) override { FillRect({x, y, x + 1, y + 1}, color); }
    void SetTextColor(Color color) override {
        textColor_ = ToWx(color);
        dc_.SetTextForeground(textColor_);
    }
    void Text(const wxString& caption, const Rect& box) override {
        int accel = -1;
        wxString shown = StripMnemonics(caption, &accel);
        shown.Replace("\t", "        ");
        const wxRect rect(box.left, box.top, box.right - box.left, box.bottom - box.top);
        if (rect.IsEmpty()) {
            return;
        }
        dc_.SetClippingRegion(rect);
        dc_.DrawLabel(shown, rect, wxALIGN_CENTER, accel);
        dc_.DestroyClippingRegion();
    }
    void FocusRect(const Rect& r) override {
        // Inverting needs the pixels already painted, which only the bitmap itself can give.
        dc_.SelectObject(wxNullBitmap);
        wxImage image = bitmap_.ConvertToImage();
        ForEachFramePixel(r, [&](int x, int y) {
            if ((x + y) % 2 != 0 || x < 0 || y < 0 || x >= image.GetWidth() ||
                y >= image.GetHeight()) {
                return;
            }
            image.SetRGB(x, y, 255 - image.GetRed(x, y), 255 - image.GetGreen(x, y),
                         255 - image.GetBlue(x, y));
        });
        bitmap_ = wxBitmap(image);
        dc_.SelectObject(bitmap_);
        Prepare();
    }
    Extent TextExtent(const wxString& caption) override {
        const wxSize size = dc_.GetTextExtent(StripMnemonics(caption));
        return {size.GetWidth(), size.GetHeight()};
    }
    void SetBold(bool bold) override {
        font_.SetWeight(bold ? wxFONTWEIGHT_BOLD : wxFONTWEIGHT_NORMAL);
        dc_.SetFont(font_);
    }

private:
    void Prepare() {
        if (wxGraphicsContext* gc = dc_.GetGraphicsContext()) {
            gc->SetAntialiasMode(wxANTIALIAS_NONE);
        }
        dc_.SetPen(*wxTRANSPARENT_PEN);
        dc_.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
        dc_.SetFont(font_);
        dc_.SetTextForeground(textColor_);
    }

    wxBitmap& bitmap_;
    wxFont font_;
    wxMemoryDC dc_;
    wxColour textColor_ = *wxBLACK;
};

// Maps wx key codes to the key codes the button's events carry (letters and digits as their
// upper-case characters, 37..40 for the arrows, and so on).
std::int16_t ToKeyCode(int wxKey) {
    switch (wxKey) {
        case WXK_LEFT:
            return 37;
        case WXK_UP:
            return 38;
        case WXK_RIGHT:
            return 39;
        case WXK_DOWN:
            return 40;
        case WXK_PAGEUP:
            return 33;
        case WXK_PAGEDOWN:
            return 34;
        case WXK_END:
            return 35;
        case WXK_HOME:
            return 36;
        case WXK_INSERT:
            return 45;
        case WXK_DELETE:
            return 46;
        case WXK_SHIFT:
            return 16;
        case WXK_CONTROL:
            return 17;
        case WXK_ALT:
            return 18;
        case WXK_NUMPAD_ENTER:
            return 13;
        default:
            break;
    }
    if (wxKey >= WXK_F1 && wxKey <= WXK_F24) {
        return static_cast<std::int16_t>(112 + (wxKey - WXK_F1));
    }
    if (wxKey >= WXK_NUMPAD0 && wxKey <= WXK_NUMPAD9) {
        return static_cast<std::int16_t>(96 + (wxKey - WXK_NUMPAD0));
    }
    if (wxKey >= 'a' && wxKey <= 'z') {
        return static_cast<std::int16_t>(wxKey - 'a' + 'A');
    }
    return wxKey > 0 && wxKey < 256 ? static_cast<std::int16_t>(wxKey) : 0;
}

std::int16_t ShiftOf(const wxKeyboardState& state) {
    return static_cast<std::int16_t>((state.ShiftDown() ? kShiftMask : 0) |
                                     (state.ControlDown() ? kCtrlMask : 0) |
                                     (state.AltDown() ? kAltMask : 0));
}

std::int16_t ButtonOf(const wxMouseEvent& event) {
    switch (event.GetButton()) {
        case wxMOUSE_BTN_LEFT:
            return kLeftButton;
        case wxMOUSE_BTN_RIGHT:
            return kRightButton;
        case wxMOUSE_BTN_MIDDLE:
            return kMiddleButton;
        default:
            return 0;
    }
}

std::int16_t ButtonsHeld(const wxMouseState& state) {
    return static_cast<std::int16_t>((state.LeftIsDown() ? kLeftButton : 0) |
                                     (state.RightIsDown() ? kRightButton : 0) |
                                     (state.MiddleIsDown() ? kMiddleButton : 0));
}

Color ToColor(const wxColour& c) {
    return Rgb(c.Red(), c.Green(), c.Blue());
}

}  // namespace

wxFont ToWxFont(const FontDesc& desc) {
    wxFontInfo info(desc.points > 0 ? desc.points : 8.25);
    if (!desc.face.empty() && wxFontEnumerator::IsValidFacename(desc.face)) {
        info.FaceName(desc.face);
    } else {
        info.Family(wxFONTFAMILY_SWISS);
    }
    info.Bold(desc.bold)
        .Italic(desc.italic)
        .Underlined(desc.underline)
        .Strikethrough(desc.strikethrough);
    return wxFont(info);
}

wxBitmap RenderButton(const ButtonModel& model, const wxFont& font) {
    wxBitmap bitmap(std::max(model.Width(), 1), std::max(model.Height(), 1), 24);
    {
        BitmapCanvas canvas(bitmap, font);
        model.Paint(canvas);
    }
    return bitmap;
}

class chameleonButton::Host : public ButtonHost {
public:
    explicit Host(chameleonButton& button) : button_(button) {}

    Color SystemColour(SystemColor which) override {
        switch (which) {
            case SystemColor::ButtonFace:
                return ToColor(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
            case SystemColor::Light3D:
                return ToColor(wxSystemSettings::GetColour(wxSYS_COLOUR_3DLIGHT));
            case SystemColor::ButtonHighlight:
                return ToColor(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNHIGHLIGHT));
            case SystemColor::ButtonShadow:
                return ToColor(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW));
            case SystemColor::DarkShadow3D:
                return ToColor(wxSystemSettings::GetColour(wxSYS_COLOUR_3DDKSHADOW));
            case SystemColor::ButtonText:
                return ToColor(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT));
        }
        return 0;
    }
    FontDesc WindowFont() override {
        const wxFont font = button_.GetFont();
        return {font.GetFaceName(),
                font.GetFractionalPointSize(),
                font.GetWeight() >= wxFONTWEIGHT_BOLD,
                font.GetStyle() != wxFONTSTYLE_NORMAL,
                font.GetUnderlined(),
                font.GetStrikethrough()};
    }
    void ApplyFont(const FontDesc& font) override { button_.SetFont(ToWxFont(font)); }
    void ApplyEnabled(bool enabled) override { button_.wxControl::Enable(enabled); }
    void ApplyShape(const ButtonRegion& region) override {
        button_.shape_ = region;
        button_.ApplyShape();
    }
    void Invalidate() override { button_.Refresh(false); }
    void UpdateNow() override { button_.Update(); }
    void PropertyChanged(std::string_view key) override {
        if (button_.PropertyChanged) {
            button_.PropertyChanged(key);
        }
    }
    void MoveFocus(bool forward) override {
        button_.Navigate(forward ? wxNavigationKeyEvent::IsForward
                                 : wxNavigationKeyEvent::IsBackward);
    }

private:
    chameleonButton& button_;
};

chameleonButton::chameleonButton(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                                 const wxSize& size, const PropertyBag* stored)
    : wxControl(parent, id, pos, size, wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE),
      host_(std::make_unique<Host>(*this)),
      model_(*host_, *this) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetInitialSize(size);
    if (stored) {
        model_.ReadProperties(*stored);
    } else {
        model_.InitNew();
    }
    const wxSize client = GetClientSize();
    model_.Resize(client.GetWidth(), client.GetHeight());
    FitPicture();

    Bind(wxEVT_PAINT, &chameleonButton::OnPaint, this);
    Bind(wxEVT_SIZE, &chameleonButton::OnSize, this);
    for (auto type : {wxEVT_LEFT_DOWN, wxEVT_MIDDLE_DOWN, wxEVT_RIGHT_DOWN}) {
        Bind(type, &chameleonButton::OnMouseDown, this);
    }
    for (auto type : {wxEVT_LEFT_UP, wxEVT_MIDDLE_UP, wxEVT_RIGHT_UP}) {
        Bind(type, &chameleonButton::OnMouseUp, this);
    }
    Bind(wxEVT_LEFT_DCLICK, &chameleonButton::OnDoubleClick, this);
    Bind(wxEVT_MOTION, &chameleonButton::OnMotion, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &chameleonButton::OnCaptureLost, this);
    Bind(wxEVT_KEY_DOWN, &chameleonButton::OnKeyDown, this);
    Bind(wxEVT_CHAR, &chameleonButton::OnChar, this);
    Bind(wxEVT_KEY_UP, &chameleonButton::OnKeyUp, this);
    Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& e) {
        model_.FocusGained();
        e.Skip();
    });
    Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& e) {
        model_.FocusLost();
        e.Skip();
    });
    Bind(wxEVT_SYS_COLOUR_CHANGED, [this](wxSysColourChangedEvent& e) {
        model_.AmbientChanged();
        e.Skip();
    });
    // Access keys work from anywhere in the window, not only while this button has focus.
    topLevel_ = wxGetTopLevelParent(this);
    if (topLevel_) {
        topLevel_->Bind(wxEVT_CHAR_HOOK, &chameleonButton::OnCharHook, this);
    }
}

chameleonButton::~chameleonButton() {
    if (topLevel_) {
        topLevel_->Unbind(wxEVT_CHAR_HOOK, &chameleonButton::OnCharHook, this);
    }
    if (HasCapture()) {
        ReleaseMouse();
    }
}

wxSize chameleonButton::DoGetBestSize() const {
    wxSize size = FromDIP(wxSize(75, 25));
    const wxSize text = GetTextExtent(Caption());
    size.IncTo(wxSize(text.x + 2 * CaptionMargin(), text.y + FromDIP(8)));
    return size;
}

chameleonButton* chameleonButton::CreateStored(wxWindow* parent, const wxString& caption,
                                               const wxPoint& pos, const wxSize& size, bool enabled,
                                               wxWindowID id) {
    const PropertyBag stored = StoredButtonSet(caption, enabled);
    return new chameleonButton(parent, id, pos, size, &stored);
}

void chameleonButton::SetToolTipText(const wxString& text) {
    toolTipText_ = text;
    if (text.empty()) {
        UnsetToolTip();
    } else {
        SetToolTip(text);
    }
}

bool chameleonButton::Enable(bool enable) {
    if (enable == model_.Enabled() && IsThisEnabled() == enable) {
        return false;
    }
    model_.SetEnabled(enable);
    return true;
}

void chameleonButton::ApplyShape() {
#ifdef __WXGTK__
    // wx shapes only top-level windows; a child's GdkWindow takes a shape the same way, and
    // GDK then clips both painting and pointer input to it.
    GdkWindow* window = GTKGetDrawingWindow();
    if (window == nullptr) {
        return;  // applied once the window is realized
    }
    if (shape_.cut.empty() || shape_.width <= 0 || shape_.height <= 0) {
        gdk_window_shape_combine_region(window, nullptr, 0, 0);
        return;
    }
    wxRegion region(0, 0, shape_.width, shape_.height);
    for (const Point& p : shape_.cut) {
        region.Subtract(wxRect(p.x, p.y, 1, 1));
    }
    gdk_window_shape_combine_region(window, region.GetRegion(), 0, 0);
#endif
}

#ifdef __WXGTK__
void chameleonButton::GTKHandleRealized() {
    wxControl::GTKHandleRealized();
    ApplyShape();
}
#endif

void chameleonButton::OnPaint(wxPaintEvent&) {
    wxPaintDC target(this);
    const int width = model_.Width();
    const int height = model_.Height();
    if (width <= 0 || height <= 0) {
        return;
    }
    // The window shape already keeps the pointer out of the cut pixels; painting is clipped
    // here as well, since GDK does not clip drawing in a child window to its shape.
    if (!shape_.cut.empty()) {
        wxRegion visible(0, 0, shape_.width, shape_.height);
        for (const Point& p : shape_.cut) {
            visible.Subtract(wxRect(p.x, p.y, 1, 1));
        }
        target.SetDeviceClippingRegion(visible);
    }
    wxBitmap face = RenderButton(model_, GetFont());
    if (shownPicture_.IsOk()) {
        wxMemoryDC dc(face);  // let go of before the face is shown
        dc.DrawBitmap(shownPicture_, PictureRect().GetTopLeft(), true);
        dc.SelectObject(wxNullBitmap);
    }
    target.DrawBitmap(face, 0, 0);
}

void chameleonButton::SetPicture(const wxImage& picture) {
    picture_ = picture;
    FitPicture();
    Refresh();
}

void chameleonButton::SetPictureAbove(int captionHeight) {
    captionBelow_ = std::max(0, captionHeight);
    FitPicture();
    Refresh();
}

wxRect chameleonButton::PictureRect() const {
    if (!shownPicture_.IsOk()) {
        return {};
    }
    const wxSize size = shownPicture_.GetSize();
    if (captionBelow_ > 0) {
        const int above = model_.Height() - captionBelow_;
        return {(model_.Width() - size.x) / 2,
                kPictureBorder + (above - kPictureBorder - size.y) / 2, size.x, size.y};
    }
    return {kPictureBorder, (model_.Height() - size.y) / 2, size.x, size.y};
}

void chameleonButton::FitPicture() {
    if (captionBelow_ > 0 && picture_.IsOk()) {
        const int side = std::min(model_.Width() - 2 * kPictureBorder,
                                  model_.Height() - captionBelow_ - kPictureBorder);
        if (side > 0) {
            const double scale = std::min(static_cast<double>(side) / picture_.GetHeight(),
                                          static_cast<double>(side) / picture_.GetWidth());
            const int w = std::max(1, static_cast<int>(picture_.GetWidth() * scale));
            const int h = std::max(1, static_cast<int>(picture_.GetHeight() * scale));
            shownPicture_ = wxBitmap(picture_.Scale(w, h, wxIMAGE_QUALITY_HIGH));
            model_.SetCaptionInset(0, model_.Height() - captionBelow_);
            return;
        }
    }
    const int side = model_.Height() - 2 * kPictureBorder;
    if (!picture_.IsOk() || side <= 0) {
        shownPicture_ = wxBitmap();
        model_.SetCaptionInset(0);
        return;
    }
    // Kept square-ish: as tall as the button allows, no wider than it is tall.
    const double scale = std::min(static_cast<double>(side) / picture_.GetHeight(),
                                  static_cast<double>(side) / picture_.GetWidth());
    const int w = std::max(1, static_cast<int>(picture_.GetWidth() * scale));
    const int h = std::max(1, static_cast<int>(picture_.GetHeight() * scale));
    shownPicture_ = wxBitmap(picture_.Scale(w, h, wxIMAGE_QUALITY_HIGH));
    model_.SetCaptionInset(kPictureBorder + w);
}

void chameleonButton::OnSize(wxSizeEvent& event) {
    const wxSize client = GetClientSize();
    model_.Resize(client.GetWidth(), client.GetHeight());
    if (picture_.IsOk()) {
        FitPicture();  // the picture follows the button's size, drawn afresh all over
        Refresh();
    }
    event.Skip();
}

void chameleonButton::OnMouseDown(wxMouseEvent& event) {
    const std::int16_t button = ButtonOf(event);
    if (button == kLeftButton && FindFocus() != this) {
        SetFocus();
    }
    if (!HasCapture()) {
        CaptureMouse();
    }
    model_.PointerDown(button, ShiftOf(event), static_cast<float>(event.GetX()),
                       static_cast<float>(event.GetY()));
}

void chameleonButton::OnMouseUp(wxMouseEvent& event) {
    if (HasCapture() && ButtonsHeld(event) == 0) {
        ReleaseMouse();
    }
    model_.PointerUp(ButtonOf(event), ShiftOf(event), static_cast<float>(event.GetX()),
                     static_cast<float>(event.GetY()));
}

void chameleonButton::OnDoubleClick(wxMouseEvent&) {
    model_.PointerDoubleClick();
}

void chameleonButton::OnMotion(wxMouseEvent& event) {
    model_.MouseMove(ButtonsHeld(event), ShiftOf(event), static_cast<float>(event.GetX()),
                     static_cast<float>(event.GetY()));
}

void chameleonButton::OnCaptureLost(wxMouseCaptureLostEvent&) {
    model_.DrawButton(kNormal, false);
}

void chameleonButton::OnKeyDown(wxKeyEvent& event) {
    const std::int16_t code = ToKeyCode(event.GetKeyCode());
    model_.KeyDown(code, ShiftOf(event));
    // Arrows already moved the focus; everything else goes on to become a character or a
    // Tab navigation.
    if (code < 37 || code > 40) {
        event.Skip();
    }
}

void chameleonButton::OnChar(wxKeyEvent& event) {
    int key = event.GetUnicodeKey();
    if (key == WXK_NONE) {
        key = event.GetKeyCode();
    }
    if (key > 0 && key < 256) {
        model_.KeyPress(static_cast<std::int16_t>(key));
    }
    event.Skip();
}

void chameleonButton::OnKeyUp(wxKeyEvent& event) {
    model_.KeyUp(ToKeyCode(event.GetKeyCode()), ShiftOf(event));
    event.Skip();
}

void chameleonButton::OnCharHook(wxKeyEvent& event) {
    const wxUniChar key = model_.AccessKey();
    if (key != 0 && event.AltDown() && !event.ControlDown() && IsShownOnScreen() && IsEnabled()) {
        int pressed = event.GetUnicodeKey();
        if (pressed == WXK_NONE) {
            pressed = event.GetKeyCode();
        }
        if (pressed > 0 && wxString(wxUniChar(pressed)).Lower()[0] == key) {
            model_.AccessKeyPressed();
            return;
        }
    }
    event.Skip();
}

}  // namespace widgets
