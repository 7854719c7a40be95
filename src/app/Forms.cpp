#include "app/Forms.h"

#include <wx/textctrl.h>
#include <wx/toplevel.h>

#include <array>
#include <ranges>

#include "app/LanguageSwitch.h"
#include "app/frmMdi.h"
#include "browser/frmBrowser.h"
#include "browser/sites.h"
#include "parents/Parents.h"
#include "parents/frmBlocker.h"
#include "parents/frmVandaag.h"
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
Window& Forms::Load(Window*& slot) {
    if (slot == nullptr) {
        // Kept before the load steps run, so a load that refers to its own window (or to one
        // that refers back) finds it instead of creating a second one.
        slot = new Window(*this);
        loaded_.push_back(slot);
        slot->Form_Load();
    }
    return *slot;
}

frmMdi& Forms::Mdi() {
    return Load(mdi_);
}

browser::frmBrowser& Forms::Browser() {
    return Load(browser_);
}

parents::Parents& Forms::Panel() {
    return Load(panel_);
}

parents::paswoord& Forms::Login() {
    return Load(login_);
}

browser::sites& Forms::Sites() {
    return Load(sites_);
}

parents::invoegensite& Forms::SiteEditor() {
    return Load(siteEditor_);
}

parents::startpagina& Forms::StartPageEditor() {
    return Load(startPageEditor_);
}

parents::frmBlocker& Forms::Blocker() {
    return Load(blocker_);
}

parents::paswoordwijzigen& Forms::ChangePassword() {
    return Load(changePassword_);
}

parents::tijdperdag& Forms::TimeLimitEditor() {
    return Load(timeLimitEditor_);
}

parents::frmVandaag& Forms::ActivityView() {
    return Load(activityView_);
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
    return Browser();
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
