// Start and end of the browser window.
#include <wx/combobox.h>
#include <wx/listbox.h>
#include <wx/panel.h>
#include <wx/textctrl.h>

#include <exception>
#include <ranges>
#include <vector>

#include "app/Forms.h"
#include "browser/Layout.h"
#include "browser/PictureBox.h"
#include "browser/frmBrowser.h"
#include "i18n/LanguageSwitch.h"
#include "parents/Parents.h"
#include "storage/DataPath.h"
#include "storage/Records.h"
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
    auto& messages = forms_.Machine().messages;
    loading_ = true;
    forms_.Data().RemoveUnfinishedWrites();  // copies a killed save left behind

    const TwipRect outer = OuterSize();
    const BrowserLayout layout = LayoutFor(outer.width, outer.height);
    Place(Text3, {kStripRect.left, kStripRect.top, layout.stripWidth, kStripRect.height});
    Place(cmdvisit, {kVisitRect.left, kVisitRect.top, layout.visitWidth, kVisitRect.height});

    navigateOnSelect = true;
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
        messages.Show("FOUT : " + failure, "INFORMATIE", app::Messages::Icon::Information);
    }

    IgnoringErrors([&] { LoadSiteList(files::kSites); });
    IgnoringErrors([&] { LoadVisitLog(files::kVisitLog); });
    IgnoringErrors([&] { LoadStartPage(files::kStartPage); });
    IgnoringErrors([&] { ApplyLanguage(files::kLanguage); });
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
    IgnoringErrors([&] { StartTimeBudget(); });
    loading_ = false;
}

void frmBrowser::LoadStartPage(const std::string& file) {
    const auto lines = forms_.Data().Read(file);
    if (!lines) {
        return;
    }
    for (const auto& line : *lines) {
        forms_.Panel().startpagina1->Append(wxString::FromUTF8(line));
        Text4->SetValue(wxString::FromUTF8(storage::StartAddress(line)));
    }
}

void frmBrowser::ApplyLanguage(const std::string& file) {
    language_ = i18n::ApplyLanguage(forms_, file);
}

void frmBrowser::Form_Unload() {
    if (closing_) {
        return;  // closing this window is itself one of the steps below
    }
    closing_ = true;
    SaveUsedTime();
    SaveVisitLog(storage::files::kVisitLog);

    forms_.HideAndClose(this);
    const std::vector<wxTopLevelWindow*> loaded = forms_.Loaded();
    for (wxTopLevelWindow* window : std::views::reverse(loaded)) {
        if (window != this) {
            window->Close();
        }
    }
    forms_.Machine().ender.EndNow();
}

}  // namespace browser
