#include "parents/paswoord.h"

#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "basics/Twips.h"
#include "parents/DialogLayout.h"
#include "parents/Parents.h"
#include "parents/ParentsWindows.h"
#include "parents/TextBoxes.h"
#include "storage/DataPath.h"
#include "widgets/ChameleonButton.h"
#include "widgets/HLine.h"
#include "widgets/Named.h"

namespace parents {

namespace {

constexpr const char* kTitle = "Lanternwick";
constexpr int kLineY = 360;

}  // namespace

paswoord::paswoord(ParentsWindows& forms)
    : wxDialog(nullptr, wxID_ANY, "Password", wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU),
      forms_(forms) {
    const basics::TwipScale scale(GetDPI().y);
    auto at = [&scale](int left, int top) {
        return wxPoint(scale.ToPixels(left), scale.ToPixels(top));
    };
    auto size = [&scale](int width, int height) {
        return wxSize(scale.ToPixels(width), scale.ToPixels(height));
    };
    lblcontrole =
        new wxStaticText(this, wxID_ANY, "Give the password for the parentcontrol:", at(120, 120));
    linepassword =
        new widgets::HLine(this, scale.ToPixels(120), scale.ToPixels(3000), scale.ToPixels(kLineY));
    // Drawn in the platform's font, the heading is taller and wider than the line's twips
    // allow for: the line must underline it, not strike through it.
    linepassword->StayBelow(lblcontrole, FromDIP(2));
    lblnaam = new wxStaticText(this, wxID_ANY, "Name:", at(120, 690));
    txtnaam = new wxTextCtrl(this, wxID_ANY, "", at(1320, 600), size(2280, 480));
    lblpaswoord = new wxStaticText(this, wxID_ANY, "password:", at(120, 1290));
    txtpaswoord =
        new wxTextCtrl(this, wxID_ANY, "", at(1320, 1200), size(2280, 480), wxTE_PASSWORD);
    UseXAsPasswordCharacter(txtpaswoord);
    cmdLogon =
        widgets::chameleonButton::CreateStored(this, "Logon", at(1320, 1860), size(1080, 375));
    cmdcancel =
        widgets::chameleonButton::CreateStored(this, "Cancel", at(2520, 1860), size(1080, 375));
    widgets::NameControls({LW_NAMED(lblcontrole), LW_NAMED(linepassword), LW_NAMED(lblnaam),
                           LW_NAMED(txtnaam), LW_NAMED(lblpaswoord), LW_NAMED(txtpaswoord),
                           LW_NAMED(cmdLogon), LW_NAMED(cmdcancel)});
    SetClientSize(size(3720, 2400));
    // The heading in the platform's font is wider than its twips: the window grows to show it,
    // with the same margin on the right as on the left.
    const int heading = lblcontrole->GetRect().GetRight() + 1 + lblcontrole->GetPosition().x;
    if (heading > GetClientSize().x) {
        SetClientSize(heading, GetClientSize().y);
    }
    CentreOnScreen();

    cmdLogon->Click = [this] { cmdLogon_Click(); };
    cmdcancel->Click = [this] { cmdcancel_Click(); };
    // Closed from its title bar or with Escape, the dialog only hides, like Cancel.
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { cmdcancel_Click(); });
    BindEnterAndEscape(
        this, txtpaswoord, [this] { cmdLogon_Click(); }, [this] { cmdcancel_Click(); });
    // Bound last, so it comes first: Enter after the name goes on to the password.
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) { txtnaam_KeyDown(event); });
}

void paswoord::txtnaam_KeyDown(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    if ((key == WXK_RETURN || key == WXK_NUMPAD_ENTER) && wxWindow::FindFocus() == txtnaam) {
        txtpaswoord->SetFocus();
        return;
    }
    event.Skip();
}

void paswoord::ShowEmpty() {
    txtnaam->Clear();
    txtpaswoord->Clear();
    Show();
    Raise();
    txtnaam->SetFocus();
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
            if (askedFor_) {
                forms_.Panel().AddSiteFor(*askedFor_);
                askedFor_.reset();
            }
        }
    }
}

void paswoord::Refuse(const char* message) {
    forms_.Machine().messages.Show(message, kTitle, platform::Messages::Icon::Information);
    txtnaam->Clear();
    txtpaswoord->Clear();
    if (askedFor_) {
        cmdcancel_Click();  // the child, not a parent, may be typing: back to the refusal page
    }
}

void paswoord::ReportUnreadable(const char* file) {
    // Without the account there is no way in; saying which file is missing lets a parent mend it.
    forms_.Machine().messages.Show(
        forms_.Text(i18n::Message::AccountUnreadable, {forms_.Data().PathOf(file)}), kTitle,
        platform::Messages::Icon::Information);
}

void paswoord::cmdcancel_Click() {
    askedFor_.reset();
    Hide();
}

void paswoord::AskFor(const std::string& refusedAddress) {
    askedFor_ = refusedAddress;
    ShowEmpty();
}

}  // namespace parents
