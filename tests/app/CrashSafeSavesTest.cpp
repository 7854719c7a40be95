// Saves killed part-way: the program is killed (SIGKILL, nothing of it runs after) in the middle
// of "Log out and save", the blocked-words Save, the password change and the close of the
// browser window, at each file the save replaces: the file's new content written in full to its
// copy, the copy not yet in the file's place, and the files written before it replaced already.
// Every data file must then hold its whole old or its whole new content, and the copy left
// beside the files must be gone after the next start without ever being read in place of a
// data file.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
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

// The data files as a save starts from.
void PutFiles(const fs::path& folder) {
    std::vector<std::string> log;
    for (int i = 0; i < 200; ++i) {
        log.push_back("http://site" + std::to_string(i % 50) + ".example/page/" +
                      std::to_string(i) + " --> Datum: 7-12-2026 Tijd: 21:45:09");
    }
    std::vector<std::string> words;
    for (int i = 0; i < 200; ++i) {
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
    std::vector<std::string> writes;      // the files it writes, in the order it writes them
    std::vector<std::string> added = {};  // of those, the ones it adds to instead of replacing
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
    {"BrowserWindowClose", {"close"}, {"bezochtesites.txt"}, {"bezochtesites.txt"}},
};

// What the driver printed after "acting" of the lines that start with `prefix`, without it.
std::vector<std::string> PrintedAfterActing(const std::string& output, const std::string& prefix) {
    std::vector<std::string> found;
    std::istringstream in(output.substr(std::min(output.find("acting\n"), output.size())));
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with(prefix)) {
            found.push_back(line.substr(prefix.size()));
        }
    }
    return found;
}

// What a start prints of what it read, without the process's number.
std::string StartOutput(const DriverRun& run) {
    std::string kept;
    std::istringstream in(run.output);
    for (std::string line; std::getline(in, line);) {
        if (!line.starts_with("process ")) {
            kept += line + "\n";
        }
    }
    return kept;
}

// One case per action; each kills its save once at every file it writes.
class KilledSaves : public ::testing::TestWithParam<Action> {};

TEST_P(KilledSaves, LeaveEveryFileWholeOldOrWholeNew) {
    const Action& action = GetParam();
    // An unkilled run gives the new content and the order of the writes.
    TempFolder reference;
    PutFiles(reference.Path());
    const auto old = DataBytes(Snap(reference.Path()));
    std::vector<std::string> args{reference.Path(), "--stop-at-write:0"};
    args.insert(args.end(), action.steps.begin(), action.steps.end());
    const DriverRun full = RunDriver(args);
    ASSERT_TRUE(full.exited && full.exitCode == 0) << full.Describe();
    ASSERT_EQ(PrintedAfterActing(full.output, "writing "), action.writes) << full.Describe();
    const auto fresh = DataBytes(Snap(reference.Path()));
    for (const auto& [name, bytes] : fresh) {
        EXPECT_EQ(bytes != old.at(name), std::ranges::count(action.writes, name) > 0) << name;
    }

    for (size_t stopAt = 1; stopAt <= action.writes.size(); ++stopAt) {
        const std::string& cut = action.writes[stopAt - 1];
        SCOPED_TRACE("killed at write " + std::to_string(stopAt) + ", " + cut);
        TempFolder folder;
        PutFiles(folder.Path());
        args[0] = folder.Path();
        args[1] = "--stop-at-write:" + std::to_string(stopAt);
        DriverOptions options;
        options.killWhereStopped = true;
        const DriverRun run = RunDriver(args, options);
        ASSERT_TRUE(run.killed) << run.Describe();
        ASSERT_EQ(PrintedAfterActing(run.output, "stopping at "), std::vector<std::string>{cut});

        // The files written before are new, this one and those after it still old; its copy
        // holds the whole new content beside it.
        const Snapshot after = Snap(folder.Path());
        const std::set<std::string> done(action.writes.begin(),
                                         action.writes.begin() + static_cast<long>(stopAt) - 1);
        for (const auto& name : kDataFiles) {
            ASSERT_TRUE(after.contains(name)) << name;
            EXPECT_EQ(after.at(name).bytes, done.contains(name) ? fresh.at(name) : old.at(name))
                << name << (done.contains(name) ? " is not new" : " is not old");
        }
        const auto leftovers = Leftovers(after);
        if (std::ranges::count(action.added, cut) > 0) {
            EXPECT_TRUE(leftovers.empty()) << "an addition is one write, with no copy";
            continue;
        }
        ASSERT_EQ(leftovers.size(), 1u);
        EXPECT_TRUE(LooksLikeUnfinishedWrite(leftovers[0])) << leftovers[0];
        EXPECT_TRUE(leftovers[0].starts_with("." + cut + ".")) << leftovers[0];
        EXPECT_EQ(after.at(leftovers[0]).bytes, fresh.at(cut));

        // The next start removes the copy, changes no data file, and reads what a start on the
        // same data files without the copy reads.
        TempFolder twin;
        for (const auto& [name, entry] : after) {
            if (name != leftovers[0]) {
                WriteBytes(fs::path(twin.Path()) / name, entry.bytes);
            }
        }
        const DriverRun next = RunDriver({folder.Path(), "use"});
        ASSERT_TRUE(next.exited && next.exitCode == 0) << next.Describe();
        const DriverRun plain = RunDriver({twin.Path(), "use"});
        ASSERT_TRUE(plain.exited && plain.exitCode == 0) << plain.Describe();
        EXPECT_EQ(StartOutput(next), StartOutput(plain));
        const Snapshot restarted = Snap(folder.Path());
        EXPECT_TRUE(Leftovers(restarted).empty());
        EXPECT_EQ(DataBytes(restarted), DataBytes(after));
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
