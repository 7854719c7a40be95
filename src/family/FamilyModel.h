#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "basics/Clock.h"
#include "family/Activity.h"
#include "family/ParentLogin.h"
#include "family/SettingsTable.h"
#include "family/TimeBudget.h"
#include "family/VisitLog.h"
#include "storage/DataFiles.h"
#include "storage/Settings.h"

namespace family {

// The family's settings and the visit log as this run holds them: what the parent allowed, the
// start page, the switch, the daily limits with the time used, and every visit. The windows show
// it and change it here; none of them keeps a setting of its own or reads another window's
// controls to learn one, and none reaches the data files but through it. What is changed holds
// at once; the parent's "Log out and save" stores the lists and the settings, the editors store
// the blocked words and the password, the used time and the log are written as they go.
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
    void LoadLanguage();   // the language file's first line, also the panel's choice
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
    bool AllowedSitesOnly() const { return settings_.allowedSitesOnly; }
    void SetAllowedSitesOnly(bool on);
    bool AllowedSitesOnlyTurned() const {
        return settings_.allowedSitesOnly != saved_.allowedSitesOnly;
    }
    // Whether the settings file was there at the start. Without it an installation keeps the
    // behaviour it had before the features that file belongs to.
    bool SettingsFound() const { return settingsFound_; }
    // Whether the site buttons show pictures of their sites, as the parent set it in this run,
    // and whether it was turned since the start.
    bool SitePictures() const { return settings_.sitePictures; }
    void SetSitePictures(bool on);
    bool SitePicturesTurned() const { return settings_.sitePictures != saved_.sitePictures; }
    // Whether site names and the program's pages are read aloud, as the parent set it in this
    // run. Nothing is told when it turns: the child's window asks it each time it would read.
    bool ReadAloud() const { return settings_.readAloud; }
    void SetReadAloud(bool on) { settings_.readAloud = on; }
    // The addresses the switch lets open: the sites' and the start page's, as they now stand.
    std::vector<std::string> AllowedAddresses() const;

    // The visit log's entries. An entry the log had within the last minute, and any beyond the
    // log's pace, is not added again (LogPace).
    const std::vector<std::string>& VisitLog() const { return log_; }
    void AddBareAddress(const std::string& address);
    void AddReachedPage(const std::string& address);  // stamped with the clock's date and time
    void ClearVisitLog();

    // The daily limits, in minutes and in times of day. Set here they hold at once, and "Log out
    // and save" stores them.
    const storage::WeekMinutes& Limits() const { return settings_.week; }
    const storage::WeekWindows& Windows() const { return settings_.windows; }
    void SetLimits(const storage::WeekMinutes& limits);
    void SetLimits(const storage::WeekMinutes& limits, const storage::WeekWindows& windows);

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
    // The same where the program ends without closing the child's window: the moments since
    // the last tick count as that tick did.
    void SaveUsedTime() { SaveUsedTime(counting_); }
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

    // What the child did today and the minutes of the last seven days, from the log, the week's
    // file and today's count, for the parent's "Today and this week".
    Activity TodayAndWeek();

    // The parent's login and its count of wrong tries.
    ParentLogin& Login() { return login_; }

    // "Log out and save": the sites, the start page and the visit log, then the settings file
    // where the parent changed a setting, in that order. The first write that fails stops the
    // save, so the parent can mend the cause and save again with nothing lost.
    struct SaveReport {
        bool ok = true;
        std::string failedFile;   // the file that could not be written
        std::string reason;       // why, as the system says it
        bool unreadable = false;  // the settings file is there but cannot be read: writing it
                                  // would lose what else it holds
        std::vector<std::string> written;  // the files replaced before the failure, in order
    };
    std::vector<std::string> FilesToSave() const;
    SaveReport Save();

    // The interface language: the language file's first line as it was at the start, and the
    // name the parent chose in the panel, which the language step stores (the name, twice).
    const std::optional<std::string>& StoredLanguage() const { return storedLanguage_; }
    const std::string& LanguageChoice() const { return languageChoice_; }
    void SetLanguageChoice(std::string name) { languageChoice_ = std::move(name); }
    storage::WriteResult StoreLanguageChoice();

