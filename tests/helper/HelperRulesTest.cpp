// Every command of the family install's helper, run as a rule against a temporary folder: no
// root, no set-group-id, no install.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "basics/CivilTime.h"
#include "basics/Clock.h"
#include "family/Activity.h"
#include "family/ParentLogin.h"
#include "family/TimeBudget.h"
#include "family/VisitLog.h"
#include "formats/Pictures.h"
#include "helper/Commands.h"
#include "storage/DataFiles.h"
#include "storage/Settings.h"
#include "storage/SitePictures.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

const std::string kPng = std::string("\x89PNG\r\n\x1a\n") + std::string("\0pic", 4);

class HelperRules : public ::testing::Test {
protected:
    void SetUp() override {
        data_.Put("paswoordNaam.txt", "parents\r\n");
        data_.Put("paswoordNr.txt", "Parent pass\r\n");
    }
    // Standard input from a file, as a shell's "<" gives it.
    int InputFd(const std::string& input) {
        inputs_.Put("in", input);
        return open(inputs_.File("in").c_str(), O_RDONLY | O_CLOEXEC);
    }
    helper::Outcome RunFd(const std::vector<std::string>& args, int fd,
                          const helper::Limits& limits = {}) {
        return helper::Run(
            args, [this] { return data_.Path() + "/"; }, fd, [this] { return now_; }, limits);
    }
    helper::Outcome Run(const std::vector<std::string>& args, const std::string& input = "",
                        const helper::Limits& limits = {}) {
        const int fd = InputFd(input);
        auto outcome = RunFd(args, fd, limits);
        close(fd);
        return outcome;
    }
    bool Exists(const std::string& name) const { return fs::exists(data_.File(name)); }

    testsupport::TempFolder data_;
    testsupport::TempFolder inputs_;
    long long now_ = basics::LocalSeconds({{2026, 12, 9}, 8 * 3600});
};

