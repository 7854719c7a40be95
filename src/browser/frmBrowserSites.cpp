// The site panel: up to eighteen buttons for the sites a parent allowed.
#include <wx/combobox.h>
#include <wx/panel.h>

#include <optional>

#include "basics/TextEncoding.h"
#include "browser/frmBrowser.h"
#include "context/WindowContext.h"
#include "storage/DataPath.h"
#include "storage/Records.h"
#include "storage/SitePictures.h"
#include "widgets/ButtonPicture.h"
#include "widgets/ChameleonButton.h"

namespace browser {

void frmBrowser::ShowSite(widgets::chameleonButton& button, const std::string& record) {
    const std::string address = storage::SiteAddress(record);
    button.SetCaption(wxString::FromUTF8(storage::SiteName(record)));
    button.SetToolTipText(wxString::FromUTF8(address));
    // A damaged file or one that is no picture gives none: never half a picture.
    const auto png =
        context_.Family().SitePictures() ? context_.Family().SitePicture(address) : std::nullopt;
    button.SetPicture(png ? widgets::ImageFromPng(*png) : wxImage());
}

void frmBrowser::LoadSiteList() {
    auto& family = context_.Family();
    const size_t before = family.Sites().size();
    family.LoadSites();
    // The first two buttons show the first two sites from the start, before the panel opens.
    for (size_t i = before; i < family.Sites().size(); ++i) {
        const std::string& line = family.Sites()[i];
        if (cmdsite(2).Caption().empty() && !cmdsite(1).Caption().empty()) {
            ShowSite(cmdsite(2), line);
        }
        if (cmdsite(1).Caption().empty()) {
            ShowSite(cmdsite(1), line);
        }
    }
}

void frmBrowser::FillSiteButtons() {
    // Sites the parent changed in the panel and has not saved yet count already: a deleted
    // site must not stay open to the child until the save.
    const auto lines = context_.Family().SitesToShow();
    if (!lines) {
        return;  // the buttons keep what they show
    }
    int k = 0;
    for (const auto& line : *lines) {
        ShowSite(cmdsite(std::min(k, kSiteButtons - 1) + 1), line);
        ++k;
    }
    // A site the parent deleted must not stay on the panel until the next start.
    for (int n = k + 1; n <= kSiteButtons; ++n) {
        cmdsite(n).SetCaption("");
        cmdsite(n).SetToolTipText("");
        cmdsite(n).SetPicture(wxImage());
    }
}

void frmBrowser::ShowWorkingSites() {
    FillSiteButtons();
    if (Txtbackground->IsShown()) {
        for (auto* button : sites_) {
            button->Show(!button->Caption().empty());
        }
    }
}

void frmBrowser::cmdvisit_Click() {
    if (TimeIsUp()) {
        return;  // the cover lies where the site panel would open
    }
    FillSiteButtons();
    for (auto* button : sites_) {
        button->Hide();
    }
    if (Txtbackground->IsShown()) {
        Txtbackground->Hide();
        return;
    }
    Txtbackground->Show();
    for (auto* button : sites_) {
        if (!button->Caption().empty()) {
            button->Show();
        }
    }
}

void frmBrowser::cmdsite_Click(int n) {
    cboURL->SetValue(
        wxString::FromUTF8(basics::TrimSpaces(cmdsite(n).ToolTipText().utf8_string())));
    cboURL_Click();
    for (auto* button : sites_) {
        button->Hide();
    }
    Txtbackground->Hide();
}

}  // namespace browser
