#pragma once

#include <wx/bitmap.h>
#include <wx/control.h>
#include <wx/image.h>

#include <functional>
#include <memory>
#include <string_view>

#include "widgets/ButtonModel.h"

namespace widgets {

// The program's own push button: paints itself in one of seven styles, takes the shape of its
// style and turns mouse, keyboard and focus input into the events of ButtonEvents, which a
// host binds directly (`button->Click = [this] { cmdvisit_Click(); };`).
class chameleonButton : public wxControl, public ButtonEvents {
public:
    // With `stored` the button is read from that set; otherwise it gets new-button defaults.
    chameleonButton(wxWindow* parent, wxWindowID id = wxID_ANY,
                    const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                    const PropertyBag* stored = nullptr);
    ~chameleonButton() override;

    // A command button as every window of the program has it (see StoredButtonSet).
    static chameleonButton* CreateStored(wxWindow* parent, const wxString& caption,
                                         const wxPoint& pos = wxDefaultPosition,
                                         const wxSize& size = wxDefaultSize, bool enabled = true,
                                         wxWindowID id = wxID_ANY);

    void ReadProperties(const PropertyBag& bag) { model_.ReadProperties(bag); }
    void WriteProperties(PropertyBag& bag) const { model_.WriteProperties(bag); }

    const wxString& Caption() const { return model_.Caption(); }
    void SetCaption(const wxString& caption) {
        model_.SetCaption(caption);
        InvalidateBestSize();  // a button laid out by a sizer takes the room its text needs
    }
    // What the border and the focus frame take on either side of the caption: a caption wider
    // than the button less twice this is cut.
    int CaptionMargin() const { return FromDIP(6); }
    bool Enabled() const { return model_.Enabled(); }
    void SetEnabled(bool enabled) { model_.SetEnabled(enabled); }
    Color BackColor() const { return model_.BackColor(); }
    void SetBackColor(Color color) { model_.SetBackColor(color); }
    Color ForeColor() const { return model_.ForeColor(); }
    void SetForeColor(Color color) { model_.SetForeColor(color); }
    std::int32_t ButtonType() const { return model_.ButtonType(); }
    void SetButtonType(std::int32_t type) { model_.SetButtonType(type); }
    std::int32_t ColorScheme() const { return model_.ColorScheme(); }
    void SetColorScheme(std::int32_t scheme) { model_.SetColorScheme(scheme); }
    bool ShowFocusRect() const { return model_.ShowFocusRect(); }
    void SetShowFocusRect(bool show) { model_.SetShowFocusRect(show); }
    const FontDesc& ButtonFont() const { return model_.Font(); }
    void SetButtonFont(const FontDesc& font) { model_.SetFont(font); }
    const wxString& ToolTipText() const { return toolTipText_; }
    void SetToolTipText(const wxString& text);
    // A picture drawn at the left, as tall as the button less its border, with the caption
    // beside it; an empty image takes it away, and the button looks as it did without.
    void SetPicture(const wxImage& picture);
    bool HasPicture() const { return picture_.IsOk(); }
    // A tile: the picture as large as it fits above the caption, which takes the bottom
    // `captionHeight` pixels; 0 goes back to the picture at the left.
    void SetPictureAbove(int captionHeight);
    // Where the picture is drawn, in the button's pixels; empty without one.
    wxRect PictureRect() const;
    WXWidget hwnd() const { return GetHandle(); }
    bool Visible() const { return IsShown(); }
    void SetVisible(bool visible) { Show(visible); }

    // Called with the stored-set key of every property that changes.
    std::function<void(std::string_view key)> PropertyChanged;

    const ButtonModel& Model() const { return model_; }

    // wx-side entry points kept in step with the properties above.
    bool Enable(bool enable = true) override;
    void SetLabel(const wxString& label) override { SetCaption(label); }
    wxString GetLabel() const override { return Caption(); }
    bool AcceptsFocus() const override { return true; }
#ifdef __WXGTK__
    void GTKHandleRealized() override;
#endif

protected:
    // The classic size, or more when the caption needs it: measured in the button's own font.
    wxSize DoGetBestSize() const override;

private:
    class Host;
    friend class Host;

    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnMouseDown(wxMouseEvent& event);
    void OnMouseUp(wxMouseEvent& event);
    void OnDoubleClick(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnChar(wxKeyEvent& event);
    void OnKeyUp(wxKeyEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void ApplyShape();
    void FitPicture();
    static constexpr int kPictureBorder = 4;  // inside every style's edge

    std::unique_ptr<Host> host_;
    ButtonModel model_;
    ButtonRegion shape_;
    wxString toolTipText_;
    wxImage picture_;
    wxBitmap shownPicture_;  // the picture at the button's present height
    int captionBelow_ = 0;   // a tile's caption band; 0: the picture at the left
    wxWindow* topLevel_ = nullptr;
};

// The toolkit font for a stored font; a face the system lacks becomes its plain sans-serif.
wxFont ToWxFont(const FontDesc& desc);

// The button's current look as a bitmap of its client size, painted as the control paints
// itself; cut pixels are left as painted (the window shape hides them on screen).
wxBitmap RenderButton(const ButtonModel& model, const wxFont& font);

}  // namespace widgets