TEST_F(HelperRules, EveryCommandServesOnlyWhatItMayAndOnlyForwards) {
    data_.Put("words.txt", "casino\r\n");
    struct Row {
        std::vector<std::string> args;
        std::string input;
        int code;
        std::string output;
    };
    const std::string account = "parents\nParent pass\n";
    const std::string usedTime =
        "datum=2026-12-09\r\ntijd=08:00:00\r\nseconden=600\r\nextraminuten=0\r\n";
    const std::string reached = "http://zoo.example/ --> Datum: 9-12-2026 Tijd: 08:00:00";
    const std::vector<Row> rows = {
        {{"read", "words.txt"}, "", 0, "casino\r\n"},
        {{"read", "paswoordNr.txt"}, "", 2, ""},
        {{"read", "paswoordNaam.txt"}, "", 2, ""},
        {{"read", "../x"}, "", 2, ""},
        {{"read", "adressen.txt"}, "", 7, ""},
        {{}, "", 2, ""},
        {{"read"}, "", 2, ""},
        {{"bogus"}, "", 2, ""},
        // The name never on the command line.
        {{"login", "parents"}, "Parent pass\n", 2, ""},
        {{"write", "words.txt", "parents"}, "Parent pass\nnone\n", 2, ""},
        {{"keep-pictures", "parents"}, "Parent pass\n", 2, ""},
        {{"login"}, "Parent pass\n", 2, ""},
        {{"login"}, account, 0, "right\nwrong-before 0\n"},
        // A wrong name and a wrong password answer alike.
        {{"login"}, "parents\nguess\n", 1, "wrong\nwait 0\n"},
        {{"login"}, "Parents\nParent pass\n", 1, "wrong\nwait 0\n"},
        {{"wait"}, "", 0, "0\n"},
        {{"login"}, "parents\r\nParent pass\r\n", 0, "right\nwrong-before 2\n"},
        {{"write", "words.txt"}, "parents\nguess\nnone\n", 1, "wrong\nwait 0\n"},
        {{"write", "paswoordNaam.txt"}, account + "child\n", 2, ""},
        {{"write", "paswoordNr.txt"}, account + "abc\n", 2, ""},
        {{"write", "paswoordNr.txt"}, account + "lanternwick\n", 2, ""},
        {{"write", "words.txt"}, account + "dice\nboard\n", 0, ""},
        {{"read", "words.txt"}, "", 0, "dice\r\nboard\r\n"},
        {{"used-time", "600"}, "", 0, ""},
        {{"used-time", "60"}, "", 0, ""},
        {{"used-time", "-5"}, "", 2, ""},
        {{"used-time", "12x"}, "", 2, ""},
        {{"read", "tijdgebruik.txt"}, "", 0, usedTime},
        {{"append-log"}, reached + "\n-----------------------\n", 0, ""},
        {{"append-log"}, "http://bare.example/\r\n", 0, ""},
        {{"read", "bezochtesites.txt"},
         "",
         0,
         reached + "\r\n-----------------------\r\nhttp://bare.example/\r\n"},
        // The child adds a request without the parent; each address once, one at a time.
        {{"add-request"}, "http://zoo.example/a\n", 0, ""},
        {{"add-request"}, "http://zoo.example/a\r\n", 0, ""},
        {{"add-request"}, "two words\n", 2, ""},
        {{"add-request"}, "http://a.example/\nhttp://b.example/\n", 2, ""},
        {{"read", "verzoeken.txt"}, "", 0, "http://zoo.example/a\r\n"},
        {{"read-picture", "a-1.png"}, "", 7, ""},
        {{"add-picture", "a-1.png"}, kPng, 0, ""},
        {{"read-picture", "a-1.png"}, "", 0, kPng},
        {{"add-picture", "a-1.png"}, kPng, 1, ""},
        {{"add-picture", "../a.png"}, kPng, 2, ""},
        {{"add-picture", "A.png"}, kPng, 2, ""},
        {{"read-picture", "-a.png"}, "", 2, ""},
        {{"add-picture", "b-2.png"}, "GIF89a", 4, ""},
        {{"write-picture", "a-1.png"}, "parents\nguess\n" + kPng, 1, "wrong\nwait 0\n"},
        {{"read-picture", "a-1.png"}, "", 0, kPng},
        {{"write-picture", "a-1.png"}, account, 0, ""},
        {{"read-picture", "a-1.png"}, "", 0, ""},
        {{"add-picture", "b-2.png"}, kPng, 0, ""},
        {{"keep-pictures"}, "parents\nguess\na-1.png\n", 1, "wrong\nwait 0\n"},
        {{"read-picture", "b-2.png"}, "", 0, kPng},
        {{"keep-pictures"}, account + "a-1.png\n", 0, ""},
        {{"read-picture", "b-2.png"}, "", 7, ""},
        {{"read-picture", "a-1.png"}, "", 0, ""},
    };
    int row = 0;
    for (const auto& [args, input, code, output] : rows) {
        const auto outcome = Run(args, input);
        EXPECT_EQ(outcome.code, code) << "row " << row << ": " << outcome.errors;
        EXPECT_EQ(outcome.output, output) << "row " << row;
        ++row;
    }
    // Five wrong tries are free; then even the right password waits, and so does a write.
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(Run({"login"}, "parents\nguess\n").code, helper::kRefused) << i;
    }
    EXPECT_EQ(Run({"login"}, account).output, "wait 30\n");
    EXPECT_EQ(Run({"write", "words.txt"}, account + "none\n").code, helper::kWaiting);
    EXPECT_EQ(data_.Get("inlogpogingen.txt"), "fouten=5\r\nlaatstefout=2026-12-09 08:00:00\r\n");
    now_ += 30;
    EXPECT_EQ(Run({"login"}, account).output, "right\nwrong-before 5\n");
    EXPECT_EQ(data_.Get("inlogpogingen.txt"), "fouten=0\r\nlaatstefout=1970-01-01 00:00:00\r\n");
}

// The program reads back exactly what the helper took, and the helper takes up what the program
// wrote: one record, with one bound.
TEST_F(HelperRules, UsedTimeTheHelperKeepsIsTheTimeTheProgramCounts) {
    storage::DataFiles program(data_.Path());
    for (const long long seconds : {0LL, 600LL, 86400LL, 86401LL, 172800LL}) {
        fs::remove(data_.File("tijdgebruik.txt"));
        const auto outcome = Run({"used-time", std::to_string(seconds)});
        const auto read = family::ReadUsedTime(program);
        if (outcome.code == helper::kOk) {
            ASSERT_TRUE(read) << seconds << " was taken, and the program starts the day afresh";
            EXPECT_EQ(read->secondsUsed, seconds);
        } else {
            EXPECT_EQ(outcome.code, helper::kBadArguments) << seconds;
            EXPECT_GT(seconds, 86400) << seconds;
        }
    }
    const basics::LocalTime now = basics::LocalTimeFromSeconds(now_);
    ASSERT_TRUE(family::WriteUsedTime(program, {now, 3000, 15}).ok);
    EXPECT_EQ(Run({"used-time", "100"}).code, helper::kOk);
    auto read = family::ReadUsedTime(program);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->secondsUsed, 3000);
    EXPECT_EQ(read->extraMinutes, 15);
    now_ += 60;
    EXPECT_EQ(Run({"used-time", "4000"}).code, helper::kOk);
    read = family::ReadUsedTime(program);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->secondsUsed, 4000);
    EXPECT_EQ(read->extraMinutes, 15);
    EXPECT_EQ(basics::LocalSeconds(read->lastSeen), now_);
    // A new day starts at what the helper is given, without the parent's extra minutes.
    now_ += 86400;
    EXPECT_EQ(Run({"used-time", "5"}).code, helper::kOk);
    read = family::ReadUsedTime(program);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->secondsUsed, 5);
    EXPECT_EQ(read->extraMinutes, 0);
}

