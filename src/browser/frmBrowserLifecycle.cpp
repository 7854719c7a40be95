// Start and end of the browser window.
#include <wx/combobox.h>
#include <wx/panel.h>
#include <wx/textctrl.h>

#include <exception>

#include "browser/Layout.h"
#include "browser/PictureBox.h"
#include "browser/frmBrowser.h"
#include "context/WindowContext.h"
#include "storage/DataPath.h"
#include "widgets/ChameleonButton.h"

namespace browser {

namespace {

// Start-up goes on past any step that fails: a damaged or missing file must not keep the child
// from getting a browser window.
template <typename Step>
void IgnoringErrors(Step&& step) {
    try {
        step();
    } catch (...) {
    }
}

}  // namespace

void frmBrowser::Form_Load() {
    namespace files = storage::files;
    auto& messages = context_.Machine().messages;
    loading_ = true;
    context_.Family().RemoveUnfinishedWrites();  // copies a killed save left behind

    const TwipRect outer = OuterSize();
    const BrowserLayout layout = LayoutFor(outer.width, outer.height);
    Place(Text3, {kStripRect.left, kStripRect.top, layout.stripWidth, kStripRect.height});
    Place(cmdvisit, {kVisitRect.left, kVisitRect.top, layout.visitWidth, kVisitRect.height});

    std::string failure;
    auto noting = [&](auto&& step) {
        try {
            step();
        } catch (const std::exception& e) {
            if (failure.empty()) {
                failure = e.what();
            }
        }
    };
    noting([&] { Show(); });
    noting([&] { web_->Navigate("About:blank"); });
    if (!failure.empty()) {
        messages.Show("FOUT : " + failure, "INFORMATIE", platform::Messages::Icon::Information);
    }

    auto& family = context_.Family();
    IgnoringErrors([&] { LoadSiteList(); });
    IgnoringErrors([&] { family.LoadVisitLog(); });
    IgnoringErrors([&] { family.LoadStartPage(); });
    IgnoringErrors([&] { ApplyLanguage(); });
    // Read before the start page opens: the parent's switch judges it.
    IgnoringErrors([&] { family.LoadSettings(); });
    IgnoringErrors([&] {
        cboURL->SetValue(Text4->GetValue());
        cboURL_Click();
    });
    IgnoringErrors([&] {
        // Placed for the size the window has now; a later resize leaves them where they are.
        Place(Imglogo, LogoPlace(outer.width, outer.height));
        Place(Imglink, BannerPlace(outer.width, outer.height));
        Imglogo->Show();
        Imglink->Show();
    });
    // Not among the steps whose failure is ignored: a budget that cannot be made keeps the
    // limit in force, and the parent is told at the next panel opening.
    StartTimeBudget();
    loading_ = false;
}

void frmBrowser::ApplyLanguage() {
    language_ = context_.ApplyLanguage();
}

void frmBrowser::Form_Unload() {
    if (closing_) {
        return;  // closing this window is itself one of the steps below
    }
    closing_ = true;
    SaveUsedTime();
    SaveVisitLog(storage::files::kVisitLog);

    context_.CloseOtherWindows(this);
    context_.Machine().ender.EndNow();
}

}  // namespace browser
