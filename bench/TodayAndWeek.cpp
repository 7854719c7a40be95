// How long the parent's "Today and this week" takes to open over a visit log of 200,000 lines,
// as the panel opens it: the summary of the log, the week's file and today's count, then the
// bars and the rows shown and painted.
//   bench_today_week RUNS [hold [LANGUAGE]]
// prints the median and the slowest milliseconds of one opening; with "hold" the view stays
// open afterwards, for a screenshot, until the process is stopped.
#include <wx/app.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Openings.h"
#include "app/Forms.h"
#include "app/RealPlatform.h"
#include "basics/CivilTime.h"
#include "family/VisitLog.h"
#include "parents/Parents.h"
#include "parents/frmVandaag.h"
#include "storage/DataFiles.h"
#include "storage/DataPath.h"
#include "storage/Records.h"
#include "storage/SitePictures.h"

namespace {

constexpr int kLines = 200000;

std::string Png(int n) {
    wxImage image(64, 64);
    image.SetRGB(wxRect(0, 0, 64, 64), static_cast<unsigned char>(n * 13),
                 static_cast<unsigned char>(255 - n * 11), static_cast<unsigned char>(n * 7));
    image.SetRGB(wxRect(16, 16, 32, 32), 255, 255, 255);
    return bench::PngOf(image);
}
constexpr int kSites = 18;

class TodayWeekApp : public wxApp {
public:
    bool OnInit() override {
        wxInitAllImageHandlers();
        runs_ = argc > 1 ? std::max(1, std::atoi(argv[1].utf8_string().c_str())) : 20;
        hold_ = argc > 2 && argv[2] == "hold";
        folder_ = std::filesystem::temp_directory_path() / "lanternwick-bench-week";
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        data_ = std::make_unique<storage::DataFiles>(folder_.string());
        std::vector<std::string> sites;
        for (int n = 1; n <= kSites; ++n) {
            sites.push_back(storage::SiteRecord("Site " + std::to_string(n),
                                                "http://site" + std::to_string(n) + ".example/"));
        }
        // A long-used log: two years of runs of 40 pages a minute apart, a few runs a day,
        // listed sites and other hosts mixed, a refused try in each run, in the clock's own date
        // and time format.
        constexpr int kDays = 700;
        const wxDateTime now = wxDateTime::Now();
        std::vector<std::string> log;
        for (int run = 0; static_cast<int>(log.size()) < kLines - 42; ++run) {
            const wxDateTime day = now - wxDateSpan::Days(kDays - 1 - run % kDays);
            const std::string date = day.FormatDate().utf8_string();
            const int hour = 8 + (run / kDays) % 12;
            for (int page = 0; page < 40; ++page) {
                const std::string host =
                    page % 3 == 0 ? "other" + std::to_string(page % 25) + ".example"
                                  : "site" + std::to_string(1 + (page + run) % kSites) + ".example";
                const wxDateTime at(day.GetDay(), day.GetMonth(), day.GetYear(), hour, page, 0);
                log.push_back(
                    family::ReachedPageEntry("http://" + host + "/page" + std::to_string(page),
                                             date, at.FormatTime().utf8_string()));
            }
            log.push_back("http://refused" + std::to_string(run % 30) + ".example/");
            log.push_back(std::string(family::kRunSeparator));
        }
        for (int n = 1; n <= kSites; n += 2) {
            storage::pictures::Write(*data_, "http://site" + std::to_string(n) + ".example/",
                                     Png(n));
        }
        data_->Write(storage::files::kSites, sites);
        data_->Write(storage::files::kVisitLog, log);
        data_->Write(storage::files::kSettings,
                     {"plaatjes=1", "minutenmaandag=60", "minutenwoensdag=90"});
        data_->Write(storage::files::kBlockedWords, {"casino"});
        const std::string language = argc > 3 ? argv[3].utf8_string() : "English";
        data_->Write(storage::files::kLanguage, {language, language});
        data_->Write(storage::files::kStartPage, {storage::StartPageRecord("Home", "127.0.0.1:9")});
        data_->Write(storage::files::kUserName, {"parents"});
        data_->Write(storage::files::kPassword, {"bench"});
        forms_ = std::make_unique<app::Forms>(platform_.Get(), *data_);
        forms_->Mdi();
        CallAfter([this] { Measure(); });
        return true;
    }

private:
    void Measure() {
        auto& panel = forms_->Panel();
        panel.Show();
        const auto times = bench::TimeOpenings(
            runs_,
            [&] {
                panel.cmdvandaag_Click();
                forms_->ActivityView().Update();
            },
            [&](int run) {
                if (run < runs_) {
                    forms_->ActivityView().Hide();
                }
                wxYield();
            });
        std::fprintf(stderr, "%zu lines in the visit log\n", forms_->Family().VisitLog().size());
        bench::PrintMedianAndSlowest(times);
        if (hold_) {
            return;
        }
        std::filesystem::remove_all(folder_);
        std::_Exit(0);  // nothing of the run is worth keeping
    }

    int runs_ = 20;
    bool hold_ = false;
    std::filesystem::path folder_;
    app::RealPlatform platform_;
    std::unique_ptr<storage::DataFiles> data_;
    std::unique_ptr<app::Forms> forms_;
};

}  // namespace

wxIMPLEMENT_APP(TodayWeekApp);
