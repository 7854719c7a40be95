// The login's rules without files or windows: the comparison, the wait after wrong tries and the
// stored count, a row per case.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <ostream>
#include <string>
#include <type_traits>
#include <vector>

#include "account/Login.h"
#include "basics/CivilTime.h"

namespace account {

void PrintTo(Outcome outcome, std::ostream* out) {
    constexpr const char* kNames[] = {"Right", "UserWrong", "PasswordWrong"};
    *out << kNames[static_cast<int>(outcome)];
}

}  // namespace account

namespace {

using account::Outcome;
constexpr auto Right = Outcome::Right;
constexpr auto User = Outcome::UserWrong;
constexpr auto Pass = Outcome::PasswordWrong;

template <typename Row>
requires std::is_same_v<decltype(Row::name), const char*> std::ostream& operator<<(
    std::ostream& out, const Row& row) {
    return out << row.name;
}

template <typename Row>
std::string RowName(const ::testing::TestParamInfo<Row>& info) {
    return info.param.name;
}

struct CompareRow {
    const char* name;
    std::vector<std::string> names;
    std::vector<std::string> passwords;
    const char* typedName;
    const char* typedPassword;
    std::vector<Outcome> outcomes;
};

class LoginCompare : public ::testing::TestWithParam<CompareRow> {};

TEST_P(LoginCompare, GivesAnOutcomePerLine) {
    const CompareRow& row = GetParam();
    const auto outcomes =
        account::Compare(row.names, row.passwords, row.typedName, row.typedPassword);
    EXPECT_EQ(outcomes, row.outcomes);
    EXPECT_EQ(account::AnyRight(outcomes),
              std::find(row.outcomes.begin(), row.outcomes.end(), Right) != row.outcomes.end());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LoginCompare,
    ::testing::Values(
        CompareRow{"Exact", {"parents"}, {"Lantern wick"}, "parents", "Lantern wick", {Right}},
        CompareRow{"NameCase", {"parents"}, {"geheim"}, "Parents", "geheim", {User}},
        CompareRow{"PasswordCase", {"parents"}, {"geheim"}, "parents", "Geheim", {Pass}},
        CompareRow{"TypedTrailingSpace", {"parents"}, {"geheim"}, "parents ", "geheim", {User}},
        CompareRow{"StoredTrailingSpace", {"parents"}, {"geheim "}, "parents", "geheim", {Pass}},
        CompareRow{"NothingTyped", {"parents"}, {"geheim"}, "", "", {User}},
        CompareRow{
            "EmptyNameLineIsAnEmptyName", {"", "parents"}, {"geheim"}, "", "geheim", {Right, User}},
        CompareRow{"EmptyPasswordLineMatchesAnEmptyTry",
                   {"parents"},
                   {"geheim", ""},
                   "parents",
                   "",
                   {Pass, Right}},
        CompareRow{"EmptyPasswordLineOnlyEmpty", {"parents"}, {""}, "parents", " ", {Pass}},
        CompareRow{
            "EveryNameLineCompared", {"mama", "papa"}, {"geheim"}, "papa", "geheim", {User, Right}},
        CompareRow{"EveryPasswordLineCompared",
                   {"parents"},
                   {"eerste", "tweede"},
                   "parents",
                   "tweede",
                   {Pass, Right}},
        CompareRow{"NameLinesTimesPasswordLines",
                   {"p", "p"},
                   {"a", "b"},
                   "p",
                   "b",
                   {Pass, Right, Pass, Right}},
        CompareRow{"NoLinesNoOutcome", {}, {"geheim"}, "parents", "geheim", {}}),
    RowName<CompareRow>);

struct WaitRow {
    const char* name;
    int wrong;
    double seconds;
};

class LoginWaitAfter : public ::testing::TestWithParam<WaitRow> {};

TEST_P(LoginWaitAfter, Waits) {
    EXPECT_DOUBLE_EQ(account::WaitAfter(GetParam().wrong), GetParam().seconds);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LoginWaitAfter,
    ::testing::Values(WaitRow{"NegativeCountIsFree", -3, 0}, WaitRow{"NoneWrong", 0, 0},
                      WaitRow{"LastFreeTry", 4, 0}, WaitRow{"FifthWrongWaitsHalfAMinute", 5, 30},
                      WaitRow{"SixthDoubles", 6, 60}, WaitRow{"NinthDoublesStill", 9, 480},
                      WaitRow{"TenthIsCut", 10, 900}, WaitRow{"FarBeyondStaysCut", 100000, 900},
                      WaitRow{"LargestCountStaysCut", INT_MAX, 900}),
    RowName<WaitRow>);

constexpr long long kMonday10 = 1796637600;  // 2026-12-07 10:00:00 local
constexpr long long kLater = kMonday10 + 3 * 3600;

struct ParseRow {
    const char* name;
    std::vector<std::string> lines;
    account::Attempts attempts;
};

class LoginAttemptsFile : public ::testing::TestWithParam<ParseRow> {};

TEST_P(LoginAttemptsFile, Reads) {
    ASSERT_EQ(basics::LocalSeconds({{2026, 12, 7}, 10 * 3600}), kMonday10);
    EXPECT_EQ(account::ParseAttempts(GetParam().lines, kLater), GetParam().attempts);
}

// A damaged count reads as the free tries used up, just now.
INSTANTIATE_TEST_SUITE_P(
    Rows, LoginAttemptsFile,
    ::testing::Values(
        ParseRow{"AsWritten", {"fouten=7", "laatstefout=2026-12-07 10:00:00"}, {7, kMonday10}},
        ParseRow{"EitherOrder", {"laatstefout=2026-12-07 10:00:00", "fouten=2"}, {2, kMonday10}},
        ParseRow{"EmptyLinesIgnored",
                 {"", "fouten=0", "", "laatstefout=2026-12-07 10:00:00", ""},
                 {0, kMonday10}},
        ParseRow{"LastLineOfANameWins",
                 {"fouten=1", "laatstefout=2026-12-07 10:00:00", "fouten=6"},
                 {6, kMonday10}},
        ParseRow{"EmptyFile", {}, {5, kLater}},
        ParseRow{"MomentMissing", {"fouten=9"}, {9, kLater}},
        ParseRow{"CountMissing", {"laatstefout=2026-12-07 10:00:00"}, {5, kLater}},
        ParseRow{"CountNotANumber", {"fouten=2x", "laatstefout=2026-12-07 10:00:00"}, {5, kLater}},
        ParseRow{"CountNegative", {"fouten=-1", "laatstefout=2026-12-07 10:00:00"}, {5, kLater}},
        ParseRow{"CountWithPlus", {"fouten=+8", "laatstefout=2026-12-07 10:00:00"}, {5, kLater}},
        ParseRow{"CountWithSpace", {"fouten= 8", "laatstefout=2026-12-07 10:00:00"}, {5, kLater}},
        ParseRow{"CountTooLarge",
                 {"fouten=99999999999", "laatstefout=2026-12-07 10:00:00"},
                 {5, kLater}},
        ParseRow{"MomentNoDate", {"fouten=8", "laatstefout=10:00:00"}, {8, kLater}},
        ParseRow{
            "MomentImpossibleDate", {"fouten=8", "laatstefout=2026-02-30 10:00:00"}, {8, kLater}},
        ParseRow{
            "MomentTrailingText", {"fouten=8", "laatstefout=2026-12-07 10:00:00x"}, {8, kLater}},
        ParseRow{
            "StrangeLine", {"fouten=8", "laatstefout=2026-12-07 10:00:00", "zzz"}, {5, kLater}},
        ParseRow{"StrangeLineFirst",
                 {"zzz", "fouten=2", "laatstefout=2026-12-07 10:00:00"},
                 {5, kLater}}),
    RowName<ParseRow>);

TEST(LoginAttemptsFile, WrittenLinesReadBackUnchanged) {
    for (const account::Attempts attempts :
         {account::Attempts{}, account::Attempts{6, kMonday10},
          account::Attempts{INT_MAX, kMonday10 + 86399},
          account::Attempts{1, basics::LocalSeconds({{2024, 2, 29}, 23 * 3600 + 59 * 60 + 59})}}) {
        EXPECT_EQ(account::ParseAttempts(account::AttemptLines(attempts), kLater), attempts)
            << attempts.wrong << " at " << attempts.lastWrong;
    }
}

struct RemainingRow {
    const char* name;
    int wrong;
    long long sinceLastWrong;  // negative: the clock was set back before the last wrong try
    double seconds;
};

class LoginRemainingWait : public ::testing::TestWithParam<RemainingRow> {};

TEST_P(LoginRemainingWait, Counts) {
    const RemainingRow& row = GetParam();
    EXPECT_DOUBLE_EQ(account::RemainingWait({row.wrong, kMonday10}, kMonday10 + row.sinceLastWrong),
                     row.seconds);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LoginRemainingWait,
    ::testing::Values(RemainingRow{"FreeTriesNeverWait", 4, 0, 0},
                      RemainingRow{"JustAfter", 6, 0, 60}, RemainingRow{"PartWay", 6, 45, 15},
                      RemainingRow{"Over", 6, 60, 0}, RemainingRow{"LongOver", 6, 86400, 0},
                      RemainingRow{"ClockSetBackASecond", 6, -1, 60},
                      RemainingRow{"ClockSetBackADayWaitsNoLonger", 10, -86400, 900},
                      RemainingRow{"ClockSetBackFreeTriesStillFree", 3, -3600, 0}),
    RowName<RemainingRow>);

}  // namespace
