#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "account/Login.h"
#include "family/FamilyModel.h"
#include "support/TempFolder.h"

namespace {

using Change = family::FamilyModel::Change;
using Lines = std::vector<std::string>;

class StoppedClock : public basics::Clock {
public:
    std::string DateText() override { return "9-12-2026"; }
    std::string TimeText() override { return "08:00:00"; }
    double SteadySeconds() override { return 100; }
    basics::LocalTime Now() override {
        if (broken) {
            throw std::runtime_error("no clock");
        }
        return {{2026, 12, 7}, 8 * 3600};  // a Monday
    }
    bool broken = false;
};

struct Family : ::testing::Test {
    testsupport::TempFolder folder;
    storage::DataFiles data{folder.Path()};
    StoppedClock clock;
    family::FamilyModel model{data, clock};
    std::vector<Change> told;

    void SetUp() override {
        model.Observe([this](Change change) { told.push_back(change); });
    }
};

TEST_F(Family, ChangesHoldAtOnceAreToldAndKnowWhatDiffersFromTheFiles) {
    folder.Put("adressen.txt", "Kids                 pbskids.org\r\n");
    folder.Put("startpagina.txt",
               "Home                 http://one.example/\r\n"
               "Home                 http://two.example/\r\n");
    folder.Put("instellingen.txt", "alleentoegestaan=1\r\n");
    model.LoadSites();
    model.LoadStartPage();
    model.LoadSettings();
    EXPECT_FALSE(model.SitesPending());
    EXPECT_EQ(model.StartAddress(), "http://two.example/");
    EXPECT_TRUE(model.AllowedSitesOnly());
    EXPECT_FALSE(model.AllowedSitesOnlyTurned());

    told.clear();
    model.AddSite("Starfall             starfall.com");
    model.DeleteSite(0);
    model.DeleteSite(5);  // nothing there: nothing changes
    model.SetAllowedSitesOnly(false);
    EXPECT_EQ(told, (std::vector<Change>{Change::Sites, Change::Sites, Change::AllowedSitesOnly}));
    EXPECT_TRUE(model.SitesPending());
    EXPECT_TRUE(model.AllowedSitesOnlyTurned());
    EXPECT_EQ(model.AllowedAddresses(),
              (Lines{"starfall.com", "http://one.example/", "http://two.example/"}));

    model.AddBareAddress("http://x.example/");
    model.AddReachedPage("http://x.example/");
    EXPECT_EQ(model.VisitLog(), (Lines{"http://x.example/",
                                       "http://x.example/ --> Datum: 9-12-2026 Tijd: 08:00:00"}));
}

TEST_F(Family, ABudgetThatCannotBeMadeKeepsTheLimitUntilTheParentIsTold) {
    folder.Put("instellingen.txt", "minutenmaandag=30\r\n");
    model.LoadSettings();
    clock.broken = true;
    model.StartTimeBudget();
    EXPECT_TRUE(model.TimeIsUp());
    const auto failure = model.TakeTimeFailure();
    ASSERT_TRUE(failure);
    EXPECT_TRUE(failure->atStart);
    EXPECT_EQ(failure->reason, "no clock");
    EXPECT_FALSE(model.TakeTimeFailure());  // told once

    // The parent sets the limits again: with a clock that works the day counts as it should.
    clock.broken = false;
    model.SetLimits(model.Limits());
    EXPECT_FALSE(model.TimeIsUp());
    ASSERT_NE(model.Budget(), nullptr);
    EXPECT_EQ(model.Budget()->RemainingMinutes(), 30);
}

// "Log out and save": which files, in which order, and what the settings file then says. A
// setting the parent left alone keeps what the file says now, whatever it said at the start.
TEST_F(Family, ASaveWritesTheListsThenOnlyTheSettingsTheParentChanged) {
    struct Row {
        const char* what;
        std::optional<std::string> fileAtStart;  // "instellingen.txt"; none: no file
        std::function<void(family::FamilyModel&)> change;
        std::optional<std::string> fileMeanwhile;  // written by someone else during the run
        std::optional<std::string> after;          // none: the file is not written
    };
    const std::vector<Row> rows = {
        {"nothing set, no file", std::nullopt, [](auto&) {}, std::nullopt, std::nullopt},
        {"switch on, no file", std::nullopt, [](auto& m) { m.SetAllowedSitesOnly(true); },
         std::nullopt, "alleentoegestaan=1\r\n"},
        {"switch on and off again, no file", std::nullopt,
         [](auto& m) {
             m.SetAllowedSitesOnly(true);
             m.SetAllowedSitesOnly(false);
         },
         std::nullopt, std::nullopt},
        {"a limit, unknown lines kept in order", "x = y\r\nalleentoegestaan=1\r\n",
         [](auto& m) { m.SetLimits({30}); }, std::nullopt,
         "x = y\r\nalleentoegestaan=1\r\nminutenmaandag=30\r\n"},
        {"a limit taken away", "minutenmaandag=30\r\nminutenzondag=60\r\n",
         [](auto& m) {
             m.SetLimits({std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
                          std::nullopt, 60});
         },
         std::nullopt, "minutenzondag=60\r\n"},
        {"pictures turned, the switch set meanwhile is kept", "plaatjes=0\r\n",
         [](auto& m) { m.SetSitePictures(true); }, "plaatjes=0\r\nalleentoegestaan=1\r\n",
         "plaatjes=1\r\nalleentoegestaan=1\r\n"},
        {"reading aloud on, no file", std::nullopt, [](auto& m) { m.SetReadAloud(true); },
         std::nullopt, "voorlezen=1\r\n"},
        {"reading aloud turned off, the pictures kept", "voorlezen=1\r\nplaatjes=1\r\n",
         [](auto& m) { m.SetReadAloud(!m.ReadAloud()); }, std::nullopt,
         "voorlezen=0\r\nplaatjes=1\r\n"},
    };
    for (const auto& row : rows) {
        testsupport::TempFolder here;
        storage::DataFiles files{here.Path()};
        family::FamilyModel m{files, clock};
        if (row.fileAtStart) {
            here.Put("instellingen.txt", *row.fileAtStart);
        }
        m.LoadSettings();
        row.change(m);
        if (row.fileMeanwhile) {
            here.Put("instellingen.txt", *row.fileMeanwhile);
        }
        std::vector<std::string> written;
        files.OnWrite([&](const std::string& name) { written.push_back(name); });
        const auto report = m.Save();
        EXPECT_TRUE(report.ok) << row.what;
        Lines expected = {"adressen.txt", "startpagina.txt", "bezochtesites.txt"};
        if (row.after) {
            expected.push_back("instellingen.txt");
            EXPECT_EQ(here.Get("instellingen.txt"), *row.after) << row.what;
        }
        EXPECT_EQ(written, expected) << row.what;
        EXPECT_EQ(report.written, expected) << row.what;
        if (!row.fileMeanwhile) {
            EXPECT_FALSE(m.DiffersFromStored()) << row.what;
        }
        written.clear();
        m.Save();  // saved: the next save puts nothing new into the settings file
        EXPECT_EQ(written.size(), 3u) << row.what;
    }
}

TEST_F(Family, AFailedSaveStopsAtThatFileAndAnUnreadableSettingsFileIsNotOverwritten) {
    model.LoadSettings();
    model.SetAllowedSitesOnly(true);
    std::filesystem::create_directory(folder.File("instellingen.txt"));
    auto report = model.Save();
    EXPECT_FALSE(report.ok);
    EXPECT_TRUE(report.unreadable);
    EXPECT_EQ(report.failedFile, "instellingen.txt");
    EXPECT_EQ(report.written, (Lines{"adressen.txt", "startpagina.txt", "bezochtesites.txt"}));
    EXPECT_TRUE(model.AllowedSitesOnlyTurned()) << "kept for the next save";

    for (const char* name : {"instellingen.txt", "adressen.txt", "startpagina.txt"}) {
        std::filesystem::remove(folder.File(name));
    }
    std::filesystem::create_directory(folder.File("adressen.txt"));
    model.AddSite("Zoo                  zoo.example");
    report = model.Save();
    EXPECT_FALSE(report.ok);
    EXPECT_FALSE(report.unreadable);
    EXPECT_EQ(report.failedFile, "adressen.txt");
    EXPECT_FALSE(report.reason.empty());
    EXPECT_TRUE(report.written.empty());
    EXPECT_TRUE(model.SitesPending());
    EXPECT_FALSE(std::filesystem::exists(folder.File("startpagina.txt")));
}

TEST_F(Family, TheLogAddsToItsFileSoAnotherRunsEntriesStayAndAClearWritesItWhole) {
    folder.Put("bezochtesites.txt", "old\r\n");
    model.LoadVisitLog();
    model.AddBareAddress("http://a/");
    ASSERT_TRUE(model.WriteVisitLog(false).ok);
    std::ofstream(data.PathOf("bezochtesites.txt"), std::ios::app) << "other run\r\n";
    model.AddBareAddress("http://b/");
    ASSERT_TRUE(model.WriteVisitLog(true).ok);
    const std::string separator(23, '-');
    EXPECT_EQ(data.Read("bezochtesites.txt"),
              (Lines{"old", "http://a/", "other run", "http://b/", separator}));

    model.ClearVisitLog();
    model.AddBareAddress("http://c/");
    ASSERT_TRUE(model.WriteVisitLog(true).ok);
    EXPECT_EQ(data.Read("bezochtesites.txt"), (Lines{"http://c/", separator}));
}

TEST_F(Family, TheLanguageChoiceIsStoredTwiceAndTheFirstLineIsWhatIsRead) {
    folder.Put("languagechoose.txt", "Dutch\r\nEnglish\r\n");
    model.LoadLanguage();
    EXPECT_EQ(model.StoredLanguage(), "Dutch");
    EXPECT_EQ(model.LanguageChoice(), "Dutch");
    model.SetLanguageChoice("English");
    ASSERT_TRUE(model.StoreLanguageChoice().ok);
    EXPECT_EQ(folder.Get("languagechoose.txt"), "English\r\nEnglish\r\n");
}

// The login's count of wrong tries, on a clock the test moves: a steady one for the wait in a
// run, a wall clock for the wait across a restart.
class MovedClock : public basics::Clock {
public:
    std::string DateText() override { return "9-12-2026"; }
    std::string TimeText() override { return "08:00:00"; }
    double SteadySeconds() override { return steady; }
    basics::LocalTime Now() override { return basics::LocalTimeFromSeconds(wall); }
    void Pass(double seconds) {
        steady += seconds;
        wall += static_cast<long long>(seconds);
    }
    double steady = 1000;
    long long wall = basics::LocalSeconds({{2026, 12, 7}, 8 * 3600});
};

struct LoginCount : ::testing::Test {
    testsupport::TempFolder folder;
    storage::DataFiles data{folder.Path()};
    MovedClock clock;

