// The site panel: up to eighteen buttons for the sites a parent allowed.
#include <wx/combobox.h>
#include <wx/listbox.h>
#include <wx/panel.h>

#include <optional>

#include "app/Forms.h"
#include "browser/frmBrowser.h"
#include "parents/Parents.h"
#include "storage/DataPath.h"
#include "storage/Records.h"
#include "storage/TextEncoding.h"
#include "widgets/ChameleonButton.h"

namespace browser {

namespace {

void ShowSite(widgets::chameleonButton& button, const std::string& record) {
    button.SetCaption(wxString::FromUTF8(storage::SiteName(record)));
    button.SetToolTipText(wxString::FromUTF8(storage::SiteAddress(record)));
}

}  // namespace

void frmBrowser::LoadSiteList(const std::string& file) {
    const auto lines = forms_.Data().Read(file);
    if (!lines) {
        return;
    }
    for (const auto& line : *lines) {
        forms_.Panel().List1->Append(wxString::FromUTF8(line));
        if (cmdsite(2).Caption().empty() && !cmdsite(1).Caption().empty()) {
            ShowSite(cmdsite(2), line);
        }
        if (cmdsite(1).Caption().empty()) {
            ShowSite(cmdsite(1), line);
        }
    }
}

void frmBrowser::FillSiteButtons(const std::string& file) {
    // Sites the parent changed in the panel and has not saved yet count already: a deleted
    // site must not stay open to the child until the save.
    const parents::Parents* panel = forms_.PanelIfLoaded();
    const auto lines = panel != nullptr && panel->SitesPending()
                           ? std::optional(panel->WorkingSites())
                           : forms_.Data().Read(file);
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
    }
}

void frmBrowser::ShowWorkingSites() {
    FillSiteButtons(storage::files::kSites);
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
    FillSiteButtons(storage::files::kSites);
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
        wxString::FromUTF8(storage::TrimSpaces(cmdsite(n).ToolTipText().utf8_string())));
    cboURL_Click();
    for (auto* button : sites_) {
        button->Hide();
    }
    Txtbackground->Hide();
}

}  // namespace browser
