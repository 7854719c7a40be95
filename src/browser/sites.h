#pragma once

#include <wx/bitmap.h>
#include <wx/frame.h>

#include "browser/Layout.h"

class wxListBox;

namespace context {
class WindowContext;
}
namespace widgets {
class chameleonButton;
}

namespace browser {

// A small window on a rainbow background, loaded with the others and kept hidden.
class sites : public wxFrame {
public:
    explicit sites(context::WindowContext& context);

    void Form_Load();
    // Paints the rainbow once into the window's backing picture, which every later paint shows.
    void PaintRainbow();
    const wxBitmap& Backing() const { return backing_; }

    wxListBox* List1 = nullptr;
    widgets::chameleonButton* cmdbezoek = nullptr;

private:
    void OnPaint(wxPaintEvent& event);

    TwipScale scale_;
    wxBitmap backing_;
};

}  // namespace browser
