#include <wx/app.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/stdpaths.h>
#include <wx/uilocale.h>

#include <algorithm>
#include <csignal>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "app/Forms.h"
#include "app/RealPlatform.h"
#include "app/frmMdi.h"
#include "browser/frmBrowser.h"
#include "engine/WxWebView.h"
#include "storage/DataFiles.h"
#include "storage/HelperFiles.h"

namespace {

// Where the family install puts the program (scripts/install-family.sh).
constexpr const char* kInstallFolder = "/opt/lanternwick";

class LanternwickApp : public wxApp {
public:
    // Made before the toolkit opens the display, which reads the drawing choices made here.
    LanternwickApp() { engine::WxWebView::BeforeToolkit(); }

    bool OnInit() override {
        SetAppName("Lanternwick");
        // Log stamps follow the user's regional date and time formats.
        wxUILocale::UseDefault();
        // The data files live beside the program, whatever folder it was started from.
        const std::string folder =
            wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath().utf8_string();
        // In a family install the data lie where the child cannot reach them, and only the
        // install's helper does, wherever this copy of the program lies.
        if (const auto family = storage::HelperFiles::FamilyFor(folder, kInstallFolder)) {
            data_ = std::make_unique<storage::HelperFiles>(family->helper, family->folder);
            engine::WxWebView::UseFilterBeside(family->programFolder);
        } else {
            data_ = std::make_unique<storage::DataFiles>(folder);
        }
        std::vector<std::string> arguments;
        for (int i = 1; i < argc; ++i) {
            arguments.push_back(argv[i].utf8_string());
        }
        const bool wholeSession =
            std::ranges::find(arguments, std::string("--session")) != arguments.end();
        if (!arguments.empty() && arguments[0] == "--parents") {
            return StartParents(arguments.size() > 1 ? arguments[1] : "");
        }
        platform_.Restarter().Remember(wxStandardPaths::Get().GetExecutablePath().utf8_string(),
                                       std::move(arguments));
        try {
            forms_ = std::make_unique<app::Forms>(platform_.Get(), *data_);
            forms_->SetWholeSession(wholeSession);
            forms_->Mdi();
        } catch (const std::exception& e) {
            wxMessageBox(wxString::FromUTF8(std::string("FOUT : ") + e.what()), "INFORMATIE",
                         wxOK | wxICON_INFORMATION);
            return false;
        }
        // A session logout or `kill` ends the program the way the child's close button does,
        // so the visit log of this run is still written. wx runs the handler in the event loop.
        SetSignalHandler(SIGTERM, &LanternwickApp::CloseOnSignal);
        SetSignalHandler(SIGINT, &LanternwickApp::CloseOnSignal);
        return true;
    }

private:
    // "--parents CHILD": the parent manages the child's install from their own account, so the
    // password is typed where the child cannot read it. The data folder's own modes say who may.
    bool StartParents(const std::string& child) {
        const auto folder = storage::HelperFiles::ParentsFolder(kInstallFolder, child);
        if (!folder) {
            wxMessageBox(
                wxString::FromUTF8(i18n::MessageText(std::nullopt, i18n::Message::ParentsRefused,
                                                     {child.empty() ? "?" : child})),
                "Lanternwick", wxOK | wxICON_INFORMATION);
            return false;
        }
        data_ = std::make_unique<storage::DataFiles>(*folder);
        forms_ = std::make_unique<app::Forms>(platform_.Get(), *data_);
        forms_->ParentsOnly();
        return true;
    }

    static void CloseOnSignal(int) {
        auto& self = static_cast<LanternwickApp&>(*wxTheApp);
        if (auto* browser = self.forms_ ? self.forms_->BrowserIfLoaded() : nullptr) {
            browser->Close();
        } else {
            self.ExitMainLoop();
        }
    }

    app::RealPlatform platform_;
    std::unique_ptr<storage::DataFiles> data_;
    std::unique_ptr<app::Forms> forms_;
};

}  // namespace

wxIMPLEMENT_APP(LanternwickApp);
