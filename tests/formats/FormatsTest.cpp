// The data files' formats as both the program and the family install's helper read them.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "basics/CivilTime.h"
#include "family/VisitLog.h"
#include "formats/LoginCount.h"
#include "formats/Numbers.h"
#include "formats/Pictures.h"
#include "formats/Replace.h"
#include "formats/Requests.h"
#include "formats/UsedTime.h"
#include "formats/VisitLogLines.h"
#include "formats/WeekTime.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {

TEST(Formats, BoundedNumbersAreDigitsOnlyAndInRange) {
    struct Row {
        const char* text;
        long long min, max;
        std::optional<long long> read;
    };
    for (const Row& row : std::vector<Row>{
             {"0", 0, 10, 0},
             {"10", 0, 10, 10},
             {"11", 0, 10, std::nullopt},
             {"007", 0, 10, 7},
             {"", 0, 10, std::nullopt},
             {"-1", -5, 10, std::nullopt},
             {"+1", 0, 10, std::nullopt},
             {" 1", 0, 10, std::nullopt},
             {"1x", 0, 10, std::nullopt},
             {"4", 5, 10, std::nullopt},
             {"999999999999999999", 0, 1'000'000'000'000'000'000, 999999999999999999},
             {"9999999999999999999", 0, 1'000'000'000'000'000'000, std::nullopt},
         }) {
        EXPECT_EQ(formats::ParseBoundedNumber(row.text, row.min, row.max), row.read) << row.text;
    }
}

TEST(Formats, UsedTimeTakesADayAtMostAndEveryLine) {
    struct Row {
        Lines lines;
        std::optional<long long> seconds;  // nothing: damaged
    };
    for (const Row& row : std::vector<Row>{
             {{"datum=2026-12-09", "tijd=08:00:00", "seconden=600", "extraminuten=15"}, 600},
             {{"datum=2026-12-09", "tijd=08:00:00", "seconden=86400", "extraminuten=0"}, 86400},
             {{"datum=2026-12-09", "tijd=08:00:00", "seconden=86401", "extraminuten=0"}, {}},
             {{"datum=2026-12-09", "tijd=08:00:00", "seconden=172800", "extraminuten=0"}, {}},
             {{"datum=2026-12-09", "tijd=08:00:00", "seconden=600", "extraminuten=1441"}, {}},
             {{"datum=2026-12-09", "seconden=600", "extraminuten=0"}, {}},
             {{"datum=2026-02-30", "tijd=08:00:00", "seconden=600", "extraminuten=0"}, {}},
             {{" datum = 2026-12-09 ", "tijd=08:00:00", "seconden=1", "extraminuten=0"}, 1},
             {{"datum=2026-12-09", "tijd=08:00:00", "seconden=5", "seconden=7", "extraminuten=0"},
              7},
             {{"datum=2026-12-09", "tijd=08:00:00", "seconden=lots", "extraminuten=0"}, {}},
         }) {
        const auto used = formats::ParseUsedTime(row.lines);
        EXPECT_EQ(used ? std::optional(used->secondsUsed) : std::nullopt, row.seconds)
            << row.lines[0] << " " << row.lines[row.lines.size() - 2];
    }
    const formats::UsedTime written{{{2026, 12, 9}, 8 * 3600 + 5}, 86400, 1440};
    const auto back = formats::ParseUsedTime(formats::UsedTimeLines(written));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->lastSeen.date, written.lastSeen.date);
    EXPECT_EQ(back->lastSeen.secondsOfDay, written.lastSeen.secondsOfDay);
    EXPECT_EQ(back->secondsUsed, 86400);
    EXPECT_EQ(back->extraMinutes, 1440);
}

