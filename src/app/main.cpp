#include <wx/app.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/stdpaths.h>
#include <wx/uilocale.h>

#include <exception>
#include <memory>

#include "app/Forms.h"
#include "app/RealPlatform.h"
#include "app/frmMdi.h"
#include "storage/DataFiles.h"

namespace {

class LanternwickApp : public wxApp {
public:
    bool OnInit() override {
        SetAppName("Lanternwick");
        // Log stamps follow the user's regional date and time formats.
        wxUILocale::UseDefault();
        // The data files live beside the program, whatever folder it was started from.
        const wxString folder = wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath();
        data_ = std::make_unique<storage::DataFiles>(folder.utf8_string());
        try {
            forms_ = std::make_unique<app::Forms>(platform_.Get(), *data_);
            forms_->Mdi();
        } catch (const std::exception& e) {
            wxMessageBox(wxString::FromUTF8(std::string("FOUT : ") + e.what()), "INFORMATIE",
                         wxOK | wxICON_INFORMATION);
            return false;
        }
        return true;
    }

private:
    app::RealPlatform platform_;
    std::unique_ptr<storage::DataFiles> data_;
    std::unique_ptr<app::Forms> forms_;
};

}  // namespace

wxIMPLEMENT_APP(LanternwickApp);
