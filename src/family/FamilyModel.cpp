#include "family/FamilyModel.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <utility>

#include "family/VisitLog.h"
#include "storage/DataPath.h"
#include "storage/Records.h"

namespace family {

namespace {

bool AnyLimit(const storage::WeekMinutes& limits) {
    return std::any_of(limits.begin(), limits.end(), [](const auto& l) { return l.has_value(); });
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
    } else {
        log_.insert(log_.end(), lines->begin(), lines->end());
    }
    Tell(Change::VisitLog);
}

void FamilyModel::LoadSettings() {
    const auto settings = storage::Settings::Load(data_);
    settingsFound_ = settings.Found();
    sitePictures_ = sitePicturesAtLoad_ = settings.SitePictures();
    allowedSitesOnly_ = allowedSitesOnlyAtLoad_ = settings.AllowedSitesOnly();
    limits_ = settings.Week();
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
    const auto settings = storage::Settings::Load(data_);
    return settings.AllowedSitesOnly() != allowedSitesOnly_ ||
           settings.SitePictures() != sitePictures_ || settings.Week() != limits_;
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
    allowedSitesOnly_ = on;
    Tell(Change::AllowedSitesOnly);
}

void FamilyModel::SwitchesSaved() {
    allowedSitesOnlyAtLoad_ = allowedSitesOnly_;
    sitePicturesAtLoad_ = sitePictures_;
}

void FamilyModel::SetSitePictures(bool on) {
    sitePictures_ = on;
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
    log_.push_back(address);
    Tell(Change::VisitLog);
}

void FamilyModel::AddReachedPage(const std::string& address) {
    log_.push_back(ReachedPageEntry(address, clock_.DateText(), clock_.TimeText()));
    Tell(Change::VisitLog);
}

void FamilyModel::ClearVisitLog() {
    log_.clear();
    Tell(Change::VisitLog);
}

void FamilyModel::StartTimeBudget() {
    try {
        if (AnyLimit(limits_)) {
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
    budget_ = std::make_unique<TimeBudget>(limits_, clock_.Now(), clock_.SteadySeconds(),
                                           std::move(stored));
    budgetFailed_ = false;
}

bool FamilyModel::TimeIsUp() const {
    return budgetFailed_ || (budget_ && budget_->TimeIsUp());
}

std::optional<int> FamilyModel::TodaysLimit() {
    const basics::Date today = budget_ ? budget_->Today() : clock_.Now().date;
    return limits_[basics::Weekday(today)];
}

void FamilyModel::SetLimits(const storage::WeekMinutes& limits) {
    limits_ = limits;
    limitsChanged_ = true;
    if (budget_) {
        budget_->SetLimits(limits_);
    } else if (AnyLimit(limits_) || budgetFailed_) {
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
    return result.ok;
}

void FamilyModel::Tick(bool counting) {
    if (!budget_) {
        return;
    }
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
    if (AnyLimit(limits_) || budget_->Record().extraMinutes > 0) {
        WriteUsedTimeNow(now);
    }
}

std::optional<FamilyModel::Failure> FamilyModel::TakeTimeFailure() {
    return std::exchange(timeFailure_, std::nullopt);
}

}  // namespace family
