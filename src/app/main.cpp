#include <wx/app.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/stdpaths.h>
#include <wx/uilocale.h>

#include <csignal>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "app/Forms.h"
#include "app/RealPlatform.h"
#include "app/frmMdi.h"
#include "browser/frmBrowser.h"
#include "storage/DataFiles.h"
#include "storage/HelperFiles.h"

namespace {

class LanternwickApp : public wxApp {
public:
    bool OnInit() override {
        SetAppName("Lanternwick");
        // Log stamps follow the user's regional date and time formats.
        wxUILocale::UseDefault();
        // The data files live beside the program, whatever folder it was started from.
        const std::string folder =
            wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath().utf8_string();
        // In a family install the data lie where the child cannot reach them, and only the
        // helper beside the program does.
        if (const auto helper = storage::HelperFiles::HelperBeside(folder)) {
            data_ = std::make_unique<storage::HelperFiles>(
                *helper, storage::HelperFiles::FamilyFolder(folder));
        } else {
            data_ = std::make_unique<storage::DataFiles>(folder);
        }
        std::vector<std::string> arguments;
        for (int i = 1; i < argc; ++i) {
            arguments.push_back(argv[i].utf8_string());
        }
        platform_.Restarter().Remember(wxStandardPaths::Get().GetExecutablePath().utf8_string(),
                                       std::move(arguments));
        try {
            forms_ = std::make_unique<app::Forms>(platform_.Get(), *data_);
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