    // The blocked words as the word file now holds them: none and `readable` when there is no
    // file yet (the first word creates it); none and not `readable` when it cannot be read, so
    // a write would lose the stored words.
    struct StoredWords {
        std::vector<std::string> words;
        bool readable = true;
    };
    StoredWords ReadBlockedWords() const;
    storage::WriteResult StoreBlockedWords(const std::vector<std::string>& words);
    // The word file whose changes the filters look for, and its lines as they read them (none:
    // missing or unreadable, which the filter answers by opening nothing).
    std::string BlockedWordsFile() const;
    std::optional<std::vector<std::string>> BlockedWordsForFilter() const;

    // Replaced whole, or not at all: after a failure the old password still opens the panel.
    storage::WriteResult StorePassword(const std::string& password);

    // The start page's records put back as the file holds them (none when it cannot be read).
    void ReloadStartPage();

    // The sites the child's panel shows: the parent's list while it has changes not yet saved
    // (a deleted site must not stay open to the child until the save), else the file as it is
    // now; none when it cannot be read.
    std::optional<std::vector<std::string>> SitesToShow() const;

    // The site buttons' pictures by the site's address (storage::pictures says how).
    std::optional<std::string> SitePicture(std::string_view address) const;
    // The picture of the listed site a page of `address`'s host belongs to, if it has one.
    std::optional<std::string> PictureOfHost(std::string_view address) const;
    bool SitePictureStored(std::string_view address) const;
    // Only where the site has none: a picture its page gave.
    storage::WriteResult AddSitePicture(std::string_view address, std::string_view png);
    // The parent's choice; empty bytes store "no picture".
    storage::WriteResult SetSitePicture(std::string_view address, std::string_view png);

    // The addresses the child asked a grown-up to look at later, as the file now holds them
    // (none when it is missing or cannot be read), the oldest first; those that would open now
    // are answered and left out.
    std::vector<std::string> Requests() const;
    // The child asks for `address` later: added to the file at once, once.
    storage::WriteResult AskLater(const std::string& address);
    // The parent answered a request, allowing or refusing it: it leaves the file.
    storage::WriteResult DropRequest(const std::string& address);
    // Writes the file without the requests a listed site now holds, so they leave room for new
    // ones; the parent's, as it writes.
    storage::WriteResult DropAnsweredRequests();

    // The visit log's new entries added to its file; `endOfRun` adds the run separator after
    // them.
    storage::WriteResult WriteVisitLog(bool endOfRun);

    // Removes the copies a killed save left beside the data files.
    void RemoveUnfinishedWrites();

    // Where a data file lies, as a message to the parent names it, and the data folder.
    std::string PathOf(const std::string& file) const;
    std::string DataFolder() const;

private:
    // One file of a save and the lines it gets; none: it must be written but cannot be read
    // first.
    struct SaveStep {
        std::string file;
        std::optional<std::vector<std::string>> lines;
    };
    std::vector<SaveStep> PlanSave() const;
    bool Exists(const std::string& file) const;

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
    // The settings as the parent set them in this run, and as the file held them at the start
    // or the last save; a save puts in only what differs between the two.
    SettingValues settings_;
    SettingValues saved_;
    bool settingsFound_ = false;
    std::optional<std::string> storedLanguage_;
    std::string languageChoice_;
    std::vector<std::string> log_;
    LogPace logPace_;
    std::size_t logInFile_ = 0;  // the log's first entries, which its file already holds
    bool logWhole_ = false;      // the file no longer begins as the log does: written whole

    bool counting_ = false;
    std::unique_ptr<TimeBudget> budget_;  // none while no day has a limit or a window
    bool budgetFailed_ = false;
    std::optional<Failure> timeFailure_;
    std::optional<formats::DayMinutes> weekRecorded_;  // what the week's file last got
    ParentLogin login_;
};

}  // namespace family
