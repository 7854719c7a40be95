#include "parents/DialogLayout.h"

#include <wx/dcmemory.h>
#include <wx/event.h>
#include <wx/sizer.h>
#include <wx/window.h>

#include "widgets/ButtonPicture.h"

namespace parents {

wxSizer* SaveCancelRow(wxWindow* save, wxWindow* cancel, int gap) {
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->AddStretchSpacer();
    row->Add(save, 0, wxRIGHT, gap);
    row->Add(cancel, 0);
    return row;
}

void LayOutEditor(wxWindow* dialog, wxSizer* boxes, wxWindow* save, wxWindow* cancel, int gap) {
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(boxes, 0, wxEXPAND | wxALL, gap);
    sizer->Add(SaveCancelRow(save, cancel, gap), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, gap);
    dialog->SetSizer(sizer);
}

void RefitGrown(wxWindow* dialog) {
    // By the client area: Fit() goes through the frame's size, and until a window manager
    // has framed the dialog wx only guesses its border, so a dialog grown before its first
    // showing opened a line too short under a window manager and squashed its buttons.
    dialog->SetClientSize(dialog->GetSizer()->ComputeFittingClientSize(dialog));
}

void BindEnterAndEscape(wxWindow* dialog, wxWindow* last, std::function<void()> ok,
                        std::function<void()> cancel) {
    dialog->Bind(wxEVT_CHAR_HOOK, [=](wxKeyEvent& event) {
        const int key = event.GetKeyCode();
        if (key == WXK_ESCAPE) {
            cancel();
            return;
        }
        if ((key == WXK_RETURN || key == WXK_NUMPAD_ENTER) && wxWindow::FindFocus() == last) {
            // After the key has been handled: the handler may show a message or hide the
            // dialog, which must not happen inside the key's own dispatch.
            dialog->CallAfter(ok);
            return;
        }
        event.Skip();
    });
}

wxBitmap RowPicture(const std::optional<std::string>& png, int side, const wxColour& background) {
    if (png) {
        wxImage image = widgets::ImageFromPng(*png);
        if (image.IsOk()) {
            return wxBitmap(image.Rescale(side, side, wxIMAGE_QUALITY_HIGH));
        }
    }
    wxBitmap bitmap(side, side, 32);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(wxBrush(background));
    dc.Clear();
    dc.SelectObject(wxNullBitmap);
    return bitmap;
}

}  // namespace parents
