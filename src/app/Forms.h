#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/Platform.h"
#include "i18n/CaptionTables.h"
#include "storage/DataFiles.h"

class wxTopLevelWindow;

namespace browser {
class frmBrowser;
class sites;
}  // namespace browser
namespace parents {
class Parents;
class paswoord;
class invoegensite;
class startpagina;
class frmBlocker;
class paswoordwijzigen;
class tijdperdag;
}  // namespace parents

namespace app {

class frmMdi;

// Owns every window of the program. Each exists at most once: the first call of its accessor
// creates it hidden and runs its load steps, later calls return the same window.
class Forms {
public:
    Forms(Platform& platform, storage::DataFiles& data);
    ~Forms();
    Forms(const Forms&) = delete;
    Forms& operator=(const Forms&) = delete;

    frmMdi& Mdi();
    browser::frmBrowser& Browser();
    parents::Parents& Panel();
    parents::paswoord& Login();
    browser::sites& Sites();
    parents::invoegensite& SiteEditor();
    parents::startpagina& StartPageEditor();
    parents::frmBlocker& Blocker();
    parents::paswoordwijzigen& ChangePassword();
    parents::tijdperdag& TimeLimitEditor();

    // The window if it exists; closing steps use these so they never create a window.
    frmMdi* MdiIfLoaded() const { return mdi_; }
    browser::frmBrowser* BrowserIfLoaded() const { return browser_; }
    parents::Parents* PanelIfLoaded() const { return panel_; }
    parents::paswoord* LoginIfLoaded() const { return login_; }
    browser::sites* SitesIfLoaded() const { return sites_; }
    parents::invoegensite* SiteEditorIfLoaded() const { return siteEditor_; }
    parents::startpagina* StartPageEditorIfLoaded() const { return startPageEditor_; }
    parents::frmBlocker* BlockerIfLoaded() const { return blocker_; }
    parents::paswoordwijzigen* ChangePasswordIfLoaded() const { return changePassword_; }
    parents::tijdperdag* TimeLimitEditorIfLoaded() const { return timeLimitEditor_; }

    // The windows that the close steps hide and then close, in that order, with `self` (the
    // window that is closing) third. Windows never opened are left out, not made to be closed.
    std::vector<wxTopLevelWindow*> CloseOrder(wxTopLevelWindow* self) const;
    // Hides the windows of CloseOrder, then closes all but `self`. The panel refuses its close
    // and stays loaded; the steps go on regardless.
    void HideAndClose(wxTopLevelWindow* self) const;

    // The windows that exist, in the order they were created.
    const std::vector<wxTopLevelWindow*>& Loaded() const { return loaded_; }

    // The language the tables gave the windows at start; none: their built-in texts.
    std::optional<i18n::Language> Language() const { return language_; }
    void SetLanguage(std::optional<i18n::Language> language) { language_ = language; }
    std::string Text(i18n::Message message, std::initializer_list<std::string_view> values = {}) {
        return i18n::MessageText(language_, message, values);
    }
    // The one wording of a failed save, so every window reports it alike.
    void ShowWriteFailure(const std::string& file, const std::string& reason);

    Platform& Machine() { return platform_; }
    storage::DataFiles& Data() { return data_; }

private:
    template <typename Window>
    Window& Load(Window*& slot);

    Platform& platform_;
    storage::DataFiles& data_;
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
    std::vector<wxTopLevelWindow*> loaded_;
    std::optional<i18n::Language> language_;
};

}  // namespace app
