#include "parents/paswoord.h"

#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

#include "app/Forms.h"
#include "parents/Parents.h"
#include "storage/DataPath.h"
#include "widgets/ChameleonButton.h"

namespace parents {

namespace {

constexpr const char* kTitle = "Lanternwick";

// The password box shows an X for every character, as parents know it from the older program,
// rather than the platform's dots.
void UseXAsPasswordCharacter(wxTextCtrl* box) {
#ifdef __WXGTK__
    if (GtkWidget* widget = box->GetHandle(); widget != nullptr && GTK_IS_ENTRY(widget)) {
        gtk_entry_set_invisible_char(GTK_ENTRY(widget), 'X');
    }
#else
    (void)box;
#endif
}

}  // namespace

paswoord::paswoord(app::Forms& forms)
    : wxDialog(nullptr, wxID_ANY, "Password", wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU),
      forms_(forms) {
    lblcontrole = new wxStaticText(this, wxID_ANY, "Give the password for the parentcontrol:");
    lblnaam = new wxStaticText(this, wxID_ANY, "Name:");
    txtnaam = new wxTextCtrl(this, wxID_ANY);
    lblpaswoord = new wxStaticText(this, wxID_ANY, "password:");
    txtpaswoord =
        new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, wxTE_PASSWORD);
    UseXAsPasswordCharacter(txtpaswoord);
    cmdLogon = widgets::chameleonButton::CreateStored(this, "Logon");
    cmdcancel = widgets::chameleonButton::CreateStored(this, "Cancel");

    const int gap = FromDIP(8);
    auto* boxes = new wxFlexGridSizer(2, gap, gap);
    boxes->AddGrowableCol(1);
    boxes->Add(lblnaam, 0, wxALIGN_CENTER_VERTICAL);
    boxes->Add(txtnaam, 1, wxEXPAND);
    boxes->Add(lblpaswoord, 0, wxALIGN_CENTER_VERTICAL);
    boxes->Add(txtpaswoord, 1, wxEXPAND);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->AddStretchSpacer();
    buttons->Add(cmdLogon, 0, wxRIGHT, gap);
    buttons->Add(cmdcancel, 0);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(lblcontrole, 0, wxALL, gap);
    sizer->Add(boxes, 0, wxEXPAND | wxLEFT | wxRIGHT, gap);
    sizer->Add(buttons, 0, wxEXPAND | wxALL, gap);
    SetSizerAndFit(sizer);
    SetMinClientSize(FromDIP(wxSize(320, -1)));
    Fit();
    CentreOnScreen();

    cmdLogon->Click = [this] { cmdLogon_Click(); };
    cmdcancel->Click = [this] { cmdcancel_Click(); };
    // Closed from its title bar or with Escape, the dialog only hides, like Cancel.
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { cmdcancel_Click(); });
}

void paswoord::cmdLogon_Click() {
    const auto names = forms_.Data().Read(storage::files::kUserName);
    if (!names || names->empty()) {
        ReportUnreadable(storage::files::kUserName);
        return;
    }
    for (const auto& name : *names) {
        if (name != txtnaam->GetValue().utf8_string()) {
            Refuse("The user is wrong!");
        } else {
            CheckPassword();
        }
    }
}

void paswoord::CheckPassword() {
    const auto passwords = forms_.Data().Read(storage::files::kPassword);
    if (!passwords || passwords->empty()) {
        ReportUnreadable(storage::files::kPassword);
        return;
    }
    for (const auto& password : *passwords) {
        if (password != txtpaswoord->GetValue().utf8_string()) {
            Refuse("Password is wrong");
        } else {
            forms_.Panel().Show();
            Hide();
        }
    }
}

void paswoord::Refuse(const char* message) {
    forms_.Machine().messages.Show(message, kTitle, app::Messages::Icon::Information);
    txtnaam->Clear();
    txtpaswoord->Clear();
}

void paswoord::ReportUnreadable(const char* file) {
    // Without the account there is no way in; saying which file is missing lets a parent mend it.
    forms_.Machine().messages.Show("The parent's account cannot be checked: the file \"" +
                                       forms_.Data().PathOf(file) + "\" is missing or empty.",
                                   kTitle, app::Messages::Icon::Information);
}

void paswoord::cmdcancel_Click() {
    Hide();
}

}  // namespace parents