TEST(Formats, WeekTimeKeepsTwoWeeksOnlyForwardsAndPassesOverDamagedDays) {
    const Lines stored = {"2026-12-09=30", "2026-11-20=50", "2026-12-08=x",
                          "rubbish",       "2026-02-30=5",  "2026-12-07=1441",
                          "2026-12-06=20", "2026-12-06=99", "2026-12-08=1440"};
    const auto days = formats::ParseWeekTime(stored);
    EXPECT_EQ(formats::WeekTimeLines(days),
              (Lines{"2026-11-20=50", "2026-12-06=20", "2026-12-08=1440", "2026-12-09=30"}));
    struct Row {
        basics::Date today;
        int minutes;
        Lines expected;
    };
    for (const Row& row : std::vector<Row>{
             // A lower count (another run's) leaves the day; a day two weeks old goes.
             {{2026, 12, 9}, 10, {"2026-12-06=20", "2026-12-08=1440", "2026-12-09=30"}},
             {{2026, 12, 9}, 45, {"2026-12-06=20", "2026-12-08=1440", "2026-12-09=45"}},
             {{2026, 12, 10},
              5,
              {"2026-12-06=20", "2026-12-08=1440", "2026-12-09=30", "2026-12-10=5"}},
             // A clock set back: the days after it go, and nothing older than two weeks stays.
             {{2026, 12, 7}, 3, {"2026-12-06=20", "2026-12-07=3"}},
             {{2026, 12, 3}, 1, {"2026-11-20=50", "2026-12-03=1"}},
         }) {
        EXPECT_EQ(formats::WeekTimeLines(formats::WithToday(days, row.today, row.minutes)),
                  row.expected)
            << basics::DateText(row.today) << "=" << row.minutes;
    }
}

TEST(Formats, LoginCountNeedsBothLinesAndNothingElse) {
    struct Row {
        Lines lines;
        std::optional<formats::LoginCount> count;
    };
    const long long moment = basics::LocalSeconds({{2025, 12, 9}, 3 * 3600});
    for (const Row& row : std::vector<Row>{
             {{"fouten=3", "laatstefout=2025-12-09 03:00:00"}, formats::LoginCount{3, moment}},
             {{"laatstefout=2025-12-09 03:00:00", "fouten=0", ""}, formats::LoginCount{0, moment}},
             {{"fouten=3"}, {}},
             {{"fouten=-3", "laatstefout=2025-12-09 03:00:00"}, {}},
             {{"fouten=+3", "laatstefout=2025-12-09 03:00:00"}, {}},
             {{"fouten=3", "laatstefout=2025-12-09"}, {}},
             {{"fouten=3", "laatstefout=2025-12-09 03:00:00", "extra"}, {}},
             {{}, {}},
         }) {
        EXPECT_EQ(formats::ParseLoginCount(row.lines), row.count) << row.lines.size();
    }
    const formats::LoginCount count{7, moment + 59};
    EXPECT_EQ(formats::ParseLoginCount(formats::LoginCountLines(count)), count);
}

TEST(Formats, PictureNamesAreOnlyThoseTheProgramGives) {
    for (const char* address :
         {"http://www.pbskids.org/", "  https://x.example/a?b=c  ", "", "ÉÉÉ",
          "http://a-very-long-address.example/with/many/parts/that/go/on/and/on/and/on"}) {
        const std::string name = formats::pictures::FileNameOf(address);
        EXPECT_TRUE(formats::pictures::IsFileName(name)) << address << " gives " << name;
    }
    EXPECT_EQ(formats::pictures::FileNameOf(" http://x.org "),
              formats::pictures::FileNameOf("http://x.org"));
    EXPECT_NE(formats::pictures::FileNameOf("http://x.org/a"),
              formats::pictures::FileNameOf("http://x.org/A"));
    for (const char* name : {"a.png", "a-1.png", "0123456789abcdef.png"}) {
        EXPECT_TRUE(formats::pictures::IsFileName(name)) << name;
    }
    for (const std::string& name :
         {std::string(".png"), std::string("-a.png"), std::string("A.png"), std::string("a.txt"),
          std::string("../a.png"), std::string("a/b.png"), std::string("a.png.png.x"),
          std::string(".a.png.lanternwick-save-ABCDEF"), std::string(58, 'a') + ".png"}) {
        EXPECT_FALSE(formats::pictures::IsFileName(name)) << name;
    }
    const std::string png = std::string(formats::pictures::kSignature) + "data";
    EXPECT_TRUE(formats::pictures::IsAcceptable(png, false));
    EXPECT_TRUE(formats::pictures::IsAcceptable("", true));
    EXPECT_FALSE(formats::pictures::IsAcceptable("", false));
    EXPECT_FALSE(formats::pictures::IsAcceptable("GIF89a", true));
    EXPECT_FALSE(formats::pictures::IsAcceptable(
        png + std::string(formats::pictures::kMaxBytes, 'x'), true));
}