    void SetUp() override {
        folder.Put("paswoordNaam.txt", "parents\r\n");
        folder.Put("paswoordNr.txt", "Lantern wick\r\n");
    }
    static bool Opens(family::ParentLogin& login) {
        return login.Try("parents", "Lantern wick").Right();
    }
    static void WrongTries(family::ParentLogin& login, int tries) {
        for (int i = 0; i < tries; ++i) {
            EXPECT_FALSE(login.Try("parents", "guess").waiting) << "try " << i;
        }
    }
};

TEST(LoginWait, FreeForFiveWrongTriesThenDoublingFromHalfAMinuteToAQuarterHour) {
    std::vector<double> waits;
    for (int wrong = 4; wrong <= 11; ++wrong) {
        waits.push_back(account::WaitAfter(wrong));
    }
    EXPECT_EQ(waits, (std::vector<double>{0, 30, 60, 120, 240, 480, 900, 900}));
}

TEST_F(LoginCount, ARightPasswordDuringTheWaitIsRefusedAndTakenAfterItTellingTheCountOnce) {
    family::ParentLogin login(data, clock);
    EXPECT_TRUE(Opens(login));
    EXPECT_FALSE(std::filesystem::exists(folder.File("inlogpogingen.txt")));  // nothing counted

    WrongTries(login, 5);
    EXPECT_DOUBLE_EQ(login.SecondsToWait(), 30);
    clock.Pass(29);
    const auto refused = login.Try("parents", "Lantern wick");
    EXPECT_TRUE(refused.waiting);
    EXPECT_TRUE(refused.outcomes.empty());
    clock.Pass(1);
    EXPECT_TRUE(Opens(login));
    EXPECT_EQ(login.TakeWrongTriesToTell(), 5);
    EXPECT_EQ(login.TakeWrongTriesToTell(), 0);
    WrongTries(login, 5);  // the right login started the count afresh
}

TEST_F(LoginCount, TheCountSurvivesARestartAndASetBackClockOrDamagedFileGivesNoTime) {
    {
        family::ParentLogin login(data, clock);
        WrongTries(login, 5);
        clock.Pass(30);
        EXPECT_FALSE(login.Try("Parents", "Lantern wick").waiting);  // the sixth: a minute now
    }
    clock.Pass(20);
    clock.steady = 5;  // a new boot: the steady clock starts again
    {
        family::ParentLogin restarted(data, clock);
        EXPECT_DOUBLE_EQ(restarted.SecondsToWait(), 40);
    }
    clock.wall -= 3600;
    EXPECT_DOUBLE_EQ(family::ParentLogin(data, clock).SecondsToWait(), 60);

    folder.Put("inlogpogingen.txt", "fouten=2x\r\n");
    family::ParentLogin damaged(data, clock);
    EXPECT_DOUBLE_EQ(damaged.SecondsToWait(), 30);
    clock.Pass(30);
    EXPECT_TRUE(Opens(damaged));
    EXPECT_EQ(damaged.TakeWrongTriesToTell(), 5);
}

}  // namespace

