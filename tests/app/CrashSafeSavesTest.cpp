// Saves killed part-way: the program is killed (SIGKILL, nothing of it runs after) at a random
// moment of "Log out and save", the blocked-words Save, the password change and the close of
// the browser window. Every data file must then hold its whole old or its whole new content,
// and the copies a killed write leaves beside the files must be gone after the next start
// without ever being read in place of a data file.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "DataFolder.h"
#include "DriverRun.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using namespace testsupport;

namespace {

bool IsDataFile(const std::string& name) {
    return std::find(kDataFiles.begin(), kDataFiles.end(), name) != kDataFiles.end();
}

// The data files as a save starts from: big enough that writing them takes a measurable time,
// so that random kills land inside the writes and not only before or after them.
void PutFiles(const fs::path& folder) {
    std::vector<std::string> log;
    for (int i = 0; i < 15000; ++i) {
        log.push_back("http://site" + std::to_string(i % 50) + ".example/page/" +
                      std::to_string(i) + " --> Datum: 7-12-2026 Tijd: 21:45:09");
    }
    std::vector<std::string> words;
    for (int i = 0; i < 15000; ++i) {
        words.push_back("blockedword" + std::to_string(i));
    }
    WriteBytes(folder / "adressen.txt", CrLf({"Zoo                  zoo.example",
                                              "Kids                 https://kids.example/"}));
    WriteBytes(folder / "words.txt", CrLf(words));
    WriteBytes(folder / "bezochtesites.txt", CrLf(log));
    WriteBytes(folder / "startpagina.txt", CrLf({"Home                 http://home.example/"}));
    WriteBytes(folder / "languagechoose.txt", CrLf({"English", "English"}));
    WriteBytes(folder / "paswoordNaam.txt", CrLf({"parents"}));
    WriteBytes(folder / "paswoordNr.txt", CrLf({"Lantern wick"}));
}

std::map<std::string, std::string> DataBytes(const Snapshot& snapshot) {
    std::map<std::string, std::string> bytes;
    for (const auto& [name, entry] : snapshot) {
        if (IsDataFile(name)) {
            bytes[name] = entry.bytes;
        }
    }
    return bytes;
}

std::vector<std::string> Leftovers(const Snapshot& snapshot) {
    std::vector<std::string> names;
    for (const auto& [name, entry] : snapshot) {
        // The login's count is no leftover: the start after a changed password logs in with the
        // old one, and a wrong try is counted.
        if (!IsDataFile(name) && name != "inlogpogingen.txt") {
            names.push_back(name);
        }
    }
    return names;
}

// The name a save gives the copy it writes: a dot, the data file's name, ".lanternwick-save-"
// and six letters or digits.
bool LooksLikeUnfinishedWrite(const std::string& name) {
    for (const auto& file : kDataFiles) {
        const std::string prefix = "." + file + ".lanternwick-save-";
        if (name.size() == prefix.size() + 6 && name.starts_with(prefix)) {
            return true;
        }
    }
    return false;
}

struct Action {
    const char* name;
    std::vector<std::string> steps;
    std::set<std::string> writes;  // the files it replaces
};

void PrintTo(const Action& action, std::ostream* out) {
    *out << action.name;
}

const Action kActions[] = {
    {"LogOutAndSave",
     {"save"},
     {"adressen.txt", "startpagina.txt", "bezochtesites.txt", "languagechoose.txt"}},
    {"BlockedWordsSave", {"words:newword"}, {"words.txt"}},
    {"PasswordChange", {"password:changed secret"}, {"paswoordNr.txt"}},
    {"BrowserWindowClose", {"close"}, {"bezochtesites.txt"}},
};

// One case per action, so the kills of two actions run side by side.
class KilledSaves : public ::testing::TestWithParam<Action> {};

TEST_P(KilledSaves, LeaveEveryFileWholeOldOrWholeNew) {
    const std::vector<Action> actions = {GetParam()};
    constexpr int kKillsPerAction = 13;
    // Fixed, so that a failing run can be repeated; LANTERNWICK_KILL_SEED tries other moments.
    const char* givenSeed = std::getenv("LANTERNWICK_KILL_SEED");
    const unsigned seed = givenSeed ? static_cast<unsigned>(std::stoul(givenSeed)) : 20261209u;
    std::mt19937 random(seed);
    RecordProperty("seed", std::to_string(seed));
    std::printf("kill delays from seed %u (LANTERNWICK_KILL_SEED=%u repeats them)\n", seed, seed);

    int kills = 0, wholeFiles = 0, leftoverRuns = 0, mixedRuns = 0, cleanedUp = 0;
    bool aimed = false;
    for (const Action& action : actions) {
        SCOPED_TRACE(action.name);
        // An unkilled run gives the new content and how long the save takes from "acting".
        TempFolder reference;
        PutFiles(reference.Path());
        const auto old = DataBytes(Snap(reference.Path()));
        std::vector<std::string> args{reference.Path()};
        args.insert(args.end(), action.steps.begin(), action.steps.end());
        const DriverRun full = RunDriver(args);
        ASSERT_TRUE(full.exited && full.exitCode == 0) << full.Describe();
        const auto fresh = DataBytes(Snap(reference.Path()));
        for (const auto& [name, bytes] : fresh) {
            EXPECT_EQ(bytes != old.at(name), action.writes.contains(name)) << name;
        }
        // The writes end where the save's message comes, if one does; the kills are spread a
        // little past that so that some also fall after the save.
        const auto span =
            std::max(full.actingToNextLine.count() > 0 ? full.actingToNextLine : full.actingToEnd,
                     std::chrono::microseconds(2000));
        std::printf("%s: %ld us from its start to its end\n", action.name,
                    static_cast<long>(span.count()));
        std::uniform_int_distribution<long> delay(0, span.count() * 13 / 10);

        // A save that ends in a message can be aimed at: past the planned kills, more until
        // one hits it while it writes, as a short save takes only a few of the moments drawn.
        // The close's save has no message, so its span is the whole way to the end.
        aimed = full.actingToNextLine.count() > 0;
        for (int k = 0; k < kKillsPerAction ||
                        (aimed && leftoverRuns + mixedRuns == 0 && k < 4 * kKillsPerAction);
             ++k) {
            TempFolder folder;
            PutFiles(folder.Path());
            args[0] = folder.Path();
            DriverOptions options;
            options.killAfterActing = std::chrono::microseconds(delay(random));
            const DriverRun run = RunDriver(args, options);
            ASSERT_FALSE(run.hung) << run.Describe();
            ++kills;

            const Snapshot after = Snap(folder.Path());
            bool allWhole = true;
            int newFiles = 0;
            for (const auto& [name, bytes] : DataBytes(after)) {
                const bool whole = bytes == old.at(name) || bytes == fresh.at(name);
                EXPECT_TRUE(whole) << name << " is neither old nor new after a kill at "
                                   << options.killAfterActing->count() << " us";
                allWhole = allWhole && whole;
                newFiles += (bytes != old.at(name)) ? 1 : 0;
            }
            for (const auto& name : kDataFiles) {
                EXPECT_TRUE(after.contains(name)) << name << " is gone after a kill at "
                                                  << options.killAfterActing->count() << " us";
            }
            const auto leftovers = Leftovers(after);
            for (const auto& name : leftovers) {
                EXPECT_TRUE(LooksLikeUnfinishedWrite(name)) << "unexpected file " << name;
            }
            leftoverRuns += leftovers.empty() ? 0 : 1;
            mixedRuns +=
                (newFiles > 0 && newFiles < static_cast<int>(action.writes.size())) ? 1 : 0;

            // The next start removes the copies and reads only the data files, changing none.
            // Starts after kills that left nothing behind are sampled, to save time.
            if (leftovers.empty() && k % 4 != 0) {
                wholeFiles += allWhole ? 1 : 0;
                continue;
            }
            const DriverRun next = RunDriver({folder.Path(), "use"});
            ASSERT_TRUE(next.exited && next.exitCode == 0) << next.Describe();
            const Snapshot restarted = Snap(folder.Path());
            EXPECT_TRUE(Leftovers(restarted).empty());
            EXPECT_EQ(DataBytes(restarted), DataBytes(after));
            cleanedUp += leftovers.empty() ? 0 : (Leftovers(restarted).empty() ? 1 : 0);
            wholeFiles += allWhole ? 1 : 0;
        }
    }
    std::printf(
        "kills: %d, every file whole old or whole new after: %d, kills inside a write "
        "(a copy left behind): %d, kills between two files of one save: %d, copies "
        "removed at the next start: %d\n",
        kills, wholeFiles, leftoverRuns, mixedRuns, cleanedUp);
    EXPECT_GE(kills, kKillsPerAction);
    EXPECT_EQ(wholeFiles, kills);
    // Kills spread over the save must also have hit it while it was writing, or the test
    // proved nothing about half-written files.
    if (aimed) {
        EXPECT_GT(leftoverRuns + mixedRuns, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(CrashSafeSaves, KilledSaves, ::testing::ValuesIn(kActions),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CrashSafeSaves, CopiesLeftByAKilledWriteAreRemovedAtStartAndNeverRead) {
    TempFolder folder;
    const fs::path dir = folder.Path();
    PutFiles(dir);
    WriteBytes(dir / "words.txt", CrLf({"forbidden"}));
    // What a save leaves when the process dies mid-write: half of the new content.
    WriteBytes(dir / ".adressen.txt.lanternwick-save-Q1w2E3", "Half                 half.exa");
    WriteBytes(dir / ".words.txt.lanternwick-save-AbCdEf", CrLf({"fine"}));
    WriteBytes(dir / ".paswoordNr.txt.lanternwick-save-0a9Z8y", "");
    // Not a copy of a write: a folder of that shape, and a parent's own copies of the files,
    // named as the copies of an earlier version of the program were.
    fs::create_directory(dir / ".startpagina.txt.lanternwick-save-ZZZZZZ");
    WriteBytes(dir / "words.txt.bak", "kept");
    WriteBytes(dir / "wordsBackup", CrLf({"kept"}));
    WriteBytes(dir / "adressenKopie1", CrLf({"Kept                 kept.example"}));

    const DriverRun run = RunDriver(
        {dir.string(), "use", "open:http://fine.example/", "open:http://forbidden.example/"});
    ASSERT_TRUE(run.exited && run.exitCode == 0) << run.Describe();
    EXPECT_NE(run.output.find("started shown=1 sites=2 "), std::string::npos) << run.Describe();
    EXPECT_TRUE(run.Printed("opened http://fine.example/")) << run.Describe();
    EXPECT_TRUE(run.Printed("refused http://forbidden.example/")) << run.Describe();
    // The login read the real password file, not the empty copy.
    EXPECT_EQ(run.output.find("Password is wrong"), std::string::npos) << run.Describe();

    const Snapshot after = Snap(dir);
    EXPECT_EQ(Leftovers(after),
              (std::vector<std::string>{".startpagina.txt.lanternwick-save-ZZZZZZ",
                                        "adressenKopie1", "words.txt.bak", "wordsBackup"}));
}

// A killed run never closes, so the log must have reached its file while the child browsed.
TEST(CrashSafeSaves, AKilledRunKeepsItsVisitLog) {
    TempFolder folder;
    const fs::path dir = folder.Path();
    PutFiles(dir);
    const std::string before = ReadBytes(dir / "bezochtesites.txt");
    DriverOptions options;
    options.killAfterActing = std::chrono::microseconds(0);
    const DriverRun run = RunDriver(
        {dir.string(), "open:http://fine.example/", "wait:4500", "mark", "wait:20000"}, options);
    ASSERT_TRUE(run.killed) << run.Describe();
    const std::string after = ReadBytes(dir / "bezochtesites.txt");
    ASSERT_TRUE(after.starts_with(before));
    const std::string added = after.substr(before.size());
    // The start page and the opened address, and no run separator: that run never ended.
    EXPECT_NE(added.find("http://fine.example/\r\n"), std::string::npos) << added;
    EXPECT_NE(added.find("http://home.example/\r\n"), std::string::npos) << added;
    EXPECT_EQ(added.find("-----------------------"), std::string::npos) << added;
}

// The save that needs a restart starts the program again itself: a new process of the same
// program file comes up in the new language, and the old one has ended with the used time written.
TEST(LogOutAndSave, StartsTheProgramAgainAndEndsWithTheUsedTimeWritten) {
    TempFolder folder;
    const fs::path dir = folder.Path();
    PutFiles(dir);
    std::string limits;
    for (const char* day :
         {"maandag", "dinsdag", "woensdag", "donderdag", "vrijdag", "zaterdag", "zondag"}) {
        limits += std::string("minuten") + day + "=600\r\n";
    }
    WriteBytes(dir / "instellingen.txt", limits);
    const DriverRun run = RunDriver({dir.string(), "--real-restart", "wait:2200", "dutch"});
    ASSERT_TRUE(run.exited && run.exitCode == 0) << run.Describe();
    std::vector<std::string> processes;  // "PID PROGRAM"
    std::istringstream out(run.output);
    for (std::string line; std::getline(out, line);) {
        if (line.starts_with("process ")) {
            processes.push_back(line.substr(8));
        }
    }
    ASSERT_EQ(processes.size(), 2u) << run.Describe();
    const auto program = [](const std::string& p) { return p.substr(p.find(' ')); };
    EXPECT_NE(processes[0], processes[1]);
    EXPECT_EQ(program(processes[0]), program(processes[1]));
    EXPECT_TRUE(run.Printed("dutch already") && run.Printed("done")) << run.Describe();
    const std::string used = ReadBytes(dir / "tijdgebruik.txt");
    const auto at = used.find("seconden=");
    ASSERT_NE(at, std::string::npos) << used;
    EXPECT_GE(std::stoi(used.substr(at + 9)), 2) << used;
}

}  // namespace
