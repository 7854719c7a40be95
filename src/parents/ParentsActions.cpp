// What the control panel's buttons do.
#include <wx/combobox.h>
#include <wx/listbox.h>
#include <wx/panel.h>
#include <wx/textctrl.h>

#include <utility>

#include "basics/TextEncoding.h"
#include "parents/LogList.h"
#include "parents/MakerSite.h"
#include "parents/Parents.h"
#include "parents/ParentsWindows.h"
#include "parents/frmBlocker.h"
#include "parents/frmVandaag.h"
#include "parents/frmVerzoeken.h"
#include "parents/invoegensite.h"
#include "parents/paswoordwijzigen.h"
#include "parents/startpagina.h"
#include "parents/tijdperdag.h"
#include "storage/DataPath.h"
#include "storage/Records.h"
#include "widgets/ChameleonButton.h"

namespace parents {

namespace {
constexpr unsigned int kMaxSites = 18;
}

void Parents::cmdadd_Click() {
    if (forms_.Family().Sites().size() < kMaxSites) {
        forms_.SiteEditor().StoreAtOnce(false);
        forms_.SiteEditor().Show();
        return;
    }
    forms_.Machine().messages.Show("You cannot add more than 18 websites!", "Lanternwick",
                                   platform::Messages::Icon::None);
}

void Parents::cmdDelete_Click() {
    const int selected = List1->GetSelection();
    if (selected == wxNOT_FOUND) {
        forms_.Machine().messages.Show(
            "You cannot delete a website.\r\nof\r\nFirst you have to select one!",
            "Lanternwick Info", platform::Messages::Icon::Information);
        return;
    }
    forms_.Family().DeleteSite(static_cast<size_t>(selected));
    if (keptAddress_ && forms_.Family().Sites().size() < kMaxSites) {
        AddSiteFor(*std::exchange(keptAddress_, std::nullopt));
    }
    // The list shows the sites afresh with none chosen: the next one the parent has not picked.
}

void Parents::cmdHomepage_Click() {
    forms_.Family().SetStartPageRecords({});
    forms_.StartPageEditor().Show();
}

void Parents::cmdBlocksites_Click() {
    forms_.Blocker().Show();
}

void Parents::cmdchange_Click() {
    forms_.ChangePassword().Show();
}

void Parents::cmdclear_Click() {
    // Cleared on disk too before long, or a killed run would bring the entries back.
    forms_.Family().ClearVisitLog();
}

void Parents::cmdclose_Click() {
    // The start page editor's Cancel first: the record it took out of the list is no change.
    CloseEditors();
    if (forms_.Family().DiffersFromStored()) {
        using Answer = platform::Messages::Answer;
        const Answer answer = forms_.Machine().messages.Ask(
            forms_.Text(i18n::Message::UnsavedChanges), "Lanternwick",
            {.first = forms_.Text(i18n::Message::SaveAndLogOut),
             .second = forms_.Text(i18n::Message::LogOutWithoutSaving),
             .cancel = forms_.Text(i18n::Message::CancelLogOut)});
        if (answer == Answer::Cancel || (answer == Answer::First && !SaveLists())) {
            return;  // the panel stays, with everything as it was
        }
    }
    LeavePanel();
}

void Parents::LeavePanel() {
    keptAddress_.reset();
    CloseEditors();
    Hide();
}

void Parents::CloseEditors() {
    // The start page editor's Cancel puts back the record that opening it took out of the list.
    if (auto* editor = forms_.StartPageEditorIfLoaded(); editor != nullptr && editor->IsShown()) {
        editor->cmdcancel_Click();
    }
    for (wxTopLevelWindow* dialog : std::initializer_list<wxTopLevelWindow*>{
             forms_.SiteEditorIfLoaded(), forms_.BlockerIfLoaded(), forms_.ChangePasswordIfLoaded(),
             forms_.StartPageEditorIfLoaded(), forms_.TimeLimitEditorIfLoaded(),
             forms_.ActivityViewIfLoaded(), forms_.RequestsViewIfLoaded()}) {
        if (dialog != nullptr) {
            dialog->Hide();
        }
    }
}

// The button is there, greyed, for a feature that does not exist.
void Parents::cmdsecurity_Click() {}

void Parents::cmdallowedsites_Click() {
    forms_.Family().SetAllowedSitesOnly(!forms_.Family().AllowedSitesOnly());
}

void Parents::ShowAllowedSitesCaption() {
    cmdallowedsites->SetCaption(wxString::FromUTF8(
        forms_.Text(forms_.Family().AllowedSitesOnly() ? i18n::Message::AllowedSitesOn
                                                       : i18n::Message::AllowedSitesOff)));
}

void Parents::cmdpictures_Click() {
    forms_.Family().SetSitePictures(!forms_.Family().SitePictures());
}

void Parents::ShowPicturesCaption() {
    cmdpictures->SetCaption(wxString::FromUTF8(forms_.Text(
        forms_.Family().SitePictures() ? i18n::Message::PicturesOn : i18n::Message::PicturesOff)));
}

// The model tells nobody when this switch turns (the child's window asks it each time it would
// read), so the caption follows here.
void Parents::cmdreadaloud_Click() {
    forms_.Family().SetReadAloud(!forms_.Family().ReadAloud());
    ShowReadAloudCaption();
}

void Parents::ShowReadAloudCaption() {
    cmdreadaloud->SetCaption(wxString::FromUTF8(forms_.Text(
        forms_.Family().ReadAloud() ? i18n::Message::ReadAloudOn : i18n::Message::ReadAloudOff)));
}

void Parents::AddSiteFor(const std::string& address) {
    if (forms_.Family().Sites().size() >= kMaxSites) {
        keptAddress_ = address;
        forms_.Machine().messages.Show(forms_.Text(i18n::Message::SitesFullKept, {address}),
                                       "Lanternwick", platform::Messages::Icon::None);
        return;
    }
    // The address box takes what a record keeps; a longer address is cut to its site, which is
    // what the switch judges anyway.
    std::string shown = address;
    if (basics::CharCount(shown) > storage::kMaxAddressChars) {
        const auto scheme = shown.find("://");
        const auto path =
            scheme == std::string::npos ? shown.find('/') : shown.find('/', scheme + 3);
        shown = shown.substr(0, path == std::string::npos ? shown.size() : path + 1);
    }
    auto& editor = forms_.SiteEditor();
    // The parent came for this one site: it is stored at once, not left for a later save.
    editor.StoreAtOnce(true);
    editor.txtname->Clear();
    editor.txtinternetaddress->ChangeValue(wxString::FromUTF8(shown));
    editor.Show();
    editor.Raise();
}

void Parents::cmdsave_Click() {
    // An open start page editor has taken the record out of its list; saving now would store
    // an empty start page. Its Cancel puts the stored record back first.
    CloseEditors();
    if (!SaveLists()) {
        return;
    }
    // Dutch or English end the program here; a refused or unknown name comes back.
    if (!forms_.SaveLanguageChoice()) {
        return;
    }
    LeavePanel();
}

bool Parents::SaveLists() {
    const auto report = forms_.Family().Save();
    if (report.ok) {
        return true;
    }
    // The panel stays open, so the parent can mend the cause and save again: nothing of the
    // lists is lost and the program does not end half-saved. The message says which files the
    // save did replace, as those now hold the lists' state.
    std::string written;
    for (const auto& file : report.written) {
        written += (written.empty() ? "\"" : ", \"") + forms_.Family().PathOf(file) + "\"";
    }
    const std::string before = written.empty() ? forms_.Text(i18n::Message::NothingSavedBefore)
                                               : forms_.Text(i18n::Message::SavedBefore, {written});
    const std::string reason =
        report.unreadable ? forms_.Text(i18n::Message::SettingsUnreadable) : report.reason;
    forms_.ShowWriteFailure(report.failedFile, reason + "\r\n" + before);
    return false;
}

void Parents::OpenInBrowser(const std::string& address) {
    LeavePanel();
    forms_.Child().OpenAddress(address);
}

void Parents::cmdvandaag_Click() {
    auto& view = forms_.ActivityView();
    view.Form_Activate();
    view.Show();
    view.Raise();
    view.cmdclose->SetFocus();  // the keys go to it, not to the panel behind
}

void Parents::cmdendsession_Click() {
    cmdclose_Click();
    if (IsShown()) {
        return;  // the parent chose to stay, for changes not saved yet
    }
    forms_.Machine().ender.EndWithCode(platform::ProcessEnder::kSessionEnds);
    forms_.Child().EndRun();
}

void Parents::cmdrequests_Click() {
    auto& view = forms_.RequestsView();
    view.Form_Activate();
    view.Show();
    view.Raise();
    view.cmdclose->SetFocus();  // the keys go to it, not to the panel behind
}

void Parents::ShowRequestsCaption() {
    auto& family = forms_.Family();
    const bool found = family.SettingsFound();
    std::size_t waiting = 0;
    if (found) {
        // Those a listed site now holds are answered; they leave room for new ones.
        if (const auto result = family.DropAnsweredRequests(); !result.ok) {
            forms_.ShowWriteFailure(storage::files::kRequests, result.reason);
        }
        waiting = family.Requests().size();
    }
    cmdrequests->SetCaption(wxString::FromUTF8(i18n::PhraseWith(
        forms_.Language(), i18n::Phrase::RequestsButton, static_cast<long long>(waiting))));
    cmdrequests->Show(waiting > 0);
    cmdvandaag->Show(found);
    Layout();
}

void Parents::cmdHelp_Click() {
    // Made by the program, so it opens offline, whatever the switch and the time say. The panel
    // stays open behind the child's window, so the parent reads the help beside it and the
    // parents button brings it back without a second login.
    forms_.Child().OpenHelp();
    Lower();
}
void Parents::cmddevelopers_Click() {
    OpenInBrowser(maker::kDevelopers);
}
void Parents::cmddonation_Click() {
    OpenInBrowser(maker::kDonation);
}
void Parents::cmdforum_Click() {
    OpenInBrowser(maker::kForum);
}
void Parents::cmdregistration_Click() {
    OpenInBrowser(maker::kRegistration);
}
void Parents::cmdSubmit_Click() {
    OpenInBrowser(maker::kSubmit);
}
void Parents::cmdversion_Click() {
    OpenInBrowser(maker::kVersion);
}

}  // namespace parents
