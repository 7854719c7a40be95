#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "basics/Clock.h"
#include "family/ParentLogin.h"
#include "family/TimeBudget.h"
#include "storage/DataFiles.h"
#include "storage/Settings.h"

namespace family {

// The family's settings and the visit log as this run holds them: what the parent allowed, the
// start page, the switch, the daily limits with the time used, and every visit. The windows show
// it and change it here; none of them keeps a setting of its own or reads another window's
// controls to learn one. What is changed holds at once; the parent's "Log out and save" stores
// the lists, the used time and the log are written as they go.
class FamilyModel {
public:
    enum class Change {
        Sites,
        StartPage,
        AllowedSitesOnly,
        SitePictures,
        Limits,
        UsedTime,
        VisitLog
    };
    using Observer = std::function<void(Change)>;

    FamilyModel(storage::DataFiles& data, basics::Clock& clock);
    ~FamilyModel();
    FamilyModel(const FamilyModel&) = delete;
    FamilyModel& operator=(const FamilyModel&) = delete;

    // Told of every change, in the order they were added.
    void Observe(Observer observer) { observers_.push_back(std::move(observer)); }

    // The steps of the start, each on its own so one that fails leaves the others done.
    void LoadSites();      // the site file's lines are added to the list
    void LoadStartPage();  // the start page's records, and this run's start address
    void LoadVisitLog();   // the log's lines are added to the log
    void LoadSettings();   // the switch and the limits
    // Makes the time budget when some day has a limit. A failure here leaves the limit in
    // force: nothing opens until a parent has been told and has set the limits again.
    void StartTimeBudget();

    // Site records as the panel shows them.
    const std::vector<std::string>& Sites() const { return sites_; }
    void AddSite(std::string record);
    void DeleteSite(size_t index);
    // Whether the list differs from the site file since it was last loaded or saved; while it
    // does, the child's site panel shows the list rather than the file.
    bool SitesPending() const { return sitesPending_; }
    void SitesSaved() { sitesPending_ = false; }
    // Adds the site and stores it in the site file at once, keeping whatever else the file
    // holds; the list's other changes stay pending. Not stored: the site is in the list only.
    // An empty reason: the file exists but cannot be read, so writing would lose its sites.
    storage::WriteResult AddSiteAndStore(std::string record);

    // The start page's records (one, normally) and the address home opens in this run.
    const std::vector<std::string>& StartPageRecords() const { return startPage_; }
    void SetStartPageRecords(std::vector<std::string> records);
    const std::string& StartAddress() const { return startAddress_; }

    // The switch as the parent set it in this run, and whether it was turned since the start.
    bool AllowedSitesOnly() const { return allowedSitesOnly_; }
    void SetAllowedSitesOnly(bool on);
    bool AllowedSitesOnlyTurned() const { return allowedSitesOnly_ != allowedSitesOnlyAtLoad_; }
    // Whether the settings file was there at the start. Without it an installation keeps the
    // behaviour it had before the features that file belongs to.
    bool SettingsFound() const { return settingsFound_; }
    // Whether the site buttons show pictures of their sites, as the parent set it in this run,
    // and whether it was turned since the start.
    bool SitePictures() const { return sitePictures_; }
    void SetSitePictures(bool on);
    bool SitePicturesTurned() const { return sitePictures_ != sitePicturesAtLoad_; }
    // The settings file now holds both switches as they stand: a later turn is measured from
    // there, so turning one back and saving again stores that too.
    void SwitchesSaved();
    // The addresses the switch lets open: the sites' and the start page's, as they now stand.
    std::vector<std::string> AllowedAddresses() const;

    // The visit log's entries.
    const std::vector<std::string>& VisitLog() const { return log_; }
    void AddBareAddress(const std::string& address);
    void AddReachedPage(const std::string& address);  // stamped with the clock's date and time
    void ClearVisitLog();

    // The daily limits. Set here they hold at once, and "Log out and save" stores them.
    const storage::WeekMinutes& Limits() const { return limits_; }
    void SetLimits(const storage::WeekMinutes& limits);
    bool LimitsChanged() const { return limitsChanged_; }

    // Whether the sites, the start page, the switch or the limits differ from what the files
    // hold now, that is what a save would change.
    bool DiffersFromStored() const;
    std::optional<int> TodaysLimit();
    // Written to the used-time file at once; the failure, if any, is returned to tell the parent.
    storage::WriteResult GrantExtraMinutes(int minutes);
    // Each second: the time since counts when `counting` (the window shown and not minimized),
    // and the used time is written when due. A failed write is kept for the parent.
    void Tick(bool counting);
    // At close: counts the last moments and writes the used time when a limit needs it.
    void SaveUsedTime(bool counting);
    // The budget, while some day has a limit or time was granted; none otherwise.
    TimeBudget* Budget() { return budget_.get(); }
    // Whether the child's time is up, or the budget could not be made (then the limit holds).
    bool TimeIsUp() const;
    // A write of the used time that failed, or a budget that could not be made, once: the file
    // and the reason, for the parent at the next panel opening.
    struct Failure {
        std::string file;
        std::string reason;
        bool atStart = false;  // the budget could not be made; else a write failed
    };
    std::optional<Failure> TakeTimeFailure();

    // The parent's login and its count of wrong tries.
    ParentLogin& Login() { return login_; }

private:
    void Tell(Change change);
    void MakeTimeBudget();
    bool WriteUsedTimeNow(double steadyNow);

    storage::DataFiles& data_;
    basics::Clock& clock_;
    std::vector<Observer> observers_;

    std::vector<std::string> sites_;
    bool sitesPending_ = false;
    std::vector<std::string> startPage_;
    std::string startAddress_ = "about:blank";
    bool allowedSitesOnly_ = false;
    bool allowedSitesOnlyAtLoad_ = false;
    bool settingsFound_ = false;
    bool sitePictures_ = false;
    bool sitePicturesAtLoad_ = false;
    std::vector<std::string> log_;

    storage::WeekMinutes limits_{};
    bool limitsChanged_ = false;
    std::unique_ptr<TimeBudget> budget_;  // none while no day has a limit
    bool budgetFailed_ = false;
    std::optional<Failure> timeFailure_;
    ParentLogin login_;
};

}  // namespace family