// The child's run cannot write the week's file: the helper keeps it along with the day's count,
// where the settings file is, and hands it to the program to read.
TEST_F(HelperRules, UsedTimeKeepsTheWeekWhereTheSettingsFileIs) {
    EXPECT_EQ(Run({"used-time", "600"}).code, helper::kOk);
    EXPECT_FALSE(Exists("tijdperweek.txt"));
    data_.Put("instellingen.txt", "minutenwoensdag=60\r\n");
    data_.Put("tijdperweek.txt", "2026-12-08=30\r\nbroken\r\n2026-11-01=9\r\n");
    EXPECT_EQ(Run({"used-time", "1260"}).code, helper::kOk);
    EXPECT_EQ(data_.Get("tijdperweek.txt"), "2026-12-08=30\r\n2026-12-09=21\r\n");
    EXPECT_EQ(Run({"read", "tijdperweek.txt"}).output, data_.Get("tijdperweek.txt"));
    const storage::DataFiles program(data_.Path());
    EXPECT_EQ(family::ReadWeekTime(program),
              (std::vector<formats::DayMinutes>{{{2026, 12, 8}, 30}, {{2026, 12, 9}, 21}}));
}

class ClockAt : public basics::Clock {
public:
    explicit ClockAt(long long now) : now_(now) {}
    std::string DateText() override { return "9-12-2026"; }
    std::string TimeText() override { return "08:00:00"; }
    double SteadySeconds() override { return 0; }
    basics::LocalTime Now() override { return basics::LocalTimeFromSeconds(now_); }

private:
    long long now_;
};

// Every other file both sides use, written by one and read by the other.
TEST_F(HelperRules, EachSharedFileWrittenByOneSideReadsAlikeOnTheOther) {
    storage::DataFiles program(data_.Path());
    const std::string account = "parents\nParent pass\n";

    storage::Settings settings;
    settings.SetAllowedSitesOnly(true);
    settings.SetMinutesPerDay(2, 45);
    ASSERT_TRUE(settings.Save(program).ok);
    EXPECT_EQ(Run({"read", "instellingen.txt"}).output,
              "alleentoegestaan=1\r\nminutenwoensdag=45\r\n");
    EXPECT_EQ(
        Run({"write", "instellingen.txt"}, account + " plaatjes = 1 \nminutenzondag=0\n").code,
        helper::kOk);
    const auto loaded = storage::Settings::Load(program);
    EXPECT_TRUE(loaded.SitePictures());
    EXPECT_FALSE(loaded.AllowedSitesOnly());
    EXPECT_EQ(loaded.MinutesPerDay(6), 0);

    // The count of wrong tries: five by the helper make the program wait, and back.
    for (int i = 0; i < 5; ++i) {
        Run({"login"}, "parents\nguess\n");
    }
    ClockAt clock(now_ + 10);
    EXPECT_EQ(family::ParentLogin(program, clock).SecondsToWait(), 20);
    fs::remove(data_.File("inlogpogingen.txt"));
    family::ParentLogin local(program, clock);
    for (int i = 0; i < 5; ++i) {
        EXPECT_FALSE(local.Try("parents", "guess").Right());
    }
    now_ += 10;
    EXPECT_EQ(Run({"wait"}).output, "30\n");

    // A site's picture under the name both give it.
    const std::string address = "http://www.pbskids.org/";
    ASSERT_TRUE(storage::pictures::Write(program, address, kPng).ok);
    EXPECT_EQ(Run({"read-picture", formats::pictures::FileNameOf(address)}).output, kPng);
    EXPECT_EQ(Run({"add-picture", formats::pictures::FileNameOf("https://x.example/")}, kPng).code,
              helper::kOk);
    EXPECT_EQ(storage::pictures::Read(program, "https://x.example/"), kPng);

    // The log's lines as the program writes them, taken by the helper and read back.
    const std::vector<std::string> log = {
        family::ReachedPageEntry("http://zoo.example/a?b=c", "9-12-2026", "08:00:00"),
        "http://refused.example/", family::kRunSeparator};
    std::string lines;
    for (const auto& line : log) {
        lines += line + "\r\n";
    }
    EXPECT_EQ(Run({"append-log"}, lines).code, helper::kOk);
    EXPECT_EQ(program.Read("bezochtesites.txt"), log);
}

