#include "app/Forms.h"

#include <array>
#include <ranges>

#include "app/frmMdi.h"
#include "browser/frmBrowser.h"
#include "browser/sites.h"
#include "parents/Parents.h"
#include "parents/paswoord.h"

namespace app {

Forms::Forms(Platform& platform, storage::DataFiles& data) : platform_(platform), data_(data) {}

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

std::vector<wxTopLevelWindow*> Forms::CloseOrder(wxTopLevelWindow* self) const {
    std::vector<wxTopLevelWindow*> order;
    const std::array<wxTopLevelWindow*, 4> named{panel_, login_, self, sites_};
    for (wxTopLevelWindow* window : named) {
        if (window != nullptr) {
            order.push_back(window);
        }
    }
    return order;
}

}  // namespace app
