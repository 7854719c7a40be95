// Opens the program on a given data folder and shows one of its windows over the browser
// window, for looking at it on a display (scripts/screenshots.sh takes the pictures).
//   window_gallery DATA_FOLDER WINDOW   (WINDOW: Parents, invoegensite, startpagina,
//                                        frmBlocker, paswoordwijzigen, paswoord, sites,
//                                        tijdperdag; question: the panel's "Log out" with a
//                                        change not saved; help: the help page)
// Every caption of the window shown that is cut is printed as "cut: CONTROL: TEXT".
#include <wx/app.h>
#include <wx/toplevel.h>

#include <cstdio>
#include <memory>
#include <string>

#include "app/Forms.h"
#include "app/LanguageSwitch.h"
#include "app/RealPlatform.h"
#include "browser/frmBrowser.h"
#include "parents/Parents.h"
#include "storage/DataFiles.h"
#include "storage/Records.h"
#include "support/CaptionFit.h"

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
        const std::string name = argv[2].utf8_string();
        if (name == "help") {
            forms_->Browser().TmrIntro_Timer();
            forms_->Child().OpenHelp();
            return true;
        }
        auto& window = app::WindowNamed(*forms_, name == "question" ? "Parents" : name);
        window.CentreOnScreen();
        window.Show();
        window.Raise();
        CallAfter([this, &window, name] {
            for (const std::string& cut : testsupport::CutCaptions(window)) {
                std::printf("cut: %s\n", cut.c_str());
            }
            std::fflush(stdout);
            if (name == "question") {
                forms_->Family().AddSite(storage::SiteRecord("Farm", "farm.example"));
                forms_->Panel().cmdclose_Click();
            }
        });
        return true;
    }

private:
    app::RealPlatform platform_;
    std::unique_ptr<storage::DataFiles> data_;
    std::unique_ptr<app::Forms> forms_;
};

}  // namespace

wxIMPLEMENT_APP(GalleryApp);
