#include "browser/sites.h"

#include <wx/dcbuffer.h>
#include <wx/dcmemory.h>
#include <wx/listbox.h>

#include <vector>

#include "browser/Rainbow.h"
#include "widgets/ChameleonButton.h"
#include "widgets/Named.h"

namespace browser {

sites::sites(context::WindowContext&)
    : wxFrame(nullptr, wxID_ANY, "BEZOEK SITES", wxDefaultPosition, wxDefaultSize,
              wxDEFAULT_FRAME_STYLE & ~(wxRESIZE_BORDER | wxMAXIMIZE_BOX)) {
    scale_ = TwipScale(GetDPI().y);
    SetClientSize(scale_.ToPixels(kSitesClientWidth), scale_.ToPixels(kSitesClientHeight));
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    auto place = [this](wxWindow* control, const TwipRect& r) {
        control->SetSize(scale_.ToPixels(r.left), scale_.ToPixels(r.top), scale_.ToPixels(r.width),
                         scale_.ToPixels(r.height));
    };
    List1 = new wxListBox(this, wxID_ANY);
    List1->SetBackgroundColour(wxColour(192, 192, 192));
    place(List1, kSitesListRect);
    cmdbezoek = widgets::chameleonButton::CreateStored(this, "Bezoek site");
    place(cmdbezoek, kSitesButtonRect);
    widgets::NameControls({LW_NAMED(List1), LW_NAMED(cmdbezoek)});
    Bind(wxEVT_PAINT, &sites::OnPaint, this);
    // Never shown to the child; a close only hides it.
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { Hide(); });
}

void sites::Form_Load() {
    PaintRainbow();
}

void sites::PaintRainbow() {
    const wxSize inner = GetClientSize();
    backing_ = wxBitmap(std::max(1, inner.x), std::max(1, inner.y), 24);
    wxMemoryDC dc(backing_);
    dc.SetBackground(GetBackgroundColour());
    dc.Clear();

    // The lines are a twip apart, finer than the screen: each pixel column shows the colour of
    // the last line that falls in it.
    const auto lines = RainbowLines(scale_.ToTwips(inner.x), scale_.ToTwips(inner.y));
    std::vector<const RainbowLine*> columns(inner.x, nullptr);
    for (const auto& line : lines) {
        const int column = scale_.ColumnOf(line.x);
        if (column >= 0 && column < inner.x) {
            columns[column] = &line;
        }
    }
    for (int x = 0; x < inner.x; ++x) {
        if (const RainbowLine* line = columns[x]) {
            dc.SetPen(wxPen(wxColour(line->colour.red, line->colour.green, line->colour.blue)));
            dc.DrawLine(x, 0, x, inner.y);
        }
    }
    // The separating line above the button, in the window's own drawing.
    dc.SetPen(*wxBLACK_PEN);
    dc.DrawLine(scale_.ToPixels(kSitesLineLeft), scale_.ToPixels(kSitesLineY),
                scale_.ToPixels(kSitesLineRight), scale_.ToPixels(kSitesLineY));
    dc.SelectObject(wxNullBitmap);
    Refresh();
}

void sites::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(GetBackgroundColour());
    dc.Clear();
    if (backing_.IsOk()) {
        dc.DrawBitmap(backing_, 0, 0);
    }
}

}  // namespace browser