TEST(Formats, VisitLogTakesOnlyItsOwnLines) {
    // What the program itself writes, in any of the clock's formats.
    for (const std::string& line :
         {family::ReachedPageEntry("http://zoo.example/", "9-12-2026", "08:00:00"),
          family::ReachedPageEntry("https://x.example/a?b=c", "12/09/26", "8:00:00 PM"),
          std::string(family::kRunSeparator), std::string("http://refused.example/bad")}) {
        EXPECT_TRUE(formats::visitlog::IsLine(line)) << line;
    }
    for (const std::string& line :
         {std::string(""), std::string("entry 1"), std::string("http://x --> Datum: "),
          std::string("http://x --> Datum: 9-12-2026"),
          std::string("two words --> Datum: 9-12-2026 Tijd: 08:00:00"),
          std::string("http://x\t --> Datum: 9-12-2026 Tijd: 08:00:00"),
          std::string("http://x\x1b[2J"),
          "http://x --> Datum: 9-12-2026 Tijd: " + std::string(41, '0'),
          "http://" + std::string(formats::visitlog::kMaxLineBytes, 'x')}) {
        EXPECT_FALSE(formats::visitlog::IsLine(line)) << line;
        // The program escapes such an entry rather than have the whole log refused.
        const std::string sent = formats::visitlog::Acceptable(line);
        EXPECT_TRUE(sent.empty() ? line.empty() : formats::visitlog::IsLine(sent)) << line;
    }
    EXPECT_EQ(formats::visitlog::Acceptable("two words --> Datum: 9-12-2026 Tijd: 08:00:00"),
              "two%20words --> Datum: 9-12-2026 Tijd: 08:00:00");
    EXPECT_EQ(formats::visitlog::Acceptable("http://x\x1b[2J"), "http://x%1B[2J");
    EXPECT_EQ(
        formats::visitlog::Acceptable(std::string(formats::visitlog::kMaxLineBytes - 1, 'x') + " "),
        std::string(formats::visitlog::kMaxLineBytes - 1, 'x'));
}

TEST(Formats, RequestsAreAddressesEachOnceAndAtMostFifty) {
    namespace requests = formats::requests;
    auto list = requests::Parse({"http://a.example/", "", "two words", "http://a.example/",
                                 "http://b.example/\x01", "http://" + std::string(2100, 'x'),
                                 "http://c.example/"});
    EXPECT_EQ(list, (std::vector<std::string>{"http://a.example/", "http://c.example/"}));
    EXPECT_EQ(requests::Add(list, "http://a.example/"), requests::Added::AlreadyThere);
    EXPECT_EQ(requests::Add(list, "http://x.example/ y"), requests::Added::NotAnAddress);
    for (int i = 3; i <= 50; ++i) {
        ASSERT_EQ(requests::Add(list, "http://" + std::to_string(i) + ".example/"),
                  requests::Added::Added);
    }
    EXPECT_EQ(requests::Add(list, "http://51.example/"), requests::Added::Full);
    EXPECT_EQ(list.size(), requests::kMaxRequests);
    // A file made longer by hand is read up to the bound.
    list.push_back("http://51.example/");
    EXPECT_EQ(requests::Parse(list).size(), requests::kMaxRequests);
}

