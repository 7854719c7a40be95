#include <gtest/gtest.h>

#include "family/SettingsTable.h"
#include "family/TimeBudget.h"
#include "storage/DataPath.h"
#include "support/TempFolder.h"

using basics::Date;
using basics::LocalTime;
using family::TimeBudget;
using family::UsedTime;

namespace {

constexpr Date kMonday{2026, 12, 7};
constexpr Date kTuesday{2026, 12, 8};
constexpr int kHour = 3600;

// Sixty minutes on Mondays and thirty on Tuesdays, no limit on other days.
storage::WeekMinutes Limits() {
    storage::WeekMinutes week;
    week[0] = 60;
    week[1] = 30;
    return week;
}

}  // namespace

TEST(CivilTime, DatesWeekdaysAndTextsRoundTrip) {
    EXPECT_EQ(basics::Weekday(kMonday), 0);
    EXPECT_EQ(basics::Weekday({2024, 2, 29}), 3);
    EXPECT_EQ(basics::Weekday({1970, 1, 1}), 3);
    EXPECT_EQ(basics::DateFromDays(basics::DaysSinceEpoch({2024, 2, 29}) + 1), (Date{2024, 3, 1}));
    EXPECT_EQ(basics::DateFromDays(-1), (Date{1969, 12, 31}));
    EXPECT_EQ(basics::ParseDate(basics::DateText(kMonday)), kMonday);
    EXPECT_EQ(basics::ParseTimeOfDay(basics::TimeOfDayText(23 * kHour + 59 * 60 + 59)), 86399);
    for (const char* bad : {"2026-02-29", "2026-13-01", "2026-1-01", "2026-12-07x", ""}) {
        EXPECT_FALSE(basics::ParseDate(bad).has_value()) << bad;
    }
    for (const char* bad : {"24:00:00", "12:60:00", "1:00:00", "aa:bb:cc"}) {
        EXPECT_FALSE(basics::ParseTimeOfDay(bad).has_value()) << bad;
    }
}

TEST(TimeBudget, CountsOnlyWhileCountingWarnsOnceAndStopsAtZero) {
    TimeBudget budget(Limits(), {kMonday, 10 * kHour}, 1000, std::nullopt);
    ASSERT_TRUE(budget.Limited());
    EXPECT_EQ(budget.RemainingMinutes(), 60);
    budget.Advance(1000 + 600, false);  // minimized for ten minutes
    EXPECT_EQ(budget.RemainingMinutes(), 60);
    budget.Advance(1600 + 55 * 60 + 1, true);
    EXPECT_EQ(budget.RemainingSeconds(), 5 * 60 - 1);
    EXPECT_EQ(budget.RemainingMinutes(), 5);
    EXPECT_TRUE(budget.TakeFiveMinuteNotice());
    EXPECT_FALSE(budget.TakeFiveMinuteNotice());
    EXPECT_FALSE(budget.TimeIsUp());
    budget.Advance(1600 + 60 * 60 + 500, true);  // long past the end, on the cover
    EXPECT_TRUE(budget.TimeIsUp());
    EXPECT_EQ(budget.RemainingMinutes(), 0);
    EXPECT_FALSE(budget.TakeFiveMinuteNotice());

    // Time on the cover is not used: the whole grant is there, and the notice comes again.
    budget.GrantExtraMinutes(15);
    EXPECT_EQ(budget.RemainingMinutes(), 15);
    budget.Advance(1600 + 60 * 60 + 500 + 10 * 60 + 1, true);
    EXPECT_TRUE(budget.TakeFiveMinuteNotice());

    // Lowering and raising the limit again does not hand back used time.
    budget.SetLimits({});
    budget.SetLimits(Limits());
    EXPECT_EQ(budget.RemainingSeconds(), 5 * 60 - 1);
}

