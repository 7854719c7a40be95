#pragma once

#include <wx/dialog.h>
#include <wx/timer.h>

#include <optional>
#include <string>
#include "parents/ParentsWindows.h"

class wxStaticText;
class wxTextCtrl;

namespace widgets {
class chameleonButton;
class HLine;
}  // namespace widgets

namespace parents {

// The login between the child's browser and the parents' panel. The account is read from its
// two files at every attempt, never kept.
class paswoord : public wxDialog {
public:
    explicit paswoord(ParentsWindows& forms);

    void Form_Load() {}
    void cmdLogon_Click();
    void cmdcancel_Click();
    // Shows how long the next try waits, with the boxes and Logon refused until it is over.
    void tmrwacht_Timer(wxTimerEvent& event);
    // Shown, the dialog says at once whether a wait is still running.
    bool Show(bool show = true) override;
    // Opened by the child from a refusal page: a right login leads to the site editor with the
    // refused address in it; a wrong one, or Cancel, back to the page.
    void AskFor(const std::string& refusedAddress);
    // Every way the login is opened: raised, both boxes empty, and the name box has the
    // keyboard, so the parent's typing goes where it belongs.
    void ShowEmpty();

    wxStaticText* lblcontrole = nullptr;
    widgets::HLine* linepassword = nullptr;  // under the heading; its right end follows it
    wxStaticText* lblnaam = nullptr;
    wxTextCtrl* txtnaam = nullptr;
    wxStaticText* lblpaswoord = nullptr;
    wxTextCtrl* txtpaswoord = nullptr;  // shows an X for every character typed
    widgets::chameleonButton* cmdLogon = nullptr;
    widgets::chameleonButton* cmdcancel = nullptr;
    wxStaticText* lblwacht = nullptr;  // the wait after too many wrong tries; hidden without one
    wxTimer tmrwacht;                  // once a second while there is a wait

private:
    void ShowWait();
    void Opened();
    void txtnaam_KeyDown(wxKeyEvent& event);
    void Refuse(const char* message);
    void ReportUnreadable(const char* file);

    ParentsWindows& forms_;
    std::optional<std::string> askedFor_;
};

}  // namespace parents
