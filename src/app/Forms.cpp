#include "app/Forms.h"

#include <wx/app.h>
#include <wx/textctrl.h>
#include <wx/toplevel.h>

#include <algorithm>
#include <array>
#include <ranges>

#include "app/LanguageSwitch.h"
#include "app/frmMdi.h"
#include "browser/frmBrowser.h"
#include "browser/sites.h"
#include "parents/Parents.h"
#include "parents/frmBlocker.h"
#include "parents/frmVandaag.h"
#include "parents/frmVerzoeken.h"
#include "parents/invoegensite.h"
#include "parents/paswoord.h"
#include "parents/paswoordwijzigen.h"
#include "parents/startpagina.h"
#include "parents/tijdperdag.h"

namespace app {

Forms::Forms(platform::Platform& platform, storage::DataFiles& data)
    : platform_(platform), data_(data), family_(data, platform.clock) {}

Forms::~Forms() {
    for (wxTopLevelWindow* window : std::views::reverse(loaded_)) {
        delete window;
    }
}

template <typename Window>
Window& Forms::Load(Window*& slot, std::string_view name) {
    if (slot == nullptr) {
        // A window made after the run's language was applied gets its texts as it is made, so
        // the start need not make every window only to write texts into it.
        const std::optional<i18n::Language> language = language_;
        // Kept before the load steps run, so a load that refers to its own window (or to one
        // that refers back) finds it instead of creating a second one.
        slot = new Window(*this);
        loaded_.push_back(slot);
        slot->Form_Load();
        if (language) {
            app::ApplyCaptions(*this, *language, name);
        }
    }
    return *slot;
}

frmMdi& Forms::Mdi() {
    return Load(mdi_, "frmMdi");
}

browser::frmBrowser& Forms::Browser() {
    return Load(browser_, "frmBrowser");
}

parents::Parents& Forms::Panel() {
    return Load(panel_, "Parents");
}

parents::paswoord& Forms::Login() {
    return Load(login_, "paswoord");
}

browser::sites& Forms::Sites() {
    return Load(sites_, "sites");
}

parents::invoegensite& Forms::SiteEditor() {
    return Load(siteEditor_, "invoegensite");
}

parents::startpagina& Forms::StartPageEditor() {
    return Load(startPageEditor_, "startpagina");
}

parents::frmBlocker& Forms::Blocker() {
    return Load(blocker_, "frmBlocker");
}

parents::paswoordwijzigen& Forms::ChangePassword() {
    return Load(changePassword_, "paswoordwijzigen");
}

parents::tijdperdag& Forms::TimeLimitEditor() {
    return Load(timeLimitEditor_, "tijdperdag");
}

parents::frmVandaag& Forms::ActivityView() {
    return Load(activityView_, "frmVandaag");
}

parents::frmVerzoeken& Forms::RequestsView() {
    return Load(requestsView_, "frmVerzoeken");
}

std::vector<wxTopLevelWindow*> Forms::CloseOrder(wxTopLevelWindow* self) const {
    std::vector<wxTopLevelWindow*> order;
    const std::array<wxTopLevelWindow*, 6> named{panel_,          login_, self,
                                                 changePassword_, sites_, siteEditor_};
    for (wxTopLevelWindow* window : named) {
        if (window != nullptr) {
            order.push_back(window);
        }
    }
    return order;
}

void Forms::HideAndClose(wxTopLevelWindow* self) const {
    const auto named = CloseOrder(self);
    for (wxTopLevelWindow* window : named) {
        window->Hide();
    }
    for (wxTopLevelWindow* window : named) {
        if (window != self) {
            window->Close();
        }
    }
}

context::ChildWindow& Forms::Child() {
    if (parentsOnly_) {
        return noChild_;
    }
    return Browser();
}

void Forms::ParentsOnly() {
    parentsOnly_ = true;
    family_.LoadSites();
    family_.LoadStartPage();
    family_.LoadVisitLog();
    family_.LoadSettings();
    ApplyLanguage();
    ShowLogin();
    // The windows hide themselves as the parent leaves them; the end follows the last one.
    watch_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
        if (std::ranges::none_of(loaded_, [](wxTopLevelWindow* w) { return w->IsShown(); })) {
            watch_.Stop();
            wxTheApp->ExitMainLoop();
        }
    });
    watch_.Start(500);
}

std::optional<i18n::Language> Forms::ApplyLanguage() {
    return app::ApplyLanguage(*this);
}

bool Forms::SaveLanguageChoice() {
    return app::SaveLanguageChoice(*this);
}

void Forms::CloseOtherWindows(wxTopLevelWindow* self) {
    HideAndClose(self);
    const std::vector<wxTopLevelWindow*> loaded = loaded_;
    for (wxTopLevelWindow* window : std::views::reverse(loaded)) {
        if (window != self) {
            window->Close();
        }
    }
}

void Forms::ShowLogin() {
    // The parent left the panel open (to read the help): it comes back as it was.
    if (panel_ != nullptr && panel_->IsShown()) {
        panel_->Raise();
        return;
    }
    Login().ShowEmpty();
}

void Forms::AskFor(const std::string& refusedAddress) {
    Login().AskFor(refusedAddress);
}

bool Forms::ParentIsThere() const {
    return (panel_ != nullptr && panel_->IsShown()) ||
           (timeLimitEditor_ != nullptr && timeLimitEditor_->IsShown());
}

}  // namespace app