TEST(TimeBudget, TheWallClockCannotEndOrExtendTheDay) {
    // Monday evening, 50 of 60 minutes used in an earlier run.
    const UsedTime stored{{kMonday, 20 * kHour}, 50 * 60, 0};
    struct Case {
        const char* what;
        LocalTime wallAtStart;
        long long remaining;
    };
    const Case cases[] = {
        {"same day", {kMonday, 21 * kHour}, 10 * 60},
        {"clock set back a day", {{2026, 12, 6}, 21 * kHour}, 10 * 60},
        {"clock set back on the same day", {kMonday, 8 * kHour}, 10 * 60},
        {"next day", {kTuesday, 8 * kHour}, 30 * 60},
    };
    for (const Case& c : cases) {
        TimeBudget budget(Limits(), c.wallAtStart, 0, stored);
        EXPECT_EQ(budget.RemainingSeconds(), c.remaining) << c.what;
    }
    // Set back to Sunday 23:59 before the start: midnight comes only after the four hours that
    // really are left of Monday, counted on the monotonic clock.
    TimeBudget budget(Limits(), {{2026, 12, 6}, 23 * kHour + 59 * 60}, 0, stored);
    budget.Advance(3 * kHour, false);
    EXPECT_EQ(budget.Today(), kMonday);
    EXPECT_EQ(budget.RemainingSeconds(), 10 * 60);
    budget.Advance(4 * kHour + 60, true);
    EXPECT_EQ(budget.Today(), kTuesday);
    EXPECT_EQ(budget.RemainingSeconds(), 30 * 60 - 60);  // only the minute after midnight
    EXPECT_EQ(budget.Record().lastSeen.date, kTuesday);
    EXPECT_EQ(budget.Record().lastSeen.secondsOfDay, 60);
}

TEST(TimeBudget, UsedTimeIsWrittenOftenOnlyWithALimitAndComesBack) {
    testsupport::TempFolder dir;
    storage::DataFiles data(dir.Path());
    EXPECT_FALSE(family::ReadUsedTime(data).has_value());

    TimeBudget unlimited({}, {kMonday, 0}, 0, std::nullopt);
    unlimited.Advance(kHour, true);
    EXPECT_FALSE(unlimited.Limited());
    EXPECT_FALSE(unlimited.SaveDue(kHour));

    TimeBudget budget(Limits(), {kMonday, 10 * kHour}, 0, std::nullopt);
    EXPECT_FALSE(budget.SaveDue(TimeBudget::kSaveEverySeconds - 1));
    EXPECT_TRUE(budget.SaveDue(TimeBudget::kSaveEverySeconds));
    budget.Advance(125.5, true);
    budget.GrantExtraMinutes(15);
    budget.MarkSaved(125.5);
    EXPECT_FALSE(budget.SaveDue(126));
    budget.GrantExtraMinutes(15);
    EXPECT_TRUE(budget.SaveDue(126));  // a grant is written at once

    ASSERT_TRUE(family::WriteUsedTime(data, budget.Record()).ok);
    EXPECT_EQ(dir.Get(storage::files::kUsedTime),
              "datum=2026-12-07\r\ntijd=10:02:05\r\nseconden=125\r\nextraminuten=30\r\n");
    const auto back = family::ReadUsedTime(data);
    ASSERT_TRUE(back.has_value());
    TimeBudget restarted(Limits(), {kMonday, 11 * kHour}, 0, back);
    EXPECT_EQ(restarted.RemainingSeconds(), 90 * 60 - 125);

    for (const char* bad : {"datum=2026-12-07\r\ntijd=10:02:05\r\nseconden=x\r\nextraminuten=0\r\n",
                            "datum=2026-12-07\r\nseconden=5\r\nextraminuten=0\r\n"}) {
        dir.Put(storage::files::kUsedTime, bad);
        EXPECT_FALSE(family::ReadUsedTime(data).has_value()) << bad;
    }
}

