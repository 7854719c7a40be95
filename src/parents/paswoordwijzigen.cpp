#include "parents/paswoordwijzigen.h"

#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <utility>

#include "account/Login.h"
#include "parents/DialogLayout.h"
#include "parents/ParentsWindows.h"
#include "parents/TextBoxes.h"
#include "storage/DataPath.h"
#include "widgets/ChameleonButton.h"
#include "widgets/Named.h"

namespace parents {

namespace {
constexpr int kShownPasswordChars = 30;
}

paswoordwijzigen::paswoordwijzigen(ParentsWindows& forms)
    : wxDialog(nullptr, wxID_ANY, "Change password", wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU),
      forms_(forms) {
    lblgebruikersnaam = new wxStaticText(this, wxID_ANY, "Username:");
    Label1 = new wxStaticText(this, wxID_ANY, "parents");
    lblnieuw = new wxStaticText(this, wxID_ANY, "New password:");
    txtnieuwpaswoord =
        new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, wxTE_PASSWORD);
    // Nothing limits a password's length; the boxes show as many X's as the login's box does
    // and more, so a parent can count what was typed.
    const wxSize boxSize(
        txtnieuwpaswoord->GetTextExtent(wxString('X', kShownPasswordChars)).x + FromDIP(16), -1);
    txtnieuwpaswoord->SetMinSize(boxSize);
    lblbevestiging = new wxStaticText(this, wxID_ANY, "Confirm new password:");
    txtnieuwpaswoordbevestiging =
        new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, wxTE_PASSWORD);
    txtnieuwpaswoordbevestiging->SetMinSize(boxSize);
    UseXAsPasswordCharacter(txtnieuwpaswoord);
    UseXAsPasswordCharacter(txtnieuwpaswoordbevestiging);
    // The password file holds one line; a pasted line break would make a password that no
    // logon can match.
    KeepOnOneLine(txtnieuwpaswoord);
    KeepOnOneLine(txtnieuwpaswoordbevestiging);
    cmdsave = widgets::chameleonButton::CreateStored(this, "Save new password", wxDefaultPosition,
                                                     FromDIP(wxSize(130, 25)));
    cmdcancel = widgets::chameleonButton::CreateStored(this, "Cancel");

    const int gap = FromDIP(8);
    auto* boxes = new wxFlexGridSizer(2, gap, gap);
    boxes->AddGrowableCol(1);
    boxes->Add(lblgebruikersnaam, 0, wxALIGN_CENTER_VERTICAL);
    boxes->Add(Label1, 0, wxALIGN_CENTER_VERTICAL);
    boxes->Add(lblnieuw, 0, wxALIGN_CENTER_VERTICAL);
    boxes->Add(txtnieuwpaswoord, 1, wxEXPAND);
    boxes->Add(lblbevestiging, 0, wxALIGN_CENTER_VERTICAL);
    boxes->Add(txtnieuwpaswoordbevestiging, 1, wxEXPAND);
    LayOutEditor(this, boxes, cmdsave, cmdcancel, gap);
    lblwaarom = new wxStaticText(this, wxID_ANY, "");
    lblwaarom->Hide();
    GetSizer()->Insert(0, lblwaarom, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, gap);
    widgets::NameControls({LW_NAMED(lblwaarom), LW_NAMED(lblgebruikersnaam), LW_NAMED(Label1),
                           LW_NAMED(lblnieuw), LW_NAMED(txtnieuwpaswoord), LW_NAMED(lblbevestiging),
                           LW_NAMED(txtnieuwpaswoordbevestiging), LW_NAMED(cmdsave),
                           LW_NAMED(cmdcancel)});
    SetMinClientSize(FromDIP(wxSize(380, -1)));
    Fit();
    CentreOnScreen();

    cmdsave->Click = [this] { cmdsave_Click(); };
    cmdcancel->Click = [this] { cmdcancel_Click(); };
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { cmdcancel_Click(); });
    BindEnterAndEscape(
        this, txtnieuwpaswoordbevestiging, [this] { cmdsave_Click(); },
        [this] { cmdcancel_Click(); });
}

void paswoordwijzigen::cmdsave_Click() {
    auto& messages = forms_.Machine().messages;
    const wxString password = txtnieuwpaswoord->GetValue();
    if (txtnieuwpaswoordbevestiging->GetValue() != password) {
        messages.Show("YOUR PASSWORD IS NOT OK!", "CONFIRMATION PASSWORD IS WRONG",
                      platform::Messages::Icon::Information);
        txtnieuwpaswoord->Clear();
        txtnieuwpaswoordbevestiging->Clear();
        return;
    }
    if (const auto fault = account::CheckNewPassword(password.utf8_string())) {
        messages.Show(forms_.Text(*fault == account::PasswordFault::Shipped
                                      ? i18n::Message::PasswordShipped
                                      : i18n::Message::PasswordTooShort),
                      "Lanternwick", platform::Messages::Icon::Information);
        txtnieuwpaswoord->Clear();
        txtnieuwpaswoordbevestiging->Clear();
        return;
    }
    // The write replaces the file whole or not at all, so after a failure the old password
    // still opens the panel; the dialog stays open for another try.
    const auto result = forms_.Family().StorePassword(password.utf8_string());
    if (!result.ok) {
        forms_.ShowWriteFailure(storage::files::kPassword, result.reason);
        return;
    }
    messages.Show("PASSWORD is CHANGED", "CONFIRM PASSWORD", platform::Messages::Icon::Information);
    Hide();
    ShowWhy(false);
    if (auto then = std::exchange(then_, nullptr)) {
        then();
    }
}

void paswoordwijzigen::cmdcancel_Click() {
    // Without a password of the parent's own the panel stays shut; the next login asks again.
    then_ = nullptr;
    ShowWhy(false);
    Hide();
}

void paswoordwijzigen::AskFirst(std::function<void()> then) {
    then_ = std::move(then);
    txtnieuwpaswoord->Clear();
    txtnieuwpaswoordbevestiging->Clear();
    ShowWhy(true);
    Show();
    Raise();
    txtnieuwpaswoord->SetFocus();
}

void paswoordwijzigen::ShowWhy(bool shown) {
    if (lblwaarom->IsShown() == shown) {
        return;
    }
    if (shown) {
        lblwaarom->SetLabel(wxString::FromUTF8(forms_.Text(i18n::Message::ShippedPassword)));
        // As wide as the boxes below it, however long the sentence is in the run's language.
        lblwaarom->Wrap(GetSizer()->GetItem(1)->GetSize().x);
    }
    lblwaarom->Show(shown);
    RefitGrown(this);
}

}  // namespace parents
