#include "family/FamilyModel.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <utility>

#include "family/TimeWindow.h"
#include "family/VisitLog.h"
#include "filter/AllowedSites.h"
#include "filter/BlockedWords.h"
#include "filter/Decision.h"
#include "formats/Files.h"
#include "formats/Requests.h"
#include "storage/DataPath.h"
#include "storage/Records.h"
#include "storage/SitePictures.h"

namespace family {

namespace {

bool AnyLimit(const SettingValues& settings) {
    return std::any_of(settings.week.begin(), settings.week.end(),
                       [](const auto& l) { return l.has_value(); }) ||
           AnyWindow(settings.windows);
}

}  // namespace

FamilyModel::FamilyModel(storage::DataFiles& data, basics::Clock& clock)
    : data_(data), clock_(clock), login_(data, clock) {}

FamilyModel::~FamilyModel() = default;

void FamilyModel::Tell(Change change) {
    for (const auto& observer : observers_) {
        observer(change);
    }
}

void FamilyModel::LoadSites() {
    const auto lines = data_.Read(storage::files::kSites);
    if (!lines) {
        return;
    }
    sites_.insert(sites_.end(), lines->begin(), lines->end());
    Tell(Change::Sites);
}

void FamilyModel::LoadStartPage() {
    const auto lines = data_.Read(storage::files::kStartPage);
    if (!lines) {
        return;
    }
    for (const auto& line : *lines) {
        startPage_.push_back(line);
        startAddress_ = storage::StartAddress(line);
    }
    Tell(Change::StartPage);
}

void FamilyModel::LoadVisitLog() {
    auto lines = data_.Read(storage::files::kVisitLog);
    if (!lines || lines->empty()) {
        return;
    }
    if (log_.empty()) {
        log_ = std::move(*lines);
        logInFile_ = log_.size();
    } else {
        log_.insert(log_.end(), lines->begin(), lines->end());
        logWhole_ = true;  // the entries in front are not in the file
    }
    Tell(Change::VisitLog);
}

void FamilyModel::LoadSettings() {
    const auto settings = storage::Settings::Load(data_);
    settingsFound_ = settings.Found();
    settings_ = saved_ = ReadSettings(settings);
    Tell(Change::AllowedSitesOnly);
    Tell(Change::SitePictures);
    Tell(Change::Limits);
}

void FamilyModel::AddSite(std::string record) {
    sites_.push_back(std::move(record));
    sitesPending_ = true;
    Tell(Change::Sites);
}

storage::WriteResult FamilyModel::AddSiteAndStore(std::string record) {
    const bool othersPending = sitesPending_;
    auto stored = data_.Read(storage::files::kSites);
    std::error_code error;
    const bool unreadable =
        !stored && std::filesystem::exists(data_.PathOf(storage::files::kSites), error);
    AddSite(record);
    if (unreadable) {
        return {false, ""};
    }
    std::vector<std::string> lines = stored.value_or(std::vector<std::string>{});
    lines.push_back(std::move(record));
    auto result = data_.Write(storage::files::kSites, lines);
    if (result.ok && !othersPending) {
        sitesPending_ = false;
    }
    return result;
}

bool FamilyModel::DiffersFromStored() const {
    const auto none = std::vector<std::string>{};
    if (data_.Read(storage::files::kSites).value_or(none) != sites_ ||
        data_.Read(storage::files::kStartPage).value_or(none) != startPage_) {
        return true;
    }
    return ReadSettings(storage::Settings::Load(data_)) != settings_;
}

void FamilyModel::DeleteSite(size_t index) {
    if (index >= sites_.size()) {
        return;
    }
    sites_.erase(sites_.begin() + static_cast<std::ptrdiff_t>(index));
    sitesPending_ = true;
    Tell(Change::Sites);
}

void FamilyModel::SetStartPageRecords(std::vector<std::string> records) {
    startPage_ = std::move(records);
    Tell(Change::StartPage);
}

void FamilyModel::SetAllowedSitesOnly(bool on) {
    settings_.allowedSitesOnly = on;
    Tell(Change::AllowedSitesOnly);
}

void FamilyModel::SetSitePictures(bool on) {
    settings_.sitePictures = on;
    Tell(Change::SitePictures);
}

std::vector<std::string> FamilyModel::AllowedAddresses() const {
    std::vector<std::string> addresses;
    for (const auto& record : sites_) {
        addresses.push_back(storage::SiteAddress(record));
    }
    for (const auto& record : startPage_) {
        addresses.push_back(storage::StartAddress(record));
    }
    return addresses;
}

void FamilyModel::AddBareAddress(const std::string& address) {
    if (!logPace_.Admits("bare", address, clock_.SteadySeconds())) {
        return;
    }
    log_.push_back(address);
    Tell(Change::VisitLog);
}

void FamilyModel::AddReachedPage(const std::string& address) {
    if (!logPace_.Admits("reached", address, clock_.SteadySeconds())) {
        return;
    }
    log_.push_back(ReachedPageEntry(address, clock_.DateText(), clock_.TimeText()));
    Tell(Change::VisitLog);
}

void FamilyModel::ClearVisitLog() {
    log_.clear();
    logWhole_ = true;
    logPace_ = {};
    Tell(Change::VisitLog);
}

void FamilyModel::StartTimeBudget() {
    try {
        if (AnyLimit(settings_)) {
            MakeTimeBudget();
        }
    } catch (const std::exception& e) {
        budgetFailed_ = true;
        timeFailure_ = Failure{storage::files::kUsedTime, e.what(), true};
        Tell(Change::UsedTime);
    }
}

void FamilyModel::MakeTimeBudget() {
    // Read before the clock, so the time it takes does not count.
    auto stored = ReadUsedTime(data_);
    budget_ = std::make_unique<TimeBudget>(settings_.week, clock_.Now(), clock_.SteadySeconds(),
                                           std::move(stored), settings_.windows);
    budgetFailed_ = false;
}

bool FamilyModel::TimeIsUp() const {
    return budgetFailed_ || (budget_ && budget_->TimeIsUp());
}

std::optional<int> FamilyModel::TodaysLimit() {
    const basics::Date today = budget_ ? budget_->Today() : clock_.Now().date;
    return settings_.week[basics::Weekday(today)];
}

void FamilyModel::SetLimits(const storage::WeekMinutes& limits) {
    SetLimits(limits, settings_.windows);
}

void FamilyModel::SetLimits(const storage::WeekMinutes& limits,
                            const storage::WeekWindows& windows) {
    settings_.week = limits;
    settings_.windows = windows;
    if (budget_) {
        budget_->SetLimits(settings_.week);
        budget_->SetWindows(settings_.windows);
    } else if (AnyLimit(settings_) || budgetFailed_) {
        StartTimeBudget();
    }
    Tell(Change::Limits);
}

storage::WriteResult FamilyModel::GrantExtraMinutes(int minutes) {
    if (!budget_) {
        MakeTimeBudget();
    }
    budget_->GrantExtraMinutes(minutes);
    WriteUsedTimeNow(clock_.SteadySeconds());
    Tell(Change::UsedTime);
    if (timeFailure_ && !timeFailure_->atStart) {
        const Failure failure = *std::exchange(timeFailure_, std::nullopt);
        return {false, failure.reason};
    }
    return {};
}

bool FamilyModel::WriteUsedTimeNow(double steadyNow) {
    const auto result = WriteUsedTime(data_, budget_->Record());
    // Marked either way: a failing disk is tried again at the next regular save, not at every
    // tick in between.
    budget_->MarkSaved(steadyNow);
    if (!result.ok) {
        timeFailure_ = Failure{storage::files::kUsedTime, result.reason};
    } else if (timeFailure_ && !timeFailure_->atStart) {
        timeFailure_.reset();
    }
    // The week's file changes once a minute at most, and only in installations that have the
    // settings file; a failure there costs the week's picture, never today's limit.
    const UsedTime record = budget_->Record();
    const formats::DayMinutes day{record.lastSeen.date, static_cast<int>(record.secondsUsed / 60)};
    if (result.ok && settingsFound_ && weekRecorded_ != day) {
        if (RecordWeekTime(data_, day.date, day.minutes).ok) {
            weekRecorded_ = day;
        }
    }
    return result.ok;
}

Activity FamilyModel::TodayAndWeek() {
    ActivityInput input;
    input.log = &log_;
    input.today = budget_ ? budget_->Today() : clock_.Now().date;
    input.todayText = clock_.DateText();
    if (budget_) {
        const UsedTime record = budget_->Record();
        if (record.lastSeen.date == input.today) {
            input.countedToday = static_cast<int>(record.secondsUsed / 60);
        }
    }
    if (settingsFound_) {
        input.counted = ReadWeekTime(data_);
    }
    input.limits = settings_.week;
    input.sites = sites_;
    return SummarizeActivity(input);
}

void FamilyModel::Tick(bool counting) {
    if (!budget_) {
        return;
    }
    counting_ = counting;
    const double now = clock_.SteadySeconds();
    budget_->Advance(now, counting);
    if (budget_->SaveDue(now)) {
        WriteUsedTimeNow(now);
    }
    Tell(Change::UsedTime);
}

void FamilyModel::SaveUsedTime(bool counting) {
    if (!budget_) {
        return;
    }
    const double now = clock_.SteadySeconds();
    budget_->Advance(now, counting);
    // Nobody is left to tell at close; the next run tells the parent if writing still fails.
    if (AnyLimit(settings_) || budget_->Record().extraMinutes > 0) {
        WriteUsedTimeNow(now);
    }
}

std::optional<FamilyModel::Failure> FamilyModel::TakeTimeFailure() {
    return std::exchange(timeFailure_, std::nullopt);
}

void FamilyModel::LoadLanguage() {
    const auto lines = data_.Read(storage::files::kLanguage);
    storedLanguage_.reset();
    if (lines && !lines->empty()) {
        storedLanguage_ = lines->front();
        languageChoice_ = lines->front();
    }
}

storage::WriteResult FamilyModel::StoreLanguageChoice() {
    return data_.Write(storage::files::kLanguage, {languageChoice_, languageChoice_});
}

bool FamilyModel::Exists(const std::string& file) const {
    std::error_code error;
    return std::filesystem::exists(data_.PathOf(file), error);
}

std::vector<FamilyModel::SaveStep> FamilyModel::PlanSave() const {
    namespace files = storage::files;
    std::vector<SaveStep> steps = {
        {files::kSites, sites_},
        {files::kStartPage, startPage_},
        {files::kVisitLog, log_},
    };
    if (settings_ == saved_) {
        return steps;  // nothing the parent set: the file stays as it is, or absent
    }
    // Read afresh: whatever else the file holds, and a setting the file got since the start
    // that the parent left alone, are kept as they now stand.
    const auto stored = data_.Read(files::kSettings);
    if (!stored && Exists(files::kSettings)) {
        steps.push_back({files::kSettings, std::nullopt});
        return steps;
    }
    const auto lines =
        WithChanges(
            storage::Settings(storage::NameValueLines(stored.value_or(std::vector<std::string>{}))),
            saved_, settings_)
            .Lines()
            .Lines();
    // Without a file an installation keeps to the seven files until a parent turns a switch
    // on or sets a limit: a switch turned on and back off again writes nothing.
    if (lines != stored.value_or(std::vector<std::string>{}) &&
        (stored ||
         ReadSettings(storage::Settings(storage::NameValueLines(lines))) != SettingValues{})) {
        steps.push_back({files::kSettings, lines});
    }
    return steps;
}

std::vector<std::string> FamilyModel::FilesToSave() const {
    std::vector<std::string> files;
    for (const auto& step : PlanSave()) {
        files.push_back(step.file);
    }
    return files;
}

FamilyModel::SaveReport FamilyModel::Save() {
    SaveReport report;
    for (const auto& [file, lines] : PlanSave()) {
        const auto result = lines ? data_.Write(file, *lines) : storage::WriteResult{false, ""};
        if (!result.ok) {
            report.ok = false;
            report.failedFile = file;
            report.reason = result.reason;
            report.unreadable = !lines;
            return report;
        }
        if (file == storage::files::kSites) {
            sitesPending_ = false;
            // A deleted site's picture goes with it.
            std::vector<std::string> addresses;
            for (const auto& record : sites_) {
                addresses.push_back(storage::SiteAddress(record));
            }
            storage::pictures::KeepOnly(data_, addresses);
        }
        if (file == storage::files::kVisitLog) {
            logInFile_ = log_.size();
            logWhole_ = false;
        }
        if (file == storage::files::kSettings) {
            // A later change is measured from here, so turning a switch back and saving again
            // stores that too.
            saved_ = settings_;
        }
        report.written.push_back(file);
    }
    return report;
}

FamilyModel::StoredWords FamilyModel::ReadBlockedWords() const {
    try {
        if (auto words = data_.Read(storage::files::kBlockedWords)) {
            return {std::move(*words), true};
        }
    } catch (const std::exception&) {
        // A read that fails midway (a folder in the file's place, a disk error) is unreadable
        // like any other.
        return {{}, false};
    }
    std::error_code error;
    const bool missing =
        !std::filesystem::exists(data_.PathOf(storage::files::kBlockedWords), error) && !error;
    return {{}, missing};
}

storage::WriteResult FamilyModel::StoreBlockedWords(const std::vector<std::string>& words) {
    return data_.Write(storage::files::kBlockedWords, words);
}

std::string FamilyModel::BlockedWordsFile() const {
    return data_.PathOf(storage::files::kBlockedWords);
}

std::optional<std::vector<std::string>> FamilyModel::BlockedWordsForFilter() const {
    return data_.Read(storage::files::kBlockedWords);
}

storage::WriteResult FamilyModel::StorePassword(const std::string& password) {
    return data_.Write(storage::files::kPassword, {password});
}

void FamilyModel::ReloadStartPage() {
    // Replaced rather than added to, so the stored record is there once however often the
    // editor was opened.
    std::vector<std::string> records;
    try {
        if (auto lines = data_.Read(storage::files::kStartPage)) {
            records = std::move(*lines);
        }
    } catch (const std::exception&) {
        // Unreadable: the list stays empty.
    }
    SetStartPageRecords(std::move(records));
}

std::optional<std::vector<std::string>> FamilyModel::SitesToShow() const {
    return sitesPending_ ? std::optional(sites_) : data_.Read(storage::files::kSites);
}

std::optional<std::string> FamilyModel::SitePicture(std::string_view address) const {
    return storage::pictures::Read(data_, address);
}

bool FamilyModel::SitePictureStored(std::string_view address) const {
    return storage::pictures::Stored(data_, address);
}

std::optional<std::string> FamilyModel::PictureOfHost(std::string_view address) const {
    std::vector<std::string> sites;
    for (const auto& record : sites_) {
        sites.push_back(storage::SiteAddress(record));
    }
    const auto site = filter::BestListedSite(address, sites);
    return site ? SitePicture(sites[*site]) : std::nullopt;
}

storage::WriteResult FamilyModel::AddSitePicture(std::string_view address, std::string_view png) {
    return storage::pictures::Add(data_, address, png);
}

storage::WriteResult FamilyModel::SetSitePicture(std::string_view address, std::string_view png) {
    return storage::pictures::Write(data_, address, png);
}

std::vector<std::string> FamilyModel::Requests() const {
    auto list = formats::requests::Parse(
        data_.Read(formats::files::kRequests).value_or(std::vector<std::string>{}));
    // Answered is what would open now: a site allowed since, or a switch turned off. One still
    // held by a blocked word stays, so the parent sees that allowing its site was not enough.
    const auto words = BlockedWordsForFilter();
    if (!words) {
        return list;  // nothing opens without the words, so nothing is answered
    }
    const filter::WordMatcher matcher(*words);
    const filter::Settings settings{.allowedSitesOnly = settings_.allowedSitesOnly,
                                    .allowedAddresses = AllowedAddresses(),
                                    .programKey = {}};
    std::erase_if(list, [&](const std::string& address) {
        return filter::Decide(
                   {.address = address, .kind = filter::Kind::TopLevel, .frameShows = {}},
                   {filter::ListState::Present, &matcher}, settings)
            .Opens();
    });
    return list;
}

storage::WriteResult FamilyModel::DropAnsweredRequests() {
    const auto stored = data_.Read(formats::files::kRequests);
    if (!stored) {
        return {};
    }
    const auto waiting = Requests();
    if (waiting == formats::requests::Parse(*stored)) {
        return {};
    }
    return data_.Write(formats::files::kRequests, waiting);
}

storage::WriteResult FamilyModel::AskLater(const std::string& address) {
    return data_.AddRequest(address);
}

storage::WriteResult FamilyModel::DropRequest(const std::string& address) {
    // Those answered meanwhile leave with it.
    auto list = Requests();
    const auto removed = std::remove(list.begin(), list.end(), address);
    if (removed == list.end()) {
        return {};
    }
    list.erase(removed, list.end());
    return data_.Write(formats::files::kRequests, list);
}

storage::WriteResult FamilyModel::WriteVisitLog(bool endOfRun) {
    // Added to the end of the file, so that another run's entries written meanwhile stay; written
    // whole only when the file no longer begins as the log does (a parent cleared it, or an
    // earlier write failed part of the way).
    std::vector<std::string> lines;
    if (logWhole_) {
        lines = log_;
    } else {
        lines.assign(log_.begin() + static_cast<long>(std::min(logInFile_, log_.size())),
                     log_.end());
    }
    if (endOfRun) {
        lines.push_back(kRunSeparator);
    }
    storage::WriteResult result;
    if (logWhole_) {
        result = data_.Write(storage::files::kVisitLog, lines);
    } else if (!lines.empty()) {
        result = data_.Append(storage::files::kVisitLog, lines);
    }
    if (result.ok) {
        logInFile_ = log_.size();
        logWhole_ = endOfRun;  // the file now ends with a separator the log does not hold
    } else {
        logWhole_ = true;
    }
    return result;
}

void FamilyModel::RemoveUnfinishedWrites() {
    data_.RemoveUnfinishedWrites();
}

std::string FamilyModel::PathOf(const std::string& file) const {
    return data_.PathOf(file);
}

std::string FamilyModel::DataFolder() const {
    return data_.PathOf("");
}

}  // namespace family
