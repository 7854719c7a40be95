#pragma once

#include <wx/dialog.h>

#include <functional>
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
    // Opened by the first right login while the password is still the one the installation
    // came with: one line says why, and `then` (the panel) follows once a new one is saved.
    void AskFirst(std::function<void()> then);

    wxStaticText* lblgebruikersnaam = nullptr;
    wxStaticText* Label1 = nullptr;  // the account name, never changed here
    wxStaticText* lblnieuw = nullptr;
    wxTextCtrl* txtnieuwpaswoord = nullptr;  // shows an X for every character typed
    wxStaticText* lblbevestiging = nullptr;
    wxTextCtrl* txtnieuwpaswoordbevestiging = nullptr;  // shows an X for every character typed
    widgets::chameleonButton* cmdsave = nullptr;
    widgets::chameleonButton* cmdcancel = nullptr;
    wxStaticText* lblwaarom = nullptr;  // why a new password comes first; hidden otherwise

private:
    void ShowWhy(bool shown);

    ParentsWindows& forms_;
    std::function<void()> then_;
};

}  // namespace parents
