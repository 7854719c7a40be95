#include "browser/PictureBox.h"

#include <wx/dcbuffer.h>
#include <wx/dcclient.h>
#include <wx/image.h>

namespace browser {

PictureBox::PictureBox(wxWindow* parent, const wxBitmap& picture, bool stretch)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, picture.GetSize(), wxBORDER_NONE),
      picture_(picture),
      stretch_(stretch) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &PictureBox::OnPaint, this);
    Bind(wxEVT_MOTION, [this](wxMouseEvent& event) {
        if (MouseMove) {
            MouseMove();
        }
        event.Skip();
    });
    Bind(wxEVT_LEFT_DOWN, &PictureBox::OnLeftDown, this);
    Bind(wxEVT_LEFT_UP, &PictureBox::OnLeftUp, this);
}

void PictureBox::SetPicture(const wxBitmap& picture) {
    picture_ = picture;
    Refresh();
}

void PictureBox::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(GetParent()->GetBackgroundColour());
    dc.Clear();
    if (!picture_.IsOk()) {
        return;
    }
    const wxSize size = GetClientSize();
    if (stretch_ && size != picture_.GetSize() && size.x > 0 && size.y > 0) {
        dc.DrawBitmap(
            wxBitmap(picture_.ConvertToImage().Scale(size.x, size.y, wxIMAGE_QUALITY_BILINEAR)), 0,
            0);
    } else {
        dc.DrawBitmap(picture_, 0, 0, true);
    }
}

void PictureBox::OnLeftDown(wxMouseEvent& event) {
    pressed_ = true;
    if (MouseDown) {
        MouseDown();
    }
    event.Skip();
}

void PictureBox::OnLeftUp(wxMouseEvent& event) {
    const bool inside = wxRect(GetClientSize()).Contains(event.GetPosition());
    const bool click = (pressed_ || releaseIsClick) && inside;
    pressed_ = false;
    if (click && Click) {
        Click();
    }
    event.Skip();
}

}  // namespace browser
