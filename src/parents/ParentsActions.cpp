// What the control panel's buttons do.
#include <wx/combobox.h>
#include <wx/listbox.h>
#include <wx/panel.h>
#include <wx/textctrl.h>

#include <filesystem>

#include "basics/TextEncoding.h"
#include "parents/LogList.h"
#include "parents/MakerSite.h"
#include "parents/Parents.h"
#include "parents/ParentsWindows.h"
#include "parents/frmBlocker.h"
#include "parents/invoegensite.h"
#include "parents/paswoordwijzigen.h"
#include "parents/startpagina.h"
#include "parents/tijdperdag.h"
#include "storage/DataPath.h"
#include "storage/Records.h"
#include "storage/SitePictures.h"
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
             forms_.StartPageEditorIfLoaded(), forms_.TimeLimitEditorIfLoaded()}) {
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

void Parents::AddSiteFor(const std::string& address) {
    if (forms_.Family().Sites().size() >= kMaxSites) {
        cmdadd_Click();  // says why no site can be added
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

std::optional<storage::Settings> Parents::SettingsToSave() const {
    auto lines = forms_.Data().Read(storage::files::kSettings);
    std::error_code error;
    if (!lines && std::filesystem::exists(forms_.Data().PathOf(storage::files::kSettings), error)) {
        return std::nullopt;
    }
    // Read afresh: whatever else the file holds is kept as it now stands.
    storage::Settings settings(storage::NameValueLines(lines.value_or(std::vector<std::string>{})));
    // Put in only when the parent turned it: a value the file got since the start is kept.
    if (forms_.Family().AllowedSitesOnlyTurned()) {
        settings.SetAllowedSitesOnly(forms_.Family().AllowedSitesOnly());
    }
    if (forms_.Family().SitePicturesTurned()) {
        settings.SetSitePictures(forms_.Family().SitePictures());
    }
    return settings;
}

void Parents::cmdsave_Click() {
    // An open start page editor has taken the record out of its list; saving now would store
    // an empty start page. Its Cancel puts the stored record back first.
    CloseEditors();
    if (!SaveLists()) {
        return;
    }
    // Dutch or English end the program here; a refused or unknown name comes back.
    if (!forms_.SaveLanguageChoice(storage::files::kLanguage)) {
        return;
    }
    LeavePanel();
}

bool Parents::SaveLists() {
    namespace files = storage::files;
    auto& family = forms_.Family();
    std::vector<std::pair<const char*, std::optional<std::vector<std::string>>>> steps = {
        {files::kSites, family.Sites()},
        {files::kStartPage, family.StartPageRecords()},
        {files::kVisitLog, family.VisitLog()},
    };
    // The settings file is written only when it would say something new, so an installation
    // without one keeps to the seven files until a parent turns the switch on or sets a limit.
    auto settings = SettingsToSave();
    const auto stored = forms_.Data().Read(files::kSettings);
    const auto limits = TimeLimitSettings(forms_.Family(), forms_.Data());
    if (!settings) {
        // Only what the parent changed there is worth the failure; the rest stays as it was.
        if (limits || family.AllowedSitesOnlyTurned() || family.SitePicturesTurned()) {
            steps.emplace_back(files::kSettings, std::nullopt);
        }
    } else {
        if (limits) {
            // The limits' lines, with the switches as the parent left them.
            storage::NameValueLines lines(*limits);
            for (const char* name :
                 {storage::Settings::kAllowedSitesOnly, storage::Settings::kSitePictures}) {
                if (const auto value = settings->Lines().Get(name)) {
                    lines.Set(name, *value);
                }
            }
            *settings = storage::Settings(std::move(lines));
        }
        if (settings->Lines().Lines() != stored.value_or(std::vector<std::string>{}) &&
            (stored || limits || settings->AllowedSitesOnly() || settings->SitePictures())) {
            steps.emplace_back(files::kSettings, settings->Lines().Lines());
        }
    }
    // A failed write stops here with the panel open, so the parent can mend the cause and
    // save again: nothing of the lists is lost and the program does not end half-saved. The
    // message says which files the save did replace, as those now hold the lists' state.
    std::string written;
    for (const auto& [file, lines] : steps) {
        const auto result =
            lines ? forms_.Data().Write(file, *lines)
                  : storage::WriteResult{false, forms_.Text(i18n::Message::SettingsUnreadable)};
        if (!result.ok) {
            const std::string before = written.empty()
                                           ? forms_.Text(i18n::Message::NothingSavedBefore)
                                           : forms_.Text(i18n::Message::SavedBefore, {written});
            forms_.ShowWriteFailure(file, result.reason + "\r\n" + before);
            return false;
        }
        if (file == std::string_view(files::kSites)) {
            family.SitesSaved();
            // A deleted site's picture goes with it.
            std::vector<std::string> addresses;
            for (const auto& record : family.Sites()) {
                addresses.push_back(storage::SiteAddress(record));
            }
            storage::pictures::KeepOnly(forms_.Data(), addresses);
        }
        if (file == std::string_view(files::kSettings)) {
            family.SwitchesSaved();
        }
        written += (written.empty() ? "\"" : ", \"") + forms_.Data().PathOf(file) + "\"";
    }
    return true;
}

void Parents::OpenInBrowser(const std::string& address) {
    LeavePanel();
    forms_.Child().OpenAddress(address);
}

void Parents::cmdHelp_Click() {
    // Made by the program, so it opens offline, whatever the switch and the time say.
    LeavePanel();
    forms_.Child().OpenHelp();
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
