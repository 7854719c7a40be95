// Opens the program on a given data folder and shows one of its windows over the browser
// window, for looking at it on a display (scripts/screenshots.sh takes the pictures).
//   window_gallery DATA_FOLDER WINDOW   (WINDOW: Parents, invoegensite, startpagina,
//                                        frmBlocker, paswoordwijzigen, paswoord, sites,
//                                        tijdperdag; question: the panel's "Log out" with a
//                                        change not saved; help: the help page;
//                                        sitepictures: the child's site panel, each site
//                                        without a picture given a made-up one first;
//                                        frmVandaag, frmVerzoeken: today and the week, the
//                                        child's requests, as the panel opens them)
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
#include "parents/frmVandaag.h"
#include "parents/frmVerzoeken.h"
#include "parents/tijdperdag.h"
#include "storage/DataFiles.h"
#include "storage/Records.h"
#include "storage/SitePictures.h"
#include "support/CaptionFit.h"
#include "widgets/ButtonPicture.h"

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
        if (name == "sitepictures") {
            ShowSitePictures();
            return true;
        }
        if (name == "help") {
            forms_->Browser().TmrIntro_Timer();
            forms_->Child().OpenHelp();
            return true;
        }
        if (name == "tijdperdag") {
            forms_->TimeLimitEditor()
                .Form_Activate();  // as the panel opens it: the limits in force
        }
        wxTopLevelWindow* shown = nullptr;
        if (name == "frmVandaag") {
            // A morning's visits, and a try that was not opened, logged as the child's run does.
            forms_->Family().AddBareAddress("http://casino.example/");
            for (const auto& record : forms_->Family().Sites()) {
                forms_->Family().AddReachedPage(storage::SiteAddress(record));
            }
            forms_->ActivityView().Form_Activate();
            shown = &forms_->ActivityView();
        } else if (name == "frmVerzoeken") {
            forms_->RequestsView().Form_Activate();
            shown = &forms_->RequestsView();
        }
        auto& window =
            shown ? *shown : app::WindowNamed(*forms_, name == "question" ? "Parents" : name);
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
    // A disc of its own colour per site, as a stand-in for the icon its pages would give it.
    void ShowSitePictures() {
        const unsigned char colours[][3] = {{230, 80, 60},  {60, 160, 90},  {70, 110, 220},
                                            {240, 180, 40}, {160, 80, 200}, {40, 180, 190}};
        int n = 0;
        for (const auto& record : forms_->Family().Sites()) {
            const std::string address = storage::SiteAddress(record);
            const auto* c = colours[n++ % 6];
            if (storage::pictures::Stored(*data_, address)) {
                continue;
            }
            wxImage disc(96, 96);
            disc.InitAlpha();
            for (int y = 0; y < 96; ++y) {
                for (int x = 0; x < 96; ++x) {
                    const int dx = x - 48, dy = y - 48;
                    disc.SetRGB(x, y, c[0], c[1], c[2]);
                    disc.SetAlpha(x, y, dx * dx + dy * dy <= 46 * 46 ? 255 : 0);
                }
            }
            if (const auto png = widgets::ButtonPicturePng(disc, storage::pictures::kMaxBytes)) {
                storage::pictures::Write(*data_, address, *png);
            }
        }
        forms_->Browser().TmrIntro_Timer();
        forms_->Browser().cmdvisit_Click();
    }

    app::RealPlatform platform_;
    std::unique_ptr<storage::DataFiles> data_;
    std::unique_ptr<app::Forms> forms_;
};

}  // namespace

wxIMPLEMENT_APP(GalleryApp);
