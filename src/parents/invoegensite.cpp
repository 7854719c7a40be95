#include "parents/invoegensite.h"

#include <wx/file.h>
#include <wx/filedlg.h>
#include <wx/listbox.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "basics/TextEncoding.h"
#include "parents/DialogLayout.h"
#include "parents/Parents.h"
#include "parents/ParentsWindows.h"
#include "parents/TextBoxes.h"
#include "storage/DataPath.h"
#include "storage/Records.h"
#include "storage/SitePictures.h"
#include "widgets/ButtonPicture.h"
#include "widgets/ChameleonButton.h"
#include "widgets/Named.h"

namespace parents {

namespace {

constexpr const char* kTitle = "Lanternwick";
constexpr std::size_t kMaxNameTyped = 50;
constexpr int kPreviewSide = 48;
// A file larger than this is no picture a parent meant for a button.
constexpr wxFileOffset kMaxPictureFile = 32 * 1024 * 1024;

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
    imgpreview = new wxStaticBitmap(this, wxID_ANY, wxNullBitmap, wxDefaultPosition,
                                    FromDIP(wxSize(kPreviewSide, kPreviewSide)));
    cmdpicture = widgets::chameleonButton::CreateStored(this, "Choose picture...");
    cmdnopicture = widgets::chameleonButton::CreateStored(this, "No picture");
    // The picture's row only where the site buttons show pictures.
    imgpreview->Hide();
    cmdpicture->Hide();
    cmdnopicture->Hide();

    const int gap = FromDIP(8);
    auto* boxes = new wxFlexGridSizer(3, gap, gap);
    boxes->AddGrowableCol(2);
    boxes->Add(lblname, 0, wxALIGN_CENTER_VERTICAL);
    boxes->AddSpacer(0);
    boxes->Add(txtname, 1, wxEXPAND);
    boxes->Add(lblinternetaddress, 0, wxALIGN_CENTER_VERTICAL);
    boxes->Add(Label3, 0, wxALIGN_CENTER_VERTICAL);
    boxes->Add(txtinternetaddress, 1, wxEXPAND);
    auto* picture = new wxBoxSizer(wxHORIZONTAL);
    picture->Add(imgpreview, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    picture->Add(cmdpicture, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    picture->Add(cmdnopicture, 0, wxALIGN_CENTER_VERTICAL);
    boxes->AddSpacer(0);
    boxes->AddSpacer(0);
    boxes->Add(picture);
    LayOutEditor(this, boxes, cmdsave, cmdcancel, gap);
    widgets::NameControls({LW_NAMED(lblname), LW_NAMED(txtname), LW_NAMED(lblinternetaddress),
                           LW_NAMED(txtinternetaddress), LW_NAMED(cmdsave), LW_NAMED(cmdcancel),
                           LW_NAMED(imgpreview), LW_NAMED(cmdpicture), LW_NAMED(cmdnopicture)});
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
    cmdpicture->Click = [this] { cmdpicture_Click(); };
    cmdnopicture->Click = [this] { cmdnopicture_Click(); };
    BindTypingLimit(
        txtname, [this](int& key) { txtname_KeyPress(key); }, [this] { txtname_Change(); });
    BindTypingLimit(
        txtinternetaddress, [this](int& key) { txtinternetaddress_KeyPress(key); },
        [this] { txtinternetaddress_Change(); });
    // The settings are read after the windows are made: the row follows them at every opening.
    Bind(wxEVT_SHOW, [this](wxShowEvent& event) {
        if (event.IsShown()) {
            ShowPictureRow();
        }
        event.Skip();
    });
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
    // A site without a name would get a button with nothing on it.
    if (basics::TrimSpaces(name).empty()) {
        forms_.Machine().messages.Show(forms_.Text(i18n::Message::NameMissing), kTitle,
                                       platform::Messages::Icon::None);
        txtname->SetFocus();
        return;
    }
    const std::string address = txtinternetaddress->GetValue().utf8_string();
    // Refused with the boxes as typed, so the parent mends the text rather than typing it anew.
    if (!CheckTyped(name, address)) {
        return;
    }
    StorePicture(address);
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
    // Allowed in this run either way: a child on the refusal page for it goes there now.
    forms_.Child().TryRefusedAgain();
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
    picture_.reset();
    ShowPreview();
    Hide();
}

void invoegensite::ShowPictureRow() {
    const bool pictures = forms_.Family().SitePictures();
    if (cmdpicture->IsShown() == pictures) {
        return;
    }
    for (wxWindow* control :
         {static_cast<wxWindow*>(imgpreview), static_cast<wxWindow*>(cmdpicture),
          static_cast<wxWindow*>(cmdnopicture)}) {
        control->Show(pictures);
    }
    RefitGrown(this);
}

void invoegensite::cmdpicture_Click() {
    // The parent's own dialog: the child's web view never offers a file chooser.
    wxFileDialog choose(this, cmdpicture->Caption(), "", "",
                        "PNG, JPEG, GIF, BMP (*.png;*.jpg;*.jpeg;*.gif;*.bmp)|"
                        "*.png;*.jpg;*.jpeg;*.gif;*.bmp;*.PNG;*.JPG;*.JPEG;*.GIF;*.BMP",
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (choose.ShowModal() == wxID_OK) {
        UsePicture(choose.GetPath().utf8_string());
    }
}

void invoegensite::cmdnopicture_Click() {
    picture_ = std::string();
    ShowPreview();
}

bool invoegensite::UsePicture(const std::string& path) {
    std::optional<std::string> png;
    wxFile file;
    if (wxLogNull quiet; file.Open(wxString::FromUTF8(path)) && file.Length() > 0 &&
                         file.Length() <= kMaxPictureFile) {
        std::string bytes(static_cast<std::size_t>(file.Length()), '\0');
        if (file.Read(bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size())) {
            png = widgets::ButtonPicturePng(widgets::ImageFromBytes(bytes),
                                            storage::pictures::kMaxBytes);
        }
    }
    if (!png) {
        forms_.Machine().messages.Show(forms_.Text(i18n::Message::NotAPicture), kTitle,
                                       platform::Messages::Icon::None);
        return false;
    }
    picture_ = std::move(png);
    ShowPreview();
    return true;
}

void invoegensite::ShowPreview() {
    wxImage shown = picture_ ? widgets::ImageFromPng(*picture_) : wxImage();
    const int side = FromDIP(kPreviewSide);
    if (shown.IsOk()) {
        shown.Rescale(side, side * shown.GetHeight() / std::max(1, shown.GetWidth()),
                      wxIMAGE_QUALITY_HIGH);
    }
    imgpreview->SetBitmap(shown.IsOk() ? wxBitmap(shown) : wxBitmap());
}

void invoegensite::StorePicture(const std::string& address) {
    if (!picture_) {
        return;
    }
    // "No picture" is stored too, so no picture the site declares takes its place later.
    const auto result = forms_.Family().SetSitePicture(address, *picture_);
    picture_.reset();
    ShowPreview();
    if (!result.ok) {
        forms_.ShowWriteFailure(
            std::string(storage::pictures::kFolder) + "/" + storage::pictures::FileNameOf(address),
            result.reason);
    }
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
