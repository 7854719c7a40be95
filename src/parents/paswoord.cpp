#include "parents/paswoord.h"

#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <cmath>
#include <utility>

#include "basics/Twips.h"
#include "parents/DialogLayout.h"
#include "parents/Parents.h"
#include "parents/ParentsWindows.h"
#include "parents/TextBoxes.h"
#include "parents/paswoordwijzigen.h"
#include "storage/DataPath.h"
#include "widgets/ChameleonButton.h"
#include "widgets/HLine.h"
#include "widgets/Named.h"

namespace parents {

namespace {

constexpr const char* kTitle = "Lanternwick";
constexpr int kLineY = 360;
constexpr int kWidth = 3720;
constexpr int kHeight = 2400;
constexpr int kWaitHeight = 900;  // up to three lines of the wait under the buttons

// "0:30", "14:05": minutes and seconds, rounded up so the last second still shows "0:01".
std::string MinutesAndSeconds(double seconds) {
    const long long whole = static_cast<long long>(std::ceil(seconds));
    const long long rest = whole % 60;
    return std::to_string(whole / 60) + (rest < 10 ? ":0" : ":") + std::to_string(rest);
}

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
    lblwacht = new wxStaticText(this, wxID_ANY, "", at(120, 2340),
                                size(kWidth - 240, kWaitHeight - 60), wxST_NO_AUTORESIZE);
    lblwacht->Hide();
    widgets::NameControls({LW_NAMED(lblcontrole), LW_NAMED(linepassword), LW_NAMED(lblnaam),
                           LW_NAMED(txtnaam), LW_NAMED(lblpaswoord), LW_NAMED(txtpaswoord),
                           LW_NAMED(cmdLogon), LW_NAMED(cmdcancel), LW_NAMED(lblwacht)});
    SetClientSize(size(kWidth, kHeight));
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
    tmrwacht.SetOwner(this);
    Bind(wxEVT_TIMER, &paswoord::tmrwacht_Timer, this, tmrwacht.GetId());
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
    auto& login = forms_.Family().Login();
    const auto result =
        login.Try(txtnaam->GetValue().utf8_string(), txtpaswoord->GetValue().utf8_string());
    if (result.countNotSaved) {
        forms_.ShowWriteFailure(storage::files::kLoginTries, result.countNotSaved->reason);
    }
    if (result.waiting) {
        ShowWait();
        return;
    }
    if (result.unreadable) {
        ReportUnreadable(result.unreadable->c_str());
        return;
    }
    for (const auto outcome : result.outcomes) {
        if (outcome == account::Outcome::UserWrong) {
            Refuse("The user is wrong!");
        } else if (outcome == account::Outcome::PasswordWrong) {
            Refuse("Password is wrong");
        } else {
            Opened();
        }
    }
    if (!result.Right()) {
        ShowWait();
    }
}

void paswoord::Opened() {
    auto openPanel = [this, asked = std::exchange(askedFor_, std::nullopt)] {
        forms_.Panel().Show();
        if (asked) {
            forms_.Panel().AddSiteFor(*asked);
        }
    };
    // Every installation starts with the same password; the panel opens only once the parent
    // has chosen one of their own.
    if (forms_.Family().Login().ShippedPasswordInUse()) {
        Hide();
        forms_.ChangePassword().AskFirst(std::move(openPanel));
        return;
    }
    openPanel();
    Hide();
}

void paswoord::ShowWait() {
    const double seconds = IsShown() ? forms_.Family().Login().SecondsToWait() : 0;
    const bool waiting = seconds > 0;
    if (waiting) {
        lblwacht->SetLabel(wxString::FromUTF8(
            forms_.Text(i18n::Message::LoginWait, {MinutesAndSeconds(seconds)})));
        if (!tmrwacht.IsRunning()) {
            tmrwacht.Start(1000);
        }
    } else {
        tmrwacht.Stop();
    }
    if (lblwacht->IsShown() != waiting) {
        // Only the height changes: the width is what the heading in the run's language needs.
        const basics::TwipScale scale(GetDPI().y);
        const int width = GetClientSize().x;
        const int margin = scale.ToPixels(120);
        lblwacht->SetSize(width - 2 * margin, scale.ToPixels(kWaitHeight - 60));
        lblwacht->Show(waiting);
        SetClientSize(width, scale.ToPixels(waiting ? kHeight + kWaitHeight : kHeight));
    }
    if (waiting) {
        lblwacht->Wrap(lblwacht->GetSize().x);  // its size stays; the text breaks to fit it
    }
    txtnaam->Enable(!waiting);
    txtpaswoord->Enable(!waiting);
    cmdLogon->Enable(!waiting);
    if (!waiting && IsShown() && !txtnaam->HasFocus() && !txtpaswoord->HasFocus()) {
        txtnaam->SetFocus();
    }
}

void paswoord::tmrwacht_Timer(wxTimerEvent&) {
    ShowWait();
}

bool paswoord::Show(bool show) {
    const bool changed = wxDialog::Show(show);
    ShowWait();
    return changed;
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
        forms_.Text(i18n::Message::AccountUnreadable, {forms_.Family().PathOf(file)}), kTitle,
        platform::Messages::Icon::Information);
}

void paswoord::cmdcancel_Click() {
    askedFor_.reset();
    Hide();
    tmrwacht.Stop();
}

void paswoord::AskFor(const std::string& refusedAddress) {
    askedFor_ = refusedAddress;
    ShowEmpty();
}

}  // namespace parents