TEST(Formats, UnfinishedCopiesAreKnownByTheirWholeName) {
    struct Row {
        const char* entry;
        std::optional<std::string_view> target;
    };
    for (const Row& row : std::vector<Row>{
             {".words.txt.lanternwick-save-A1b2C3", "words.txt"},
             {".a-1.png.lanternwick-save-zzzzzz", "a-1.png"},
             {".words.txt.lanternwick-save-A1b2C", std::nullopt},
             {".words.txt.lanternwick-save-A1b2C3D", std::nullopt},
             {".words.txt.lanternwick-save-A1b-C3", std::nullopt},
             {"words.txt.lanternwick-save-A1b2C3", std::nullopt},
             {"..lanternwick-save-A1b2C3", std::nullopt},
             {"wordsBackup", std::nullopt},
         }) {
        EXPECT_EQ(formats::UnfinishedWriteTarget(row.entry), row.target) << row.entry;
    }
    EXPECT_TRUE(formats::IsUnfinishedWriteOf(".words.txt.lanternwick-save-A1b2C3", "words.txt"));
    EXPECT_FALSE(formats::IsUnfinishedWriteOf(".words.txt.lanternwick-save-A1b2C3", "ords.txt"));
}

// The test's seam: between the copy on disk and the rename, the old file is still whole and the
// copy is there under a name start-up and the helper clear away.
TEST(Formats, TheReplaceIsWholeAtItsLastStepAndLeavesNothingBehind) {
    testsupport::TempFolder folder;
    folder.Put("words.txt", "old\r\n");
    const std::string path = folder.File("words.txt");
    std::vector<std::string> seen;
    formats::SetWriteStepHook([&](std::string_view file) {
        seen.push_back(std::string(file) + " holds " + folder.Get("words.txt"));
        for (const auto& entry : fs::directory_iterator(folder.Path())) {
            const std::string name = entry.path().filename().string();
            if (formats::IsUnfinishedWriteOf(name, "words.txt")) {
                seen.push_back("copy holds " + folder.Get(name));
            }
        }
    });
    const auto written = formats::ReplaceFile(path, "new\r\n", 0640);
    formats::SetWriteStepHook({});
    EXPECT_TRUE(written.ok) << written.reason;
    EXPECT_EQ(seen, (Lines{path + " holds old\r\n", "copy holds new\r\n"}));
    EXPECT_EQ(folder.Get("words.txt"), "new\r\n");
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1);
    formats::ReplaceFile(path, "again\r\n");
    EXPECT_EQ(seen.size(), 2u);  // the hook is gone
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);  // a replaced file keeps its mode

    // Only the copies of the files named go, never through a link, and nothing a person named.
    for (const char* name : {".words.txt.lanternwick-save-A1b2C3", ".other.lanternwick-save-A1b2C3",
                             "words.txt.bak", ".words.txt.lanternwick-save-A1b2"}) {
        folder.Put(name, "x");
    }
    folder.Put("target", "kept");
    fs::create_symlink(folder.File("target"), folder.File(".adressen.txt.lanternwick-save-zzzzzz"));
    const int removed = formats::RemoveUnfinishedWrites(folder.Path(), [](std::string_view file) {
        return file == "words.txt" || file == "adressen.txt";
    });
    EXPECT_EQ(removed, 1);
    EXPECT_FALSE(fs::exists(folder.File(".words.txt.lanternwick-save-A1b2C3")));
    for (const char* name : {".other.lanternwick-save-A1b2C3", "words.txt.bak",
                             ".words.txt.lanternwick-save-A1b2", "target"}) {
        EXPECT_TRUE(fs::exists(folder.File(name))) << name;
    }
    EXPECT_EQ(folder.Get("target"), "kept");
}

}  // namespace
