#pragma once

#include <wx/frame.h>

#include <optional>
#include <string>
#include <vector>

#include "parents/ParentsWindows.h"
#include "storage/Settings.h"

class wxComboBox;
class wxListBox;
class wxStaticText;

namespace widgets {
class chameleonButton;
}

namespace parents {

class LogList;

// The parent's control panel. Its lists are the program's working copies of the sites, the
// start page and the visit log; only "Log out and save" writes them back.
class Parents : public wxFrame {
public:
    explicit Parents(ParentsWindows& forms);

    void Form_Load();
    bool Show(bool show = true) override;
    // A close request from the title bar is refused: the panel leaves only through its own
    // buttons, so the working copies in its lists are never dropped by accident.
    void Form_QueryUnload(wxCloseEvent& event);

    // Handlers (ParentsActions.cpp).
    void cmdadd_Click();
    void cmdDelete_Click();
    void cmdHomepage_Click();
    void cmdBlocksites_Click();
    void cmdchange_Click();
    void cmdclear_Click();
    void cmdvandaag_Click();
    void cmdrequests_Click();
    // Only where the program is the child's whole session: the parent leaves the panel as
    // "Log out" does, then the program ends, and the session with it.
    void cmdendsession_Click();
    // The requests' button with the count of those waiting, shown only while some wait; the
    // view of today and the requests belong to the settings file and are hidden without it.
    void ShowRequestsCaption();
    void cmdclose_Click();
    void cmdsave_Click();
    void cmdsecurity_Click();
    void cmdallowedsites_Click();
    void cmdpictures_Click();
    void cmdreadaloud_Click();
    void cmdHelp_Click();
    void cmddevelopers_Click();
    void cmddonation_Click();
    void cmdforum_Click();
    void cmdregistration_Click();
    void cmdSubmit_Click();
    void cmdversion_Click();
    // Each time the panel is shown: the wrong tries at the login since the last visit, once;
    // today's limit on the time button, and a failed write of the used time told to the parent
    // (ParentsTime.cpp).
    void Form_Activate();
    void cmdtime_Click();
    void cbolanguage_Change();
    // "Time per day: ..." with today's limit, in the run's language.
    void UpdateTimeCaption();

    // The switch as the parent set it in this run; it counts at once and is stored with
    // "Log out and save".
    bool AllowedSitesOnly() const { return forms_.Family().AllowedSitesOnly(); }
    // Opens the site editor with `address` in its address box and an empty name, so that a
    // parent fetched by the child allows a refused site in one step.
    void AddSiteFor(const std::string& address);

    // Views of the family model: the site records, the start-page record, the visit log.
    wxListBox* List1 = nullptr;
    wxListBox* startpagina1 = nullptr;
    LogList* List2 = nullptr;
    wxComboBox* cbolanguage = nullptr;
    wxStaticText* lblzien = nullptr;
    wxStaticText* lbllogboek = nullptr;
    wxStaticText* lblbezocht = nullptr;
    wxStaticText* lbltaalkiezen = nullptr;
    widgets::chameleonButton* cmdadd = nullptr;
    widgets::chameleonButton* cmdDelete = nullptr;
    widgets::chameleonButton* cmdHomepage = nullptr;
    widgets::chameleonButton* cmdBlocksites = nullptr;
    widgets::chameleonButton* cmdchange = nullptr;
    widgets::chameleonButton* cmdclear = nullptr;
    widgets::chameleonButton* cmdvandaag = nullptr;
    widgets::chameleonButton* cmdrequests = nullptr;
    widgets::chameleonButton* cmdendsession = nullptr;
    widgets::chameleonButton* cmdsave = nullptr;
    widgets::chameleonButton* cmdclose = nullptr;
    widgets::chameleonButton* cmdsecurity = nullptr;
    widgets::chameleonButton* cmdallowedsites = nullptr;
    widgets::chameleonButton* cmdpictures = nullptr;
    widgets::chameleonButton* cmdreadaloud = nullptr;
    widgets::chameleonButton* cmdHelp = nullptr;
    widgets::chameleonButton* cmddevelopers = nullptr;
    widgets::chameleonButton* cmddonation = nullptr;
    widgets::chameleonButton* cmdforum = nullptr;
    widgets::chameleonButton* cmdregistration = nullptr;
    widgets::chameleonButton* cmdSubmit = nullptr;
    widgets::chameleonButton* cmdversion = nullptr;
    widgets::chameleonButton* cmdtime = nullptr;

private:
    // Asks the child's window to open `address`, and leaves the panel.
    void OpenInBrowser(const std::string& address);
    // Steps 1 to 4 of "Log out and save" and the settings; false when a write failed (the
    // parent has been told, the panel stays).
    bool SaveLists();
    void OnFamilyChange(family::FamilyModel::Change change);
    void ShowSites();
    void ShowStartPage();
    // Hides the panel and every dialog it opened: they act without asking for the account
    // again, so none may stay on screen for the child once the parent has gone.
    void LeavePanel();
    // Closes the dialogs as their Cancel would, so each list holds what it held before.
    void CloseEditors();
    // Leaves the site list with no site chosen, and keeps the toolkit from choosing the first
    // one by itself when the list gets the focus: Delete acts on a site the parent picked.
    void KeepNoSiteChosen();
    // Narrows the record lists until the panel fits the screen.
    void FitOnScreen();
    void ShowAllowedSitesCaption();
    void ShowPicturesCaption();
    void ShowReadAloudCaption();

    ParentsWindows& forms_;
    // A refused address the parent wanted to allow while the list was full: the site editor
    // opens with it again once a site is deleted.
    std::optional<std::string> keptAddress_;
};

}  // namespace parents