namespace {

constexpr Date kSunday{2026, 12, 6};
constexpr Date kNextMonday{2026, 12, 14};
constexpr int kMinute = 60;

// One run: the budget starts at `wall` with what was stored, the parent grants `grant` minutes,
// and the monotonic clock moves on by `steady` seconds.
struct BudgetRow {
    const char* name;
    std::optional<UsedTime> stored;
    LocalTime wall;
    double steady;
    bool counting;
    int grant;
    Date today;
    long long remaining;
};

std::ostream& operator<<(std::ostream& out, const BudgetRow& row) {
    return out << row.name;
}

class TimeBudgetRun : public ::testing::TestWithParam<BudgetRow> {};

TEST_P(TimeBudgetRun, LeavesTheDayAndTheTime) {
    const BudgetRow& row = GetParam();
    TimeBudget budget(Limits(), row.wall, 0, row.stored);
    if (row.grant != 0) {
        budget.GrantExtraMinutes(row.grant);
    }
    budget.Advance(row.steady, row.counting);
    EXPECT_EQ(budget.Today(), row.today);
    EXPECT_EQ(budget.RemainingSeconds(), row.remaining);
}

LocalTime At(Date date, int hour, int minute = 0) {
    return {date, hour * kHour + minute * kMinute};
}
UsedTime Used(LocalTime lastSeen, long long seconds, int extra = 0) {
    return {lastSeen, seconds, extra};
}
constexpr auto None = std::nullopt;

// clang-format off
const BudgetRow kRuns[] = {
    // name, stored, wall clock at the start,
    //     steady seconds later, counting, minutes granted, today, seconds left
    {"MidnightCountsOnlyTheNewDaysPart", None, At(kMonday, 23, 50),
        20 * kMinute, true, 0, kTuesday, 20 * kMinute},
    {"MidnightGivesTheNextDaysTimeAfterTimeUp", Used(At(kMonday, 23), kHour), At(kMonday, 23, 30),
        40 * kMinute, true, 0, kTuesday, 20 * kMinute},
    {"StoredExtraMinutesEndAtMidnight", Used(At(kMonday, 23), kHour, 30), At(kMonday, 23, 30),
        kHour, false, 0, kTuesday, 30 * kMinute},
    {"GrantedMinutesEndAtMidnight", None, At(kMonday, 23),
        2 * kHour, false, 30, kTuesday, 30 * kMinute},
    {"AsleepOverAWholeDay", None, At(kSunday, 23),
        25 * kHour + 10 * kMinute, true, 0, kTuesday, 20 * kMinute},
    {"SteadyClockGoingBackCountsNothing", None, At(kMonday, 10),
        -100, true, 0, kMonday, kHour},
    {"ClockSetBackAfterAJumpForwardKeepsIt", Used(At(kTuesday, 9), 10 * kMinute), At(kMonday, 10),
        0, true, 0, kTuesday, 20 * kMinute},
    {"ClockSetForwardWithinTheDayKeepsTheDay", Used(At(kMonday, 9), 50 * kMinute), At(kMonday, 23),
        0, true, 0, kMonday, 10 * kMinute},
    {"ClockSetForwardAWeekIsANewDay", Used(At(kMonday, 20), kHour, 30), At(kNextMonday, 8),
        0, true, 0, kNextMonday, kHour},
    {"StoredWholeDayIsUsedUp", Used(At(kMonday, 10), 86400), At(kMonday, 11),
        0, true, 0, kMonday, 0},
    {"StoredDayLongerThanADayStartsAfresh", Used(At(kMonday, 10), 86401), At(kMonday, 11),
        0, true, 0, kMonday, kHour},
    {"StoredExtraBeyondTheMostStartsAfresh", Used(At(kMonday, 10), 0, 1441), At(kMonday, 11),
        0, true, 0, kMonday, kHour},
    {"GrantAddsToTheStoredExtra", Used(At(kMonday, 10), kHour, 15), At(kMonday, 11),
        0, true, 15, kMonday, 30 * kMinute},
    {"GrantBeyondTheMostIsCut", None, At(kMonday, 10),
        0, true, 2000, kMonday, (60 + 1440) * kMinute},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Rows, TimeBudgetRun, ::testing::ValuesIn(kRuns),
                         [](const auto& info) { return std::string(info.param.name); });

// What the file holds, read at Monday 11:00: how much of Monday's hour is left.
struct FileRow {
    const char* name;
    const char* seconds;
    const char* extra;
    const char* date = "2026-12-07";
    const char* time = "10:00:00";
    long long remaining = kHour;  // a damaged file starts the day afresh
};

std::ostream& operator<<(std::ostream& out, const FileRow& row) {
    return out << row.name;
}

class UsedTimeFile : public ::testing::TestWithParam<FileRow> {};

TEST_P(UsedTimeFile, GivesTheTimeLeft) {
    const FileRow& row = GetParam();
    testsupport::TempFolder dir;
    dir.Put(storage::files::kUsedTime, std::string("datum=") + row.date + "\r\ntijd=" + row.time +
                                           "\r\nseconden=" + row.seconds +
                                           "\r\nextraminuten=" + row.extra + "\r\n");
    const TimeBudget budget(Limits(), {kMonday, 11 * kHour}, 0,
                            family::ReadUsedTime(storage::DataFiles(dir.Path())));
    EXPECT_EQ(budget.RemainingSeconds(), row.remaining);
}

const FileRow kFiles[] = {
    {"AsWritten", "600", "0", "2026-12-07", "10:00:00", kHour - 600},
    {"WithExtra", "600", "15", "2026-12-07", "10:00:00", kHour + 15 * kMinute - 600},
    {"WholeDay", "86400", "0", "2026-12-07", "10:00:00", 0},
    {"MostExtra", "600", "1440", "2026-12-07", "10:00:00", (60 + 1440) * kMinute - 600},
    {"LaterDayKept", "600", "0", "2026-12-08", "09:00:00", 30 * kMinute - 600},
    {"EarlierDayIsOver", "600", "0", "2026-12-06"},
    {"LongerThanADay", "86401", "0"},
    {"NegativeSeconds", "-1", "0"},
    {"SecondsNotANumber", "6OO", "0"},
    {"SecondsEmpty", "", "0"},
    {"ExtraBeyondTheMost", "0", "1441"},
    {"ImpossibleDate", "600", "0", "2026-02-30"},
    {"ImpossibleTime", "600", "0", "2026-12-07", "24:00:00"},
};

INSTANTIATE_TEST_SUITE_P(Rows, UsedTimeFile, ::testing::ValuesIn(kFiles),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(UsedTimeFile, ALineMissingOrStrangeBytesStartTheDayAfresh) {
    testsupport::TempFolder dir;
    for (const char* bad : {"", "\xFF\xFE\x01", "datum=2026-12-07\r\ntijd=10:00:00\r\n",
                            "seconden=600\r\nextraminuten=0\r\n"}) {
        dir.Put(storage::files::kUsedTime, bad);
        const TimeBudget budget(Limits(), {kMonday, 11 * kHour}, 0,
                                family::ReadUsedTime(storage::DataFiles(dir.Path())));
        EXPECT_EQ(budget.RemainingSeconds(), kHour) << bad;
    }
}

}  // namespace

namespace {

// Monday's window and, where given, Tuesday's; Monday's minutes where given; the run starts at
// `wall` with what was stored and the monotonic clock moves on by `steady` counted seconds.
struct WindowRow {
    const char* name;
    storage::DayWindow monday, tuesday;
    std::optional<int> mondayMinutes;
    std::optional<UsedTime> stored;
    LocalTime wall;
    double steady;
    bool outside;
    long long remaining;
};

class TimeOfDay : public ::testing::TestWithParam<WindowRow> {};

TEST_P(TimeOfDay, OpensOnlyInsideTheWindow) {
    const WindowRow& row = GetParam();
    storage::WeekMinutes minutes{row.mondayMinutes};
    TimeBudget budget(minutes, row.wall, 0, row.stored, {row.monday, row.tuesday});
    budget.Advance(row.steady, true);
    EXPECT_EQ(budget.OutsideWindow(), row.outside);
    EXPECT_EQ(budget.TimeIsUp(), row.outside || (budget.Limited() && row.remaining == 0));
    EXPECT_EQ(budget.RemainingSeconds(), row.remaining);
}

constexpr storage::DayWindow kAfternoon{15 * 60, 18 * 60}, kNight{22 * 60, 7 * 60};

// clang-format off
const WindowRow kWindows[] = {
    // name, Monday's window, Tuesday's, Monday's minutes, stored, wall clock at the start,
    //     steady seconds later, outside, seconds left
    {"Before", kAfternoon, {}, None, None, At(kMonday, 14, 59), 0, true, 0},
    {"Inside", kAfternoon, {}, None, None, At(kMonday, 17), 0, false, kHour},
    {"After", kAfternoon, {}, None, None, At(kMonday, 18), 0, true, 0},
    {"ClosesWhileRunning", kAfternoon, {}, None, None, At(kMonday, 17, 30), 30 * kMinute, true, 0},
    {"FewerMinutesThanWindow", kAfternoon, {}, 20, None, At(kMonday, 15), 0, false, 20 * kMinute},
    {"TimeBeforeTheWindowIsNotUsed", kAfternoon, {}, 120, None, At(kMonday, 14), 2 * kHour, false, kHour},
    {"AcrossMidnightLate", kNight, kNight, None, None, At(kMonday, 23), 0, false, 8 * kHour},
    {"AcrossMidnightEarly", kNight, {}, None, None, At(kMonday, 3), 0, false, 4 * kHour},
    {"AcrossMidnightDaytimeClosed", kNight, {}, None, None, At(kMonday, 12), 0, true, 0},
    {"IntoAnOpenDayNeverCloses", {15 * 60, None}, {}, None, None, At(kMonday, 23), 0, false, 0},
    {"SteadyClockGoingBackDoesNotReopen", kAfternoon, {}, None, None, At(kMonday, 18, 5), -kHour, true, 0},
    {"ClockSetBackBeforeAStart", kAfternoon, {}, None, Used(At(kMonday, 18, 30), 0), At(kMonday, 16), 0, true, 0},
    {"ClockSetBackADayBeforeAStart", {}, kAfternoon, None, Used(At(kTuesday, 19), 0), At(kMonday, 16), 0, true, 0},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Rows, TimeOfDay, ::testing::ValuesIn(kWindows),
                         [](const auto& info) { return std::string(info.param.name); });

// A "from" line's value as the settings file may hold it, and the minutes it is read as; a time
// read is written back in the one form the editor shows.
TEST(TimeOfDaySetting, LinesAreReadLikeTheMinutes) {
    const std::pair<const char*, std::optional<int>> rows[] = {
        {"15:00", 900},   {"7:05", 425},   {"  07:05 ", 425}, {"0:00", 0},    {"24:00", 1440},
        {"24:01", None},  {"25:00", None}, {"15:60", None},   {"1500", None}, {"15:0", None},
        {"015:00", None}, {"-1:00", None}, {"ab:cd", None},   {"", None}};
    for (const auto& [value, minutes] : rows) {
        const storage::Settings file(
            storage::NameValueLines({"vanafdinsdag=" + std::string(value), "totdinsdag=18:00"}));
        EXPECT_EQ(file.WindowPerDay(1), (storage::DayWindow{minutes, 18 * 60})) << value;
        EXPECT_EQ(family::ReadSettings(file).windows[1], file.WindowPerDay(1)) << value;
        storage::Settings written;
        written.SetWindowPerDay(1, file.WindowPerDay(1));
        EXPECT_EQ(storage::Settings(written.Lines()).WindowPerDay(1), file.WindowPerDay(1));
    }
}

}  // namespace
