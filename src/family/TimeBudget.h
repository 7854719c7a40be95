#pragma once

#include <optional>

#include "basics/CivilTime.h"
#include "formats/UsedTime.h"
#include "storage/DataFiles.h"
#include "storage/Settings.h"

namespace family {

using basics::Date;
using basics::LocalTime;

// What "tijdgebruik.txt" keeps between runs, in the one format the family install's helper
// writes too.
using UsedTime = formats::UsedTime;

// Nothing when the file is missing, unreadable or not entirely as written (then the day starts
// afresh, as it does on a machine that never had a limit).
std::optional<UsedTime> ReadUsedTime(const storage::DataFiles& files);
storage::WriteResult WriteUsedTime(const storage::DataFiles& files, const UsedTime& used);

// The child's daily time budget. The caller feeds in monotonic seconds (never the wall clock)
// and the wall clock's reading only once, at the start: the run's "now" is the later of that
// reading and the last moment recorded, plus the monotonic time since, so changing the clock
// while the program runs neither ends nor extends the day, and setting it back before a start
// gives no fresh allowance. Nothing here reads a clock or a file.
class TimeBudget {
public:
    static constexpr long long kNoticeSeconds = 5 * 60;
    static constexpr double kSaveEverySeconds = 30;

    // A stored record with more than a day's seconds or more extra minutes than a day may have
    // is ignored whole.
    TimeBudget(storage::WeekMinutes limits, LocalTime wallNow, double steadyNow,
               std::optional<UsedTime> stored, storage::WeekWindows windows = {});

    // Moves the run's clock to `steadyNow`; the time since the last call counts as used when
    // `counting` (the window open and not minimized). Passing midnight starts a new day.
    void Advance(double steadyNow, bool counting);

    // The parent changed the limits, or granted extra minutes for today.
    void SetLimits(storage::WeekMinutes limits);
    void SetWindows(storage::WeekWindows windows);
    void GrantExtraMinutes(int minutes);

    Date Today() const;
    // Whether today has a limit of minutes or of times; without one the rest below says nothing.
    bool Limited() const;
    // The smaller of the minutes left and the time until today's window closes.
    long long RemainingSeconds() const;
    // Rounded up, so the child sees 1 until the very end.
    int RemainingMinutes() const;
    bool TimeIsUp() const;
    // The time is up because the run's "now" lies outside today's window, whatever minutes are
    // left.
    bool OutsideWindow() const;
    // What the clock's full disc stands for: today's minutes with the extra granted, or the
    // window's length where the window closes first.
    int MinutesAllowed() const;
    // True once a day, the first time it is asked with at most five minutes (and some time)
    // left; extra time that brings more than five minutes back lets it come once more.
    bool TakeFiveMinuteNotice();

    // What to write to "tijdgebruik.txt". Nothing is due while no day of the week has a limit
    // and nothing was granted, so an installation without limits writes no file.
    UsedTime Record() const;
    bool SaveDue(double steadyNow) const;
    void MarkSaved(double steadyNow);

private:
    long long AllowanceSeconds() const;
    bool MinutesLimited() const;
    long long AllowanceLeft() const;  // seconds, by the minutes alone
    long long NowSeconds() const;     // the run's "now", in local seconds
    std::optional<long long> WindowLeft() const;
    void Count(double seconds);
    void RearmNotice();

    storage::WeekMinutes limits_;
    storage::WeekWindows windows_;
    long long runStart_;  // local seconds at steadyStart_
    double steadyStart_;
    double steadyLast_;
    Date today_;
    double used_ = 0;
    int extra_ = 0;
    bool noticeArmed_ = true;
    bool dirty_ = false;
    double lastSave_;
};

}  // namespace family
