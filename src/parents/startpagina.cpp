#include "parents/startpagina.h"

#include <wx/listbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <exception>

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
constexpr const char* kMessageTitle = "Lanternwick";
}

startpagina::startpagina(ParentsWindows& forms)
    : wxDialog(nullptr, wxID_ANY, "Change startpage", wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU),
      forms_(forms) {
    lbladres = new wxStaticText(this, wxID_ANY, "Name internetaddress:");
    // Wide enough to show what may be typed: a name, and an address of up to 70 characters.
    txtname = new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, FromDIP(wxSize(220, -1)));
    lblname = new wxStaticText(this, wxID_ANY, "Internetadress:");
    Label3 = new wxStaticText(this, wxID_ANY, "http://");
    txtaddress = new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, FromDIP(wxSize(420, -1)));
    cmdsave = widgets::chameleonButton::CreateStored(this, "Save");
    cmdcancel = widgets::chameleonButton::CreateStored(this, "Cancel");

    const int gap = FromDIP(8);
    auto* boxes = new wxFlexGridSizer(3, gap, gap);
    boxes->AddGrowableCol(2);
    boxes->Add(lbladres, 0, wxALIGN_CENTER_VERTICAL);
    boxes->AddSpacer(0);
    boxes->Add(txtname, 1, wxEXPAND);
    boxes->Add(lblname, 0, wxALIGN_CENTER_VERTICAL);
    boxes->Add(Label3, 0, wxALIGN_CENTER_VERTICAL);
    boxes->Add(txtaddress, 1, wxEXPAND);
    LayOutEditor(this, boxes, cmdsave, cmdcancel, gap);
    widgets::NameControls({LW_NAMED(lbladres), LW_NAMED(txtname), LW_NAMED(lblname),
                           LW_NAMED(txtaddress), LW_NAMED(cmdsave), LW_NAMED(cmdcancel)});
    SetMinClientSize(FromDIP(wxSize(480, -1)));
    Fit();
    CentreOnScreen();

    // These two messages are Dutch whatever language the windows use.
    auto tell = [this](const std::string& message) {
        forms_.Machine().messages.Show(message, kMessageTitle, platform::Messages::Icon::None);
    };
    nameLimit_ = std::make_unique<TypingLimit>(txtname, storage::kMaxSiteNameChars,
                                               "Maximum 20 karakters ingeven aub", tell);
    addressLimit_ = std::make_unique<TypingLimit>(txtaddress, storage::kMaxAddressChars,
                                                  "Maximum 70 karakters ingeven aub", tell);

    cmdsave->Click = [this] { cmdsave_Click(); };
    cmdcancel->Click = [this] { cmdcancel_Click(); };
    BindTypingLimit(
        txtname, [this](int& key) { txtname_KeyPress(key); }, [this] { txtname_Change(); });
    BindTypingLimit(
        txtaddress, [this](int& key) { txtaddress_KeyPress(key); },
        [this] { txtaddress_Change(); });
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { Form_Unload(); });
    BindEnterAndEscape(
        this, txtaddress, [this] { cmdsave_Click(); }, [this] { cmdcancel_Click(); });
}

startpagina::~startpagina() = default;

void startpagina::cmdsave_Click() {
    const std::string name = txtname->GetValue().utf8_string();
    const std::string address = txtaddress->GetValue().utf8_string();
    // Refused with the boxes as typed, so the parent mends the text rather than typing it anew.
    const bool nameBad = storage::HasControlCharacters(name);
    if (nameBad || storage::TypedAddressProblem(address) != storage::AddressProblem::None) {
        forms_.Machine().messages.Show(
            forms_.Text(nameBad ? i18n::Message::NameHasControls : i18n::Message::NotAWebAddress),
            kMessageTitle, platform::Messages::Icon::None);
        (nameBad ? txtname : txtaddress)->SetFocus();
        return;
    }
    const std::string record = storage::TypedStartPageRecord(name, address);
    auto records = forms_.Family().StartPageRecords();
    records.push_back(record);
    forms_.Family().SetStartPageRecords(std::move(records));
    Hide();
}

void startpagina::cmdcancel_Click() {
    Hide();
    // An unreadable file leaves the list empty, without a message.
    forms_.Family().ReloadStartPage();
}

void startpagina::Form_Unload() {
    // The panel emptied its start page when it opened the editor; leaving by the title bar
    // must not leave it empty. A close while hidden (the program's own close steps) changes
    // nothing.
    if (IsShown()) {
        cmdcancel_Click();
    }
}

void startpagina::txtname_KeyPress(int& keyAscii) {
    nameLimit_->KeyPress(keyAscii);
}

void startpagina::txtname_Change() {
    nameLimit_->Change();
}

void startpagina::txtaddress_KeyPress(int& keyAscii) {
    addressLimit_->KeyPress(keyAscii);
}

void startpagina::txtaddress_Change() {
    addressLimit_->Change();
}

}  // namespace parents
