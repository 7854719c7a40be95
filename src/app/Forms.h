#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <wx/timer.h>

#include "context/WindowContext.h"
#include "family/FamilyModel.h"
#include "i18n/CaptionTables.h"
#include "parents/ParentsWindows.h"
#include "platform/Platform.h"
#include "storage/DataFiles.h"

class wxTopLevelWindow;

namespace browser {
class frmBrowser;
class sites;
}  // namespace browser
namespace app {

class frmMdi;

// Owns every window of the program and the family model they show. Each window exists at most
// once: the first call of its accessor creates it hidden and runs its load steps, later calls
// return the same window. It is what every window is given, and the go-between of the child's
// window and the parents' windows, which know nothing of each other.
class Forms : public parents::ParentsWindows, public context::ParentsSide {
public:
    Forms(platform::Platform& platform, storage::DataFiles& data);
    ~Forms();
    Forms(const Forms&) = delete;
    Forms& operator=(const Forms&) = delete;

    frmMdi& Mdi();
    // A parent managing a child's install from their own account: the login, then the panel,
    // and no child's window; the program ends when none of the parents' windows is shown.
    void ParentsOnly();
    browser::frmBrowser& Browser();
    browser::sites& Sites();
    parents::Parents& Panel() override;
    parents::paswoord& Login() override;
    parents::invoegensite& SiteEditor() override;
    parents::startpagina& StartPageEditor() override;
    parents::frmBlocker& Blocker() override;
    parents::paswoordwijzigen& ChangePassword() override;
    parents::tijdperdag& TimeLimitEditor() override;
    parents::frmVandaag& ActivityView() override;
    parents::frmVerzoeken& RequestsView() override;

    // The window if it exists; closing steps use these so they never create a window.
    frmMdi* MdiIfLoaded() const { return mdi_; }
    browser::frmBrowser* BrowserIfLoaded() const { return browser_; }
    browser::sites* SitesIfLoaded() const { return sites_; }
    parents::Parents* PanelIfLoaded() const override { return panel_; }
    parents::paswoord* LoginIfLoaded() const override { return login_; }
    parents::invoegensite* SiteEditorIfLoaded() const override { return siteEditor_; }
    parents::startpagina* StartPageEditorIfLoaded() const override { return startPageEditor_; }
    parents::frmBlocker* BlockerIfLoaded() const override { return blocker_; }
    parents::paswoordwijzigen* ChangePasswordIfLoaded() const override { return changePassword_; }
    parents::tijdperdag* TimeLimitEditorIfLoaded() const override { return timeLimitEditor_; }
    parents::frmVandaag* ActivityViewIfLoaded() const override { return activityView_; }
    parents::frmVerzoeken* RequestsViewIfLoaded() const override { return requestsView_; }

    // What every window is given.
    platform::Platform& Machine() override { return platform_; }
    family::FamilyModel& Family() override { return family_; }
    std::optional<i18n::Language> Language() const override { return language_; }
    context::ChildWindow& Child() override;
    context::ParentsSide& Parents() override { return *this; }
    std::optional<i18n::Language> ApplyLanguage() override;
    bool WholeSession() const override { return wholeSession_; }
    void SetWholeSession(bool whole) { wholeSession_ = whole; }
    bool SaveLanguageChoice() override;
    void CloseOtherWindows(wxTopLevelWindow* self) override;

    // What the child's window asks of the parents' side.
    void ShowLogin() override;
    void AskFor(const std::string& refusedAddress) override;
    bool ParentIsThere() const override;

    // The windows that the close steps hide and then close, in that order, with `self` (the
    // window that is closing) third. Windows never opened are left out, not made to be closed.
    std::vector<wxTopLevelWindow*> CloseOrder(wxTopLevelWindow* self) const;
    // Hides the windows of CloseOrder, then closes all but `self`. The panel refuses its close
    // and stays loaded; the steps go on regardless.
    void HideAndClose(wxTopLevelWindow* self) const;

    // The windows that exist, in the order they were created.
    const std::vector<wxTopLevelWindow*>& Loaded() const { return loaded_; }

    void SetLanguage(std::optional<i18n::Language> language) { language_ = language; }

private:
    template <typename Window>
    Window& Load(Window*& slot, std::string_view name);

    platform::Platform& platform_;
    storage::DataFiles& data_;
    family::FamilyModel family_;
    frmMdi* mdi_ = nullptr;
    browser::frmBrowser* browser_ = nullptr;
    parents::Parents* panel_ = nullptr;
    parents::paswoord* login_ = nullptr;
    browser::sites* sites_ = nullptr;
    parents::invoegensite* siteEditor_ = nullptr;
    parents::startpagina* startPageEditor_ = nullptr;
    parents::frmBlocker* blocker_ = nullptr;
    parents::paswoordwijzigen* changePassword_ = nullptr;
    parents::tijdperdag* timeLimitEditor_ = nullptr;
    parents::frmVandaag* activityView_ = nullptr;
    parents::frmVerzoeken* requestsView_ = nullptr;
    std::vector<wxTopLevelWindow*> loaded_;
    std::optional<i18n::Language> language_;
    // Where there is no child's window, what the parents' side asks of it does nothing.
    struct NoChild : context::ChildWindow {
        void OpenAddress(const std::string&) override {}
        void OpenHelp() override {}
        void TryRefusedAgain() override {}
        void EndRun() override {}
    };
    bool parentsOnly_ = false;
    bool wholeSession_ = false;
    NoChild noChild_;
    wxTimer watch_;
};

}  // namespace app