// The parent's view of the day: which pages took how long, and what was not opened.
TEST(Activity, TodaysRowsAndTheWeekFromTheLog) {
    const std::string sep = "-----------------------";
    auto at = [](const std::string& address, const std::string& date, const std::string& time) {
        return address + " --> Datum: " + date + " Tijd: " + time;
    };
    const std::string kids = "http://kidstv.example/";
    const std::string games = "http://games.example/play/";
    struct Row {
        std::string what;
        std::string todayText;
        Lines log;
        Lines rows;         // name minutes, or name "refused" tries
        int yesterday = 0;  // minutes of the day before
        int today = 0;
    };
    const std::vector<Row> table{
        {"two days",
         "9-12-2026",
         {at(kids, "8-12-2026", "10:00:00"), at(kids + "a", "8-12-2026", "10:04:00"), sep,
          at(games + "x", "9-12-2026", "15:00:00"),
          at("http://www.other.example/p", "9-12-2026", "15:03:00"),
          at("http://other.example/q", "9-12-2026", "15:23:00"), sep},
         {"other.example 6", "Games 3"},
         5,
         9},
        {"a refused try beside a site opened by its button",
         "9-12-2026",
         {kids, at(kids, "9-12-2026", "09:00:00"), "http://casino.example/x", sep,
          "http://casino.example/y"},
         {"Kids TV 1", "casino.example refused 2"},
         0,
         1},
        {"a run that ended without its line of hyphens",
         "9-12-2026",
         {at(kids, "9-12-2026", "09:00:00"), at(kids + "b", "9-12-2026", "09:02:00"),
          at(games, "9-12-2026", "17:00:00"), "http://bad.example/"},
         {"Kids TV 7", "Games 1", "bad.example refused 1"},
         0,
         8},
        {"damaged lines",
         "9-12-2026",
         {at(kids, "9-12-2026", "09:00:00"), "garbage with blanks --> Datum",
          at(kids + "x", "31-02-2026", "09:01:00"), at(kids + "y", "9-12-2026", "25:01:00"),
          at(kids + "z", "9-12-2026", "09:03:00"), sep},
         {"Kids TV 4"},
         0,
         4},
        {"a clock that writes month first, with AM and PM",
         "12/09/26",
         {at(kids, "12/08/26", "9:00:00 PM"), at(kids, "12/09/26", "9:00:00 AM"), sep},
         {"Kids TV 1"},
         1,
         1},
    };
    for (const Row& row : table) {
        family::ActivityInput input;
        input.log = &row.log;
        input.today = {2026, 12, 9};
        input.todayText = row.todayText;
        input.sites = {"Kids TV              " + kids, "Games                " + games};
        const auto activity = family::SummarizeActivity(input);
        Lines rows;
        for (const auto& r : activity.today) {
            rows.push_back(r.name + (r.refused ? " refused " + std::to_string(r.tries)
                                               : " " + std::to_string(r.minutes)));
        }
        EXPECT_EQ(rows, row.rows) << row.what;
        EXPECT_EQ(activity.week[5].minutes, row.yesterday) << row.what;
        EXPECT_EQ(activity.week[6].minutes, row.today) << row.what;
    }

    // The counted minutes come before the log's, a day's limit stands beside it.
    family::ActivityInput input;
    input.log = &table[0].log;
    input.today = {2026, 12, 9};
    input.todayText = "9-12-2026";
    input.counted = {{{2026, 12, 3}, 40}, {{2026, 12, 8}, 25}};
    input.countedToday = 12;
    input.limits[2] = 60;  // Wednesdays
    const auto week = family::SummarizeActivity(input).week;
    EXPECT_EQ(week[0].date, (basics::Date{2026, 12, 3}));
    EXPECT_EQ(week[0].minutes, 40);
    EXPECT_EQ(week[5].minutes, 25);
    EXPECT_EQ(week[6].minutes, 12);
    EXPECT_EQ(week[6].limit, 60);
    EXPECT_EQ(week[5].limit, std::nullopt);

    // A long log: 100 runs of 1,999 pages two seconds apart on 20 hosts, with their separators.
    Lines log;
    for (int run = 0; run < 100; ++run) {
        for (int page = 0; page < 1999; ++page) {
            log.push_back(at("http://h" + std::to_string(page % 20) + ".example/", "9-12-2026",
                             basics::TimeOfDayText(page * 2)));
        }
        log.push_back(sep);
    }
    ASSERT_EQ(log.size(), 200000u);
    input.log = &log;
    input.counted.clear();
    input.countedToday.reset();
    const auto many = family::SummarizeActivity(input);
    EXPECT_EQ(many.week[6].minutes, 100 * (1998 * 2 + 60) / 60);
    EXPECT_EQ(many.today.size(), 20u);
}

// The week's file follows the counted minutes where the settings file is, and only there.
TEST(Activity, TheCountedMinutesReachTheWeekOnlyWhereTheSettingsFileIs) {
    for (const bool settings : {false, true}) {
        testsupport::TempFolder folder;
        storage::DataFiles data{folder.Path()};
        MovedClock clock;
        family::FamilyModel model{data, clock};
        model.SetLimits({60});  // Mondays; without the file the parent sets it in this run
        if (settings) {
            folder.Put("instellingen.txt", "minutenmaandag=60\r\n");
            model.LoadSettings();
        }
        model.StartTimeBudget();
        for (int second = 0; second < 150; ++second) {
            clock.Pass(1);
            model.Tick(true);
        }
        EXPECT_EQ(std::filesystem::exists(folder.File("tijdperweek.txt")), settings);
        using Days = std::vector<formats::DayMinutes>;
        const Days expected = settings ? Days{{{2026, 12, 7}, 2}} : Days{};
        EXPECT_EQ(family::ReadWeekTime(data), expected);
    }
}
