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

// clang-format off
const CompareRow kCompare[] = {
    // name, stored names, stored passwords, name typed, password typed, outcomes
    {"Exact", {"parents"}, {"Lantern wick"}, "parents", "Lantern wick", {Right}},
    {"NameCase", {"parents"}, {"geheim"}, "Parents", "geheim", {User}},
    {"PasswordCase", {"parents"}, {"geheim"}, "parents", "Geheim", {Pass}},
    {"TypedTrailingSpace", {"parents"}, {"geheim"}, "parents ", "geheim", {User}},
    {"StoredTrailingSpace", {"parents"}, {"geheim "}, "parents", "geheim", {Pass}},
    {"NothingTyped", {"parents"}, {"geheim"}, "", "", {User}},
    {"EmptyNameLineIsAnEmptyName", {"", "parents"}, {"geheim"}, "", "geheim", {Right, User}},
    {"EmptyPasswordLineMatchesEmpty", {"parents"}, {"geheim", ""}, "parents", "", {Pass, Right}},
    {"EmptyPasswordLineOnlyEmpty", {"parents"}, {""}, "parents", " ", {Pass}},
    {"EveryNameLineCompared", {"mama", "papa"}, {"geheim"}, "papa", "geheim", {User, Right}},
    {"EveryPasswordLineCompared", {"parents"}, {"een", "twee"}, "parents", "twee", {Pass, Right}},
    {"NameLinesTimesPasswordLines", {"p", "p"}, {"a", "b"}, "p", "b", {Pass, Right, Pass, Right}},
    {"NoLinesNoOutcome", {}, {"geheim"}, "parents", "geheim", {}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Rows, LoginCompare, ::testing::ValuesIn(kCompare), RowName<CompareRow>);

struct WaitRow {
    const char* name;
    int wrong;
    double seconds;
};

class LoginWaitAfter : public ::testing::TestWithParam<WaitRow> {};

TEST_P(LoginWaitAfter, Waits) {
    EXPECT_DOUBLE_EQ(account::WaitAfter(GetParam().wrong), GetParam().seconds);
}

const WaitRow kWaits[] = {
    {"NegativeCountIsFree", -3, 0},
    {"NoneWrong", 0, 0},
    {"LastFreeTry", 4, 0},
    {"FifthWrongWaitsHalfAMinute", 5, 30},
    {"SixthDoubles", 6, 60},
    {"NinthDoublesStill", 9, 480},
    {"TenthIsCut", 10, 900},
    {"FarBeyondStaysCut", 100000, 900},
    {"LargestCountStaysCut", INT_MAX, 900},
};

INSTANTIATE_TEST_SUITE_P(Rows, LoginWaitAfter, ::testing::ValuesIn(kWaits), RowName<WaitRow>);

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

constexpr const char* kAt = "laatstefout=2026-12-07 10:00:00";

// A damaged count reads as the free tries used up, just now.
// clang-format off
const ParseRow kFiles[] = {
    {"AsWritten", {"fouten=7", kAt}, {7, kMonday10}},
    {"EitherOrder", {kAt, "fouten=2"}, {2, kMonday10}},
    {"EmptyLinesIgnored", {"", "fouten=0", "", kAt, ""}, {0, kMonday10}},
    {"LastLineOfANameWins", {"fouten=1", kAt, "fouten=6"}, {6, kMonday10}},
    {"EmptyFile", {}, {5, kLater}},
    {"MomentMissing", {"fouten=9"}, {9, kLater}},
    {"CountMissing", {kAt}, {5, kLater}},
    {"CountNotANumber", {"fouten=2x", kAt}, {5, kLater}},
    {"CountNegative", {"fouten=-1", kAt}, {5, kLater}},
    {"CountWithPlus", {"fouten=+8", kAt}, {5, kLater}},
    {"CountWithSpace", {"fouten= 8", kAt}, {5, kLater}},
    {"CountTooLarge", {"fouten=99999999999", kAt}, {5, kLater}},
    {"MomentNoDate", {"fouten=8", "laatstefout=10:00:00"}, {8, kLater}},
    {"MomentImpossibleDate", {"fouten=8", "laatstefout=2026-02-30 10:00:00"}, {8, kLater}},
    {"MomentTrailingText", {"fouten=8", "laatstefout=2026-12-07 10:00:00x"}, {8, kLater}},
    {"StrangeLine", {"fouten=8", kAt, "zzz"}, {5, kLater}},
    {"StrangeLineFirst", {"zzz", "fouten=2", kAt}, {5, kLater}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Rows, LoginAttemptsFile, ::testing::ValuesIn(kFiles), RowName<ParseRow>);

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

const RemainingRow kRemaining[] = {
    {"FreeTriesNeverWait", 4, 0, 0},
    {"JustAfter", 6, 0, 60},
    {"PartWay", 6, 45, 15},
    {"Over", 6, 60, 0},
    {"LongOver", 6, 86400, 0},
    {"ClockSetBackASecond", 6, -1, 60},
    {"ClockSetBackADayWaitsNoLonger", 10, -86400, 900},
    {"ClockSetBackFreeTriesStillFree", 3, -3600, 0},
};

INSTANTIATE_TEST_SUITE_P(Rows, LoginRemainingWait, ::testing::ValuesIn(kRemaining),
                         RowName<RemainingRow>);

}  // namespace
