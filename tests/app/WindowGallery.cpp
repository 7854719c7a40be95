// Opens the program on a given data folder and shows one of its windows over the browser
// window, for looking at it on a display (scripts/screenshots.sh takes the pictures).
//   window_gallery DATA_FOLDER WINDOW   (WINDOW: Parents, invoegensite, startpagina,
//                                        frmBlocker, paswoordwijzigen, paswoord, sites,
//                                        tijdperdag)
#include <wx/app.h>
#include <wx/toplevel.h>

#include <memory>

#include "app/Forms.h"
#include "app/LanguageSwitch.h"
#include "app/RealPlatform.h"
#include "storage/DataFiles.h"

namespace {

class GalleryApp : public wxApp {
public:
    bool OnInit() override {
        if (argc < 3) {
            return false;
        }
        data_ = std::make_unique<storage::DataFiles>(argv[1].utf8_string());
        forms_ = std::make_unique<app::Forms>(platform_.Get(), *data_);
        forms_->Mdi();
        auto& window = app::WindowNamed(*forms_, argv[2].utf8_string());
        window.CentreOnScreen();
        window.Show();
        window.Raise();
        return true;
    }

private:
    app::RealPlatform platform_;
    std::unique_ptr<storage::DataFiles> data_;
    std::unique_ptr<app::Forms> forms_;
};

}  // namespace

wxIMPLEMENT_APP(GalleryApp);
