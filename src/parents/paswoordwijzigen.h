#pragma once

#include <wx/dialog.h>
#include "parents/ParentsWindows.h"

class wxStaticText;
class wxTextCtrl;

namespace widgets {
class chameleonButton;
}

namespace parents {

// Changes the parent's password, typed twice alike. Only reachable from the panel, after a
// logon, so the old password is not asked for; the user name is fixed.
class paswoordwijzigen : public wxDialog {
public:
    explicit paswoordwijzigen(ParentsWindows& forms);

    void Form_Load() {}
    void cmdsave_Click();
    void cmdcancel_Click();

    wxStaticText* lblgebruikersnaam = nullptr;
    wxStaticText* Label1 = nullptr;  // the account name, never changed here
    wxStaticText* lblnieuw = nullptr;
    wxTextCtrl* txtnieuwpaswoord = nullptr;  // shows an X for every character typed
    wxStaticText* lblbevestiging = nullptr;
    wxTextCtrl* txtnieuwpaswoordbevestiging = nullptr;  // shows an X for every character typed
    widgets::chameleonButton* cmdsave = nullptr;
    widgets::chameleonButton* cmdcancel = nullptr;

private:
    ParentsWindows& forms_;
};

}  // namespace parents