// With no file allowed to grow (a shell's "ulimit -f 0", its signal ignored), no count can be
// kept: the login must then not say whether the password was right.
TEST_F(HelperRules, ALoginWhoseTryCannotBeCountedIsNeverCompared) {
    for (const char* password : {"Parent pass", "guess"}) {
        const int input = InputFd("parents\n" + std::string(password) + "\n");
        int answer[2];
        ASSERT_EQ(pipe(answer), 0);
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            close(answer[0]);
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit none{0, 0};
            setrlimit(RLIMIT_FSIZE, &none);
            const auto outcome = RunFd({"login"}, input);
            const std::string said = std::to_string(outcome.code) + " " + outcome.output;
            (void)!write(answer[1], said.data(), said.size());
            _exit(0);
        }
        close(answer[1]);
        close(input);
        std::string said;
        char chunk[256];
        for (ssize_t got; (got = read(answer[0], chunk, sizeof chunk)) > 0;) {
            said.append(chunk, static_cast<size_t>(got));
        }
        close(answer[0]);
        waitpid(pid, nullptr, 0);
        EXPECT_EQ(said, std::to_string(helper::kNotCounted) + " later\n") << password;
        EXPECT_FALSE(Exists("inlogpogingen.txt"));
    }
}

TEST_F(HelperRules, TheFolderIsLockedOnlyAfterTheInputAndNeverWaitedForWithoutEnd) {
    const int held = open(data_.Path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    const helper::Limits quick{0.2, 0.2};
    // Input that never ends is waited for a while, and without the lock: it is what stops the
    // run, although the folder is held all along.
    int never[2];
    ASSERT_EQ(pipe(never), 0);
    EXPECT_EQ(RunFd({"append-log"}, never[0], quick).code, helper::kDamaged);
    close(never[0]);
    close(never[1]);
    // With its input whole, a run waits for the folder a while, then says it is in use.
    EXPECT_EQ(Run({"login"}, "parents\nParent pass\n", quick).code, helper::kBusy);
    EXPECT_EQ(Run({"wait"}, "", quick).code, helper::kOk);  // a read takes no lock
    close(held);
    EXPECT_EQ(Run({"login"}, "parents\nParent pass\n", quick).code, helper::kOk);
}

TEST_F(HelperRules, AWriteClearsAwayTheCopiesAKilledRunLeft) {
    fs::create_directory(data_.File("plaatjes"));
    const std::vector<std::string> killed = {".tijdgebruik.txt.lanternwick-save-A1b2C3",
                                             ".inlogpogingen.txt.lanternwick-save-zzzzzz",
                                             "plaatjes/.a-1.png.lanternwick-save-AAAAAA"};
    const std::vector<std::string> others = {"words.txt.bak", ".words.txt.lanternwick-save-A1",
                                             ".notes.lanternwick-save-A1b2C3", "plaatjes/x.gif"};
    for (const auto& name : killed) {
        data_.Put(name, "half");
    }
    for (const auto& name : others) {
        data_.Put(name, "kept");
    }
    EXPECT_EQ(Run({"read", "tijdgebruik.txt"}).code, helper::kMissing);
    EXPECT_TRUE(Exists(killed[0]));  // a read changes nothing
    EXPECT_EQ(Run({"used-time", "60"}).code, helper::kOk);
    for (const auto& name : killed) {
        EXPECT_FALSE(Exists(name)) << name;
    }
    for (const auto& name : others) {
        EXPECT_EQ(data_.Get(name), "kept") << name;
    }
}

TEST_F(HelperRules, TheVisitLogGrowsOnlyByItsOwnLinesAndByABoundedAmount) {
    for (const std::string& input :
         {std::string("entry 1\n"), std::string("http://x.example/\n\nhttp://y.example/\n"),
          std::string("http://x.example/\x1b[2J\n"), std::string("http://x\0y\n", 10),
          std::string("-----------------------\n") + std::string("http://a b/\n"),
          "http://x.example/" + std::string(helper::kMaxLogPerCall, 'x') + "\n"}) {
        EXPECT_EQ(Run({"append-log"}, input).code, helper::kDamaged) << input;
    }
    EXPECT_FALSE(Exists("bezochtesites.txt"));
    // Calls of the largest size, one after the other, until the day has had its share.
    const std::string line = "http://x.example/" + std::string(8000, 'x') + "\n";
    std::string call;
    while (call.size() + line.size() <= helper::kMaxLogPerCall) {
        call += line;
    }
    int calls = 0;
    helper::Outcome outcome;
    while ((outcome = Run({"append-log"}, call)).code == helper::kOk && calls < 1000) {
        ++calls;
    }
    EXPECT_EQ(outcome.code, helper::kTooMuch);
    const auto grown = static_cast<long long>(fs::file_size(data_.File("bezochtesites.txt")));
    EXPECT_LE(grown, helper::kMaxLogPerDay);
    EXPECT_GT(grown + static_cast<long long>(2 * call.size()), helper::kMaxLogPerDay);
    now_ += 86400;
    EXPECT_EQ(Run({"append-log"}, "http://next.day/\n").code, helper::kOk);
}

}  // namespace
