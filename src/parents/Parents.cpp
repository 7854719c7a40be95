#include "parents/Parents.h"

#include <wx/listbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "app/Forms.h"

namespace parents {

Parents::Parents(app::Forms& forms)
    : wxFrame(nullptr, wxID_ANY, "Configuration Lanternwick: parentcontrol"), forms_(forms) {
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto addLabel = [&](const char* text) {
        sizer->Add(new wxStaticText(this, wxID_ANY, text), 0, wxLEFT | wxRIGHT | wxTOP, 8);
    };
    auto addList = [&](long style, int rows) {
        auto* list = new wxListBox(this, wxID_ANY, wxDefaultPosition,
                                   wxSize(-1, FromDIP(rows * 18)), 0, nullptr, style);
        sizer->Add(list, rows > 1 ? 1 : 0, wxEXPAND | wxALL, 8);
        return list;
    };
    addLabel("Sites which your children can visit:");
    List1 = addList(wxLB_SINGLE, 8);
    startpagina1 = addList(wxLB_SINGLE, 1);
    addLabel("Logbook:");
    addLabel("Visited website with dates and hours:");
    List2 = addList(wxLB_SINGLE | wxLB_HSCROLL, 10);
    SetSizerAndFit(sizer);
    SetClientSize(FromDIP(wxSize(640, 560)));
    Bind(wxEVT_CLOSE_WINDOW, &Parents::Form_QueryUnload, this);
}

// Nothing of its own to read yet: the browser window fills the lists.
void Parents::Form_Load() {}

void Parents::Form_QueryUnload(wxCloseEvent& event) {
    if (event.CanVeto()) {
        event.Veto();
    }
    Hide();
}

}  // namespace parents
