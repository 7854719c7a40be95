#pragma once

#include <wx/bitmap.h>
#include <wx/window.h>

#include <functional>

namespace browser {

// A picture that reacts to the mouse: the toolbar buttons, the band and the intro pictures.
// A press and a release inside the picture make a click.
class PictureBox : public wxWindow {
public:
    PictureBox(wxWindow* parent, const wxBitmap& picture, bool stretch = false);

    void SetPicture(const wxBitmap& picture);
    const wxBitmap& Picture() const { return picture_; }

    std::function<void()> MouseMove;
    std::function<void()> MouseDown;
    std::function<void()> Click;
    // A release inside counts as a click even when its press was never seen. A press that comes
    // just as the picture is hidden (a plain toolbar picture gives way to its lit twin at the
    // pointer's first move, which a tap follows at once) is dropped by the toolkit, while its
    // release still comes here.
    bool releaseIsClick = false;

private:
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);

    wxBitmap picture_;
    bool stretch_;
    bool pressed_ = false;
};

}  // namespace browser
