// The program's side of the family install's helper, against a stand-in helper: what it sends,
// and how it takes each answer.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>

#include "basics/Clock.h"
#include "family/ParentLogin.h"
#include "storage/HelperFiles.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

class StillClock : public basics::Clock {
public:
    std::string DateText() override { return "9-12-2026"; }
    std::string TimeText() override { return "08:00:00"; }
    double SteadySeconds() override { return 100; }
    basics::LocalTime Now() override { return {{2026, 12, 9}, 8 * 3600}; }
};

// A helper that notes its arguments and input in `folder`, then runs `answer` (shell).
std::string StandIn(const testsupport::TempFolder& folder, const std::string& answer) {
    const std::string path = folder.File("helper");
    folder.Put("helper",
               "#!/bin/sh\nhere=$(dirname \"$0\")\necho \"$*\" >> \"$here/args\"\n"
               "cat >> \"$here/input\"\n" +
                   answer + "\n");
    fs::permissions(path, fs::perms::owner_all);
    return path;
}

TEST(HelperFiles, TheParentsNameAndPasswordGoOnTheInputNeverTheCommandLine) {
    testsupport::TempFolder folder;
    storage::HelperFiles files(
        StandIn(folder, "[ \"$1\" = login ] && printf 'right\\nwrong-before 0\\n'; exit 0"),
        folder.Path());
    const auto login = files.Login("parents", "Parent pass");
    ASSERT_TRUE(login);
    EXPECT_EQ(login->outcomes, std::vector<std::string>{"right"});
    EXPECT_TRUE(files.Write("adressen.txt", {"Zoo                  zoo.example"}).ok);
    EXPECT_TRUE(files.WritePicture("a-1.png", "png", true).ok);
    files.KeepPictures({"a-1.png"});
    EXPECT_EQ(folder.Get("args"),
              "read words.txt\nlogin\nwrite adressen.txt\nwrite-picture a-1.png\nkeep-pictures\n");
    EXPECT_EQ(folder.Get("input"),
              "parents\nParent pass\n"
              "parents\nParent pass\nZoo                  zoo.example\r\n"
              "parents\nParent pass\npng"
              "parents\nParent pass\na-1.png\r\n");
}

// The child's run only adds to the log, and an entry the helper would refuse as it stands is
// sent escaped, so one odd address never stops the log for the rest of the run.
TEST(HelperFiles, TheChildsRunAppendsOnlyNewEntriesEscapedToTheLogsOwnForm) {
    testsupport::TempFolder folder;
    storage::HelperFiles files(StandIn(folder, "[ \"$1\" = read ] && printf 'old\\r\\n'; exit 0"),
                               folder.Path());
    ASSERT_EQ(files.Read("bezochtesites.txt"), std::vector<std::string>{"old"});
    EXPECT_TRUE(files
                    .Write("bezochtesites.txt",
                           {"old", "http://a b/ --> Datum: 9-12-2026 Tijd: 08:00:00", ""})
                    .ok);
    EXPECT_FALSE(files.Write("bezochtesites.txt", {}).ok) << "only a parent shortens it";
    EXPECT_EQ(folder.Get("args"), "read words.txt\nread bezochtesites.txt\nappend-log\n");
    EXPECT_EQ(folder.Get("input"), "http://a%20b/ --> Datum: 9-12-2026 Tijd: 08:00:00\r\n");
}

TEST(HelperFiles, EachAnswerOfTheHelpersLoginReachesTheParent) {
    struct Row {
        const char* answer;
        bool right, passwordWrong, waiting, notCounted, unreadable;
    };
    for (const Row& row : {
             Row{"printf 'right\\nwrong-before 3\\n'", true, false, false, false, false},
             Row{"printf 'wrong\\nwait 30\\n'; exit 1", false, true, false, false, false},
             Row{"printf 'wait 30\\n'; exit 6", false, false, true, false, false},
             Row{"printf 'later\\n'; echo 'no count' >&2; exit 9", false, false, false, true,
                 false},
             Row{"exit 4", false, false, false, false, true},
         }) {
        testsupport::TempFolder folder;
        storage::HelperFiles files(
            StandIn(folder, std::string("[ \"$1\" = login ] || exit 7\n") + row.answer),
            folder.Path());
        StillClock clock;
        family::ParentLogin login(files, clock);
        const auto result = login.Try("parents", "guess");
        EXPECT_EQ(result.Right(), row.right) << row.answer;
        EXPECT_EQ(result.outcomes == std::vector{account::Outcome::PasswordWrong},
                  row.passwordWrong)
            << row.answer;
        EXPECT_EQ(result.waiting, row.waiting) << row.answer;
        EXPECT_EQ(result.countNotSaved.has_value(), row.notCounted) << row.answer;
        EXPECT_EQ(result.unreadable.has_value(), row.unreadable) << row.answer;
    }
}

TEST(HelperFiles, AHelperThatDoesNotAnswerIsStoppedAndItsRequestFails) {
    testsupport::TempFolder folder;
    storage::HelperFiles files(StandIn(folder, "exec sleep 600"), folder.Path(), 0.3);
    const auto run = files.Ask({"wait"});
    EXPECT_EQ(run.exitCode, -1);
    EXPECT_EQ(run.errors, "the helper did not answer in time");
    EXPECT_FALSE(files.Write("words.txt", {"x"}).ok);
}

// A run's own folder goes with it, also when it ends without its destructors (its destructor
// removes it too); one that a run ended by a crash or a kill left goes at the next start. Folders
// of runs still going, and any other name, stay.
TEST(HelperFiles, TheRunsFolderGoesWithItAndOneAnEndedRunLeftGoesAtTheNextStart) {
    testsupport::TempFolder folder, runs;
    const pid_t ended = fork();
    if (ended == 0) {
        _exit(0);
    }
    waitpid(ended, nullptr, 0);
    const std::set<std::string> left = {"lanternwick-" + std::to_string(ended) + "-a1b2c3",
                                        "lanternwick-q1w2e3"};  // an older build's, with words
    const std::set<std::string> staying = {"lanternwick-" + std::to_string(getppid()) + "-a1b2c3",
                                           "lanternwick-notes"};
    for (const auto* names : {&left, &staying}) {
        for (const auto& name : *names) {
            fs::create_directory(runs.File(name));
        }
    }
    std::set<std::string> there;
    setenv("XDG_RUNTIME_DIR", runs.Path().c_str(), 1);
    storage::HelperFiles files(StandIn(folder, "exit 0"), folder.Path());
    storage::HelperFiles::RemoveRunFolders();  // as the end that runs no destructor does
    for (const auto& entry : fs::directory_iterator(runs.Path())) {
        there.insert(entry.path().filename().string());
    }
    EXPECT_EQ(there, staying);
    unsetenv("XDG_RUNTIME_DIR");
}

}  // namespace
