#include "parents/DialogLayout.h"

#include <wx/sizer.h>

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

}  // namespace parents
