// How long the child's site panel takes to open with eighteen sites that all have pictures, as
// the program opens it: the site file read, each picture read and decoded, the buttons shown
// and painted.
//   bench_site_panel RUNS
// prints the median and the slowest milliseconds of one opening.
#include <wx/app.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Openings.h"
#include "app/Forms.h"
#include "app/RealPlatform.h"
#include "browser/frmBrowser.h"
#include "storage/DataFiles.h"
#include "storage/DataPath.h"
#include "storage/Records.h"
#include "storage/SitePictures.h"
#include "widgets/ButtonPicture.h"

namespace {

constexpr int kSites = 18;

std::string Png(int n) {
    // As large as a picture is kept, for the largest tiles.
    constexpr int side = widgets::kPictureSide;
    wxImage image(side, side);
    image.SetRGB(wxRect(0, 0, side, side), static_cast<unsigned char>(n * 13),
                 static_cast<unsigned char>(255 - n * 11), static_cast<unsigned char>(n * 7));
    // Some detail, as a site's icon has: a PNG of one colour would be unusually small.
    for (int i = 0; i < side; ++i) {
        image.SetRGB(wxRect(i, (i * n) % side, 1, 8), 255, 255, 255);
    }
    return bench::PngOf(image);
}

class SitePanelApp : public wxApp {
public:
    bool OnInit() override {
        runs_ = argc > 1 ? std::max(1, std::atoi(argv[1].utf8_string().c_str())) : 20;
        wxInitAllImageHandlers();
        folder_ = std::filesystem::temp_directory_path() / "lanternwick-bench-sites";
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        data_ = std::make_unique<storage::DataFiles>(folder_.string());
        std::vector<std::string> sites;
        for (int n = 1; n <= kSites; ++n) {
            const std::string address = "site" + std::to_string(n) + ".example";
            sites.push_back(storage::SiteRecord("Site " + std::to_string(n), address));
            storage::pictures::Write(*data_, address, Png(n));
        }
        data_->Write(storage::files::kSites, sites);
        data_->Write(storage::files::kSettings, {"plaatjes=1"});
        data_->Write(storage::files::kBlockedWords, {"casino"});
        data_->Write(storage::files::kLanguage, {"English", "English"});
        // Every file the program reads at start, so that no message waits for an answer.
        data_->Write(storage::files::kStartPage, {storage::StartPageRecord("Home", "127.0.0.1:9")});
        data_->Write(storage::files::kVisitLog, {});
        data_->Write(storage::files::kUserName, {"parents"});
        data_->Write(storage::files::kPassword, {"bench"});
        forms_ = std::make_unique<app::Forms>(platform_.Get(), *data_);
        forms_->Mdi();
        CallAfter([this] { Measure(); });
        return true;
    }

private:
    void Measure() {
        auto& browser = forms_->Browser();
        browser.TmrIntro_Timer();
        bench::PrintMedianAndSlowest(bench::TimeOpenings(
            runs_,
            [&] {
                browser.cmdvisit_Click();  // opens
                browser.Update();
            },
            [&](int) {
                browser.cmdvisit_Click();  // closes
                wxYield();
            }));
        std::filesystem::remove_all(folder_);
        std::_Exit(0);  // nothing of the run is worth keeping
    }

    int runs_ = 20;
    std::filesystem::path folder_;
    app::RealPlatform platform_;
    std::unique_ptr<storage::DataFiles> data_;
    std::unique_ptr<app::Forms> forms_;
};

}  // namespace

wxIMPLEMENT_APP(SitePanelApp);
