#include "family/TimeBudget.h"

#include <algorithm>
#include <cmath>

#include "family/TimeWindow.h"
#include "storage/DataPath.h"

namespace family {

using namespace basics;  // the budget counts in civil time throughout

std::optional<UsedTime> ReadUsedTime(const storage::DataFiles& files) {
    const auto lines = files.Read(storage::files::kUsedTime);
    return lines ? formats::ParseUsedTime(*lines) : std::nullopt;
}

storage::WriteResult WriteUsedTime(const storage::DataFiles& files, const UsedTime& used) {
    return files.Write(storage::files::kUsedTime, formats::UsedTimeLines(used));
}

TimeBudget::TimeBudget(storage::WeekMinutes limits, LocalTime wallNow, double steadyNow,
                       std::optional<UsedTime> stored, storage::WeekWindows windows)
    : limits_(limits),
      windows_(windows),
      runStart_(LocalSeconds(wallNow)),
      steadyStart_(steadyNow),
      steadyLast_(steadyNow),
      lastSave_(steadyNow) {
    // A record no run writes is damaged: the day starts afresh, as it does without one.
    if (stored && (stored->secondsUsed < 0 || stored->secondsUsed > kSecondsPerDay ||
                   stored->extraMinutes < 0 || stored->extraMinutes > storage::kMaxMinutesPerDay)) {
        stored.reset();
    }
    if (stored) {
        // A clock set back before this start does not bring back time already counted.
        runStart_ = std::max(runStart_, LocalSeconds(stored->lastSeen));
    }
    today_ = LocalTimeFromSeconds(runStart_).date;
    if (stored && stored->lastSeen.date == today_) {
        used_ = static_cast<double>(stored->secondsUsed);
        extra_ = stored->extraMinutes;
    }
}

void TimeBudget::Advance(double steadyNow, bool counting) {
    if (!(steadyNow > steadyLast_)) {
        return;
    }
    const double elapsed = steadyNow - steadyLast_;
    steadyLast_ = steadyNow;
    const LocalTime local = LocalTimeFromSeconds(NowSeconds());
    double counted = counting ? elapsed : 0;
    if (local.date != today_) {
        today_ = local.date;
        used_ = 0;
        extra_ = 0;
        noticeArmed_ = true;
        dirty_ = true;
        counted = std::min<double>(counted, local.secondsOfDay);
    }
    // Only the time since today's window opened counts; a long step (the machine asleep) may
    // have begun before it.
    if (const auto open = WindowSecondsOpen(windows_, Weekday(local.date), local.secondsOfDay)) {
        counted = std::min<double>(counted, static_cast<double>(*open));
    }
    Count(counted);
}

long long TimeBudget::NowSeconds() const {
    return runStart_ + static_cast<long long>(steadyLast_ - steadyStart_);
}

void TimeBudget::Count(double seconds) {
    // Time on the "time is up" cover is no time used, so extra minutes granted then are all
    // there to use. What was used before a limit was lowered stays used.
    const double ceiling = MinutesLimited()
                               ? std::max(used_, static_cast<double>(AllowanceSeconds()))
                               : used_ + seconds;
    used_ = std::min(used_ + seconds, ceiling);
}

void TimeBudget::SetLimits(storage::WeekMinutes limits) {
    limits_ = limits;
    RearmNotice();
    dirty_ = true;
}

void TimeBudget::SetWindows(storage::WeekWindows windows) {
    windows_ = windows;
    RearmNotice();
    dirty_ = true;
}

void TimeBudget::GrantExtraMinutes(int minutes) {
    extra_ = std::clamp(extra_ + minutes, 0, storage::kMaxMinutesPerDay);
    RearmNotice();
    dirty_ = true;
}

Date TimeBudget::Today() const {
    return today_;
}

bool TimeBudget::MinutesLimited() const {
    return limits_[Weekday(today_)].has_value();
}

std::optional<long long> TimeBudget::WindowLeft() const {
    const LocalTime now = LocalTimeFromSeconds(NowSeconds());
    return WindowSecondsLeft(windows_, Weekday(now.date), now.secondsOfDay);
}

bool TimeBudget::Limited() const {
    return MinutesLimited() || WindowLeft().has_value();
}

bool TimeBudget::OutsideWindow() const {
    const auto left = WindowLeft();
    return left && *left == 0;
}

int TimeBudget::MinutesAllowed() const {
    const auto window = WindowLeft();
    if (window && (!MinutesLimited() || *window < AllowanceLeft())) {
        const auto length = WindowMinutes(windows_[Weekday(today_)]);
        return std::max(length.value_or(0), RemainingMinutes());
    }
    return static_cast<int>(AllowanceSeconds() / 60);
}

long long TimeBudget::AllowanceSeconds() const {
    const auto limit = limits_[Weekday(today_)];
    return limit ? (static_cast<long long>(*limit) + extra_) * 60 : 0;
}

long long TimeBudget::AllowanceLeft() const {
    return std::max<long long>(0, AllowanceSeconds() - static_cast<long long>(used_));
}

long long TimeBudget::RemainingSeconds() const {
    const auto window = WindowLeft();
    if (MinutesLimited()) {
        return window ? std::min(*window, AllowanceLeft()) : AllowanceLeft();
    }
    return window.value_or(0);
}

int TimeBudget::RemainingMinutes() const {
    return static_cast<int>((RemainingSeconds() + 59) / 60);
}

bool TimeBudget::TimeIsUp() const {
    return Limited() && RemainingSeconds() == 0;
}

bool TimeBudget::TakeFiveMinuteNotice() {
    const long long left = RemainingSeconds();
    if (!Limited() || !noticeArmed_ || left <= 0 || left > kNoticeSeconds) {
        return false;
    }
    noticeArmed_ = false;
    return true;
}

UsedTime TimeBudget::Record() const {
    return {LocalTimeFromSeconds(NowSeconds()), static_cast<long long>(used_), extra_};
}

bool TimeBudget::SaveDue(double steadyNow) const {
    const bool anyLimit =
        std::any_of(limits_.begin(), limits_.end(), [](const auto& l) { return l.has_value(); }) ||
        AnyWindow(windows_);
    if (!anyLimit && extra_ == 0) {
        return false;
    }
    return dirty_ || steadyNow - lastSave_ >= kSaveEverySeconds;
}

void TimeBudget::MarkSaved(double steadyNow) {
    dirty_ = false;
    lastSave_ = steadyNow;
}

void TimeBudget::RearmNotice() {
    if (RemainingSeconds() > kNoticeSeconds) {
        noticeArmed_ = true;
    }
}

}  // namespace family
