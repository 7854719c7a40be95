#include "parents/frmVerzoeken.h"

#include <wx/display.h>
#include <wx/scrolwin.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include <algorithm>

#include "parents/DialogLayout.h"
#include "parents/Parents.h"
#include "storage/DataPath.h"
#include "widgets/ChameleonButton.h"
#include "widgets/Named.h"

namespace parents {

namespace {

wxString Utf8(std::string_view text) {
    return wxString::FromUTF8(text.data(), text.size());
}

}  // namespace

frmVerzoeken::frmVerzoeken(ParentsWindows& forms)
    : wxDialog(nullptr, wxID_ANY, "Requests from your child", wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU | wxRESIZE_BORDER),
      forms_(forms) {
    const int gap = FromDIP(8);
    const wxRect screen = wxDisplay(this).GetClientArea();
    const int width = std::min(FromDIP(720), screen.width - gap * 4);
    pictureSide_ = std::clamp(screen.height / 24, FromDIP(20), FromDIP(48));

    lblhint = new wxStaticText(this, wxID_ANY, "");
    rowsPanel = new wxScrolledWindow(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                     wxVSCROLL | wxBORDER_THEME);
    rowsPanel->SetScrollRate(0, FromDIP(10));
    rowsPanel->SetMinSize(
        wxSize(width, std::clamp(screen.height * 2 / 5, FromDIP(150), FromDIP(520))));
    rowsPanel->SetSizer(new wxFlexGridSizer(4, gap / 2, gap * 2));
    lblnone = new wxStaticText(this, wxID_ANY, "");
    cmdclose = widgets::chameleonButton::CreateStored(this, "Close");

    auto* all = new wxBoxSizer(wxVERTICAL);
    all->Add(lblhint, 0, wxLEFT | wxRIGHT | wxTOP, gap * 2);
    all->Add(lblnone, 0, wxLEFT | wxRIGHT | wxTOP, gap * 2);
    all->Add(rowsPanel, 1, wxEXPAND | wxALL, gap * 2);
    all->Add(cmdclose, 0, wxALIGN_RIGHT | wxRIGHT | wxBOTTOM, gap * 2);
    SetSizerAndFit(all);
    widgets::NameControls(
        {LW_NAMED(lblhint), LW_NAMED(rowsPanel), LW_NAMED(lblnone), LW_NAMED(cmdclose)});
    cmdclose->Click = [this] { Hide(); };
    // Escape closes it as Close does; the parent reads it, so Enter closes it too.
    BindEnterAndEscape(
        this, cmdclose, [this] { Hide(); }, [this] { Hide(); });
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { Hide(); });
    CentreOnScreen();
}

void frmVerzoeken::Form_Activate() {
    const auto language = forms_.Language();
    auto phrase = [&](i18n::Phrase p) { return Utf8(i18n::PhraseText(language, p)); };
    SetTitle(phrase(i18n::Phrase::RequestsTitle));
    lblhint->SetLabel(phrase(i18n::Phrase::RequestsHint));
    lblnone->SetLabel(phrase(i18n::Phrase::NoRequests));
    cmdclose->SetCaption(phrase(i18n::Phrase::CloseView));

    const auto requests = forms_.Family().Requests();
    lblnone->Show(requests.empty());
    rowsPanel->Freeze();
    rowsPanel->DestroyChildren();
    rows_.clear();
    auto* grid = static_cast<wxFlexGridSizer*>(rowsPanel->GetSizer());
    grid->Clear(false);
    for (const auto& address : requests) {
        Row row{address};
        row.picture = new wxStaticBitmap(rowsPanel, wxID_ANY, PictureOf(address));
        row.name = new wxStaticText(rowsPanel, wxID_ANY, Utf8(address));
        row.name->SetToolTip(Utf8(address));
        row.allow =
            widgets::chameleonButton::CreateStored(rowsPanel, phrase(i18n::Phrase::AllowRequest));
        row.refuse =
            widgets::chameleonButton::CreateStored(rowsPanel, phrase(i18n::Phrase::RefuseRequest));
        row.allow->Click = [this, address] { cmdallow_Click(address); };
        row.refuse->Click = [this, address] { cmdrefuse_Click(address); };
        for (wxWindow* cell :
             std::initializer_list<wxWindow*>{row.picture, row.name, row.allow, row.refuse}) {
            grid->Add(cell, 0, wxALIGN_CENTER_VERTICAL | wxTOP, FromDIP(2));
        }
        rows_.push_back(std::move(row));
    }
    rowsPanel->FitInside();
    rowsPanel->Thaw();
    Layout();
}

wxBitmap frmVerzoeken::PictureOf(const std::string& address) const {
    return RowPicture(forms_.Family().PictureOfHost(address), pictureSide_, GetBackgroundColour());
}

void frmVerzoeken::cmdallow_Click(const std::string& address) {
    // Answered once the editor stores the site: a listed site then holds the address.
    Hide();
    forms_.Panel().AddSiteFor(address);
}

void frmVerzoeken::cmdrefuse_Click(const std::string& address) {
    const auto result = forms_.Family().DropRequest(address);
    if (!result.ok) {
        forms_.ShowWriteFailure(storage::files::kRequests, result.reason);
    }
    Form_Activate();
    forms_.Panel().ShowRequestsCaption();
}

}  // namespace parents
