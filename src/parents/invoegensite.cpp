#include "parents/invoegensite.h"

#include <wx/listbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "basics/TextEncoding.h"
#include "parents/DialogLayout.h"
#include "parents/Parents.h"
#include "parents/ParentsWindows.h"
#include "parents/TextBoxes.h"
#include "storage/DataPath.h"
#include "storage/Records.h"
#include "widgets/ChameleonButton.h"
#include "widgets/Named.h"

namespace parents {

namespace {

constexpr const char* kTitle = "Lanternwick";
constexpr std::size_t kMaxNameTyped = 50;

}  // namespace

invoegensite::invoegensite(ParentsWindows& forms)
    : wxDialog(nullptr, wxID_ANY, kTitle, wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU),
      forms_(forms) {
    lblname = new wxStaticText(this, wxID_ANY, "Name internetaddress:");
    // Wide enough to show what may be typed: a name, and an address of up to 70 characters.
    txtname = new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, FromDIP(wxSize(220, -1)));
    lblinternetaddress = new wxStaticText(this, wxID_ANY, "Internetaddress:");
    Label3 = new wxStaticText(this, wxID_ANY, "http://");
    txtinternetaddress =
        new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, FromDIP(wxSize(420, -1)));
    cmdsave = widgets::chameleonButton::CreateStored(this, "Save");
    cmdcancel = widgets::chameleonButton::CreateStored(this, "Cancel");

    const int gap = FromDIP(8);
    auto* boxes = new wxFlexGridSizer(3, gap, gap);
    boxes->AddGrowableCol(2);
    boxes->Add(lblname, 0, wxALIGN_CENTER_VERTICAL);
    boxes->AddSpacer(0);
    boxes->Add(txtname, 1, wxEXPAND);
    boxes->Add(lblinternetaddress, 0, wxALIGN_CENTER_VERTICAL);
    boxes->Add(Label3, 0, wxALIGN_CENTER_VERTICAL);
    boxes->Add(txtinternetaddress, 1, wxEXPAND);
    LayOutEditor(this, boxes, cmdsave, cmdcancel, gap);
    widgets::NameControls({LW_NAMED(lblname), LW_NAMED(txtname), LW_NAMED(lblinternetaddress),
                           LW_NAMED(txtinternetaddress), LW_NAMED(cmdsave), LW_NAMED(cmdcancel)});
    SetMinClientSize(FromDIP(wxSize(480, -1)));
    Fit();
    CentreOnScreen();

    auto tell = [this](const std::string& message) {
        forms_.Machine().messages.Show(message, kTitle, platform::Messages::Icon::None);
    };
    nameLimit_ =
        std::make_unique<TypingLimit>(txtname, kMaxNameTyped, "Maximum 50 characters!", tell);
    addressLimit_ = std::make_unique<TypingLimit>(txtinternetaddress, storage::kMaxAddressChars,
                                                  "Maximum 70 characters!", tell);

    cmdsave->Click = [this] { cmdsave_Click(); };
    cmdcancel->Click = [this] { cmdcancel_Click(); };
    BindTypingLimit(
        txtname, [this](int& key) { txtname_KeyPress(key); }, [this] { txtname_Change(); });
    BindTypingLimit(
        txtinternetaddress, [this](int& key) { txtinternetaddress_KeyPress(key); },
        [this] { txtinternetaddress_Change(); });
    // Closed from its title bar or with Escape, the dialog only hides, like Cancel.
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { cmdcancel_Click(); });
    BindEnterAndEscape(
        this, txtinternetaddress, [this] { cmdsave_Click(); }, [this] { cmdcancel_Click(); });
}

invoegensite::~invoegensite() = default;

void invoegensite::cmdsave_Click() {
    const std::string name = txtname->GetValue().utf8_string();
    // The box takes 50 characters, but a record keeps only 20 before the address column: a
    // longer name would push the address out of place, so it is refused here, not cut.
    if (basics::CharCount(name) > storage::kMaxSiteNameChars) {
        forms_.Machine().messages.Show(forms_.Text(i18n::Message::NameTooLong), kTitle,
                                       platform::Messages::Icon::None);
        return;
    }
    const std::string address = txtinternetaddress->GetValue().utf8_string();
    // Refused with the boxes as typed, so the parent mends the text rather than typing it anew.
    if (!CheckTyped(name, address)) {
        return;
    }
    std::string record = storage::SiteRecord(name, address);
    if (!storeAtOnce_) {
        forms_.Family().AddSite(std::move(record));
        Hide();
        return;
    }
    // A failed write still leaves the site in the list, allowed in this run and stored by the
    // panel's next save.
    Hide();
    const auto result = forms_.Family().AddSiteAndStore(std::move(record));
    storeAtOnce_ = false;
    if (!result.ok) {
        forms_.ShowWriteFailure(
            storage::files::kSites,
            result.reason.empty() ? forms_.Text(i18n::Message::SitesUnreadable) : result.reason);
    }
}

bool invoegensite::CheckTyped(const std::string& name, const std::string& address) {
    const bool nameBad = storage::HasControlCharacters(name);
    if (!nameBad && storage::TypedAddressProblem(address) == storage::AddressProblem::None) {
        return true;
    }
    forms_.Machine().messages.Show(
        forms_.Text(nameBad ? i18n::Message::NameHasControls : i18n::Message::NotAWebAddress),
        kTitle, platform::Messages::Icon::None);
    (nameBad ? txtname : txtinternetaddress)->SetFocus();
    return false;
}

void invoegensite::cmdcancel_Click() {
    Hide();
}

void invoegensite::txtname_KeyPress(int& keyAscii) {
    nameLimit_->KeyPress(keyAscii);
}

void invoegensite::txtname_Change() {
    nameLimit_->Change();
}

void invoegensite::txtinternetaddress_KeyPress(int& keyAscii) {
    addressLimit_->KeyPress(keyAscii);
}

void invoegensite::txtinternetaddress_Change() {
    addressLimit_->Change();
}

}  // namespace parents
