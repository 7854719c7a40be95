// The program as its own process on damaged data files: each file in turn is missing, empty,
// a folder, unreadable, binary, in a broken encoding, with old Mac line ends, one huge line or
// very many lines. Each run starts the program, uses every reader of the files (start-up, the
// visit button, the login, the blocked-words editor, the address box) and closes the window.
// It must not crash or hang, must say which file is wrong where a parent has to act, and must
// change nothing but the visit log, the one file a close writes.
//
// These tests run as root in CI. Root reads a mode-000 file and writes into a read-only folder,
// so those two cases only show that nothing breaks; the failures that stop root too are a
// folder in a file's place, a missing data folder and a file size limit of 0.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <random>
#include <sstream>

#include "DataFolder.h"
#include "DriverRun.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;
using namespace testsupport;

namespace {

const std::string kFine = "http://fine.example/";
const std::string kBlocked = "http://forbidden.example/";

void PutGoodFiles(const fs::path& folder) {
    WriteBytes(folder / "adressen.txt", CrLf({"Zoo                  zoo.example",
                                              "Kids                 https://kids.example/"}));
    WriteBytes(folder / "words.txt", CrLf({"casino", "forbidden"}));
    WriteBytes(folder / "bezochtesites.txt", CrLf({"http://zoo.example/", std::string(23, '-')}));
    WriteBytes(folder / "startpagina.txt", CrLf({"Home                 http://home.example/"}));
    WriteBytes(folder / "languagechoose.txt", CrLf({"English", "English"}));
    WriteBytes(folder / "paswoordNaam.txt", CrLf({"parents"}));
    WriteBytes(folder / "paswoordNr.txt", CrLf({"Lantern wick"}));
}

std::string RandomBytesWithNuls() {
    std::mt19937 random(7);
    std::string bytes(64 * 1024, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = (i % 13 == 0) ? '\0' : static_cast<char>(random() & 0xff);
    }
    return bytes;
}

std::string ManyLines(const std::string& file) {
    std::vector<std::string> lines;
    lines.reserve(100000);
    for (int i = 0; i < 99999; ++i) {
        lines.push_back(file == "words.txt" ? "nope" + std::to_string(i)
                                            : "Site" + std::to_string(i) + "             site" +
                                                  std::to_string(i) + ".example");
    }
    // The blocked word last, so the filter has to get through all the others to find it.
    lines.push_back(file == "words.txt" ? "forbidden" : "last line");
    return CrLf(lines);
}

struct Damage {
    const char* name;
    std::function<void(const fs::path&, const std::string& file)> apply;
    bool unusable;  // no lines can come of it: the account check and the filter must say so
};

const std::vector<Damage>& Damages() {
    static const std::vector<Damage> damages = {
        {"missing", [](const fs::path& p, const std::string&) { fs::remove(p); }, true},
        {"empty", [](const fs::path& p, const std::string&) { WriteBytes(p, ""); }, false},
        {"folder",
         [](const fs::path& p, const std::string&) {
             fs::remove(p);
             fs::create_directory(p);
         },
         true},
        {"mode000", [](const fs::path& p, const std::string&) { chmod(p.c_str(), 0); }, false},
        {"binary",
         [](const fs::path& p, const std::string&) { WriteBytes(p, RandomBytesWithNuls()); },
         false},
        {"badUtf8",
         [](const fs::path& p, const std::string&) {
             WriteBytes(p, "caf\xe9\r\n\xff\xfe\xc3(\r\n\xe2\x82\r\n\xf0\x9f\x98\r\nEnglish\r\n");
         },
         false},
        {"crOnly",
         [](const fs::path& p, const std::string&) {
             std::string bytes = ReadBytes(p);
             std::erase(bytes, '\n');
             WriteBytes(p, bytes);
         },
         false},
        {"tenMegabyteLine",
         [](const fs::path& p, const std::string&) {
             WriteBytes(p, "http://" + std::string(10 * 1024 * 1024, 'a') + "\r\n");
         },
         false},
        {"hundredThousandLines",
         [](const fs::path& p, const std::string& file) { WriteBytes(p, ManyLines(file)); }, false},
    };
    return damages;
}

// The deadline only tells a hung run from one that ends: taking in a ten-megabyte line (the
// blocked words' matcher, the parent's list of words) takes several seconds alone and half a
// minute on a busy machine, which is no hang.
DriverOptions SlowStart() {
    DriverOptions options;
    options.deadline = std::chrono::seconds(120);
    return options;
}
const DriverOptions kSlowStart = SlowStart();

// Whether a message box named the file, so a parent knows what to mend.
bool Mentions(const DriverRun& run, const fs::path& file) {
    std::istringstream lines(run.output);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("message: ") && line.find(file.string()) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// One case per data file, so the cases of two files run side by side.
class EachFileDamaged : public ::testing::TestWithParam<std::string> {};

TEST_P(EachFileDamaged, InEveryWayStartsUsesAndClosesCleanly) {
    int tried = 0;
    {
        const std::string& file = GetParam();
        for (const Damage& damage : Damages()) {
            SCOPED_TRACE(file + " " + damage.name);
            TempFolder folder;
            const fs::path dir = folder.Path();
            PutGoodFiles(dir);
            damage.apply(dir / file, file);
            const Snapshot before = Snap(dir);

            const DriverRun run = RunDriver(
                {dir.string(), "use", "open:" + kFine, "open:" + kBlocked, "close"}, kSlowStart);
            ++tried;
            ASSERT_TRUE(run.exited && run.exitCode == 0) << run.Describe();
            EXPECT_NE(run.output.find("started shown=1"), std::string::npos) << run.Describe();
            EXPECT_TRUE(run.Printed("used")) << run.Describe();
            EXPECT_FALSE(run.Printed("close returned"));

            // Nothing but the visit log may have changed, and no stray file may be left.
            Snapshot after = Snap(dir);
            Snapshot expected = before;
            expected.erase("bezochtesites.txt");
            if (file == "bezochtesites.txt" && std::string(damage.name) == "folder") {
                expected["bezochtesites.txt"] = before.at("bezochtesites.txt");
            } else {
                after.erase("bezochtesites.txt");
            }
            const bool accountFile = file == "paswoordNaam.txt" || file == "paswoordNr.txt";
            if (accountFile) {
                after.erase("inlogpogingen.txt");  // the login it refused is counted
            }
            EXPECT_EQ(after, expected) << "files changed or left behind";

            if (accountFile && damage.unusable) {
                EXPECT_TRUE(Mentions(run, dir / file)) << run.Describe();
            }
            if (file == "words.txt" && damage.unusable) {
                // The child is told, briefly and without the parent's folder in the text.
                EXPECT_NE(run.output.find("message: "), std::string::npos) << run.Describe();
                EXPECT_EQ(run.output.find("message: " + dir.string()), std::string::npos);
                EXPECT_FALSE(Mentions(run, dir / file)) << run.Describe();
            }
            if (accountFile && std::string(damage.name) == "empty") {
                EXPECT_TRUE(Mentions(run, dir / file)) << run.Describe();
            }
            if (file == "bezochtesites.txt" && std::string(damage.name) == "folder") {
                EXPECT_TRUE(Mentions(run, dir / file)) << run.Describe();
            }
            if (file != "words.txt" || std::string(damage.name) == "hundredThousandLines") {
                EXPECT_TRUE(run.Printed("opened " + kFine)) << run.Describe();
                EXPECT_TRUE(run.Printed("refused " + kBlocked)) << run.Describe();
                EXPECT_TRUE(run.Printed("vetoed " + kBlocked)) << run.Describe();
                EXPECT_TRUE(run.Printed("let through " + kFine)) << run.Describe();
            }
            if (file == "words.txt" && damage.unusable) {
                // No list to check against: nothing is opened through the address box.
                EXPECT_FALSE(run.Printed("opened " + kFine)) << run.Describe();
                EXPECT_FALSE(run.Printed("opened " + kBlocked)) << run.Describe();
            }
        }
    }
    EXPECT_EQ(tried, static_cast<int>(Damages().size()));
    std::printf("damages of %s tried: %d\n", GetParam().c_str(), tried);
}

INSTANTIATE_TEST_SUITE_P(BadDataFiles, EachFileDamaged, ::testing::ValuesIn(kDataFiles),
                         [](const auto& info) {
                             std::string name = info.param;
                             return name.substr(0, name.find('.'));
                         });

// Writes that fail for root as well as for anyone else: the program reports the file and keeps
// what it had; a read-only folder, which root writes into anyway, at least starts and closes.
TEST(BadDataFiles, FoldersThatRefuseWritesAreReportedAndChangeNothing) {
    {
        SCOPED_TRACE("data folder missing");
        TempFolder parent;
        const fs::path dir = fs::path(parent.Path()) / "gone";
        const DriverRun run = RunDriver({dir.string(), "use", "close"});
        ASSERT_TRUE(run.exited && run.exitCode == 0) << run.Describe();
        EXPECT_TRUE(Mentions(run, dir / "bezochtesites.txt")) << run.Describe();
        EXPECT_TRUE(Mentions(run, dir / "paswoordNaam.txt")) << run.Describe();
        EXPECT_FALSE(fs::exists(dir));
    }
    {
        SCOPED_TRACE("file size limit 0: close and the panel's save");
        TempFolder folder;
        const fs::path dir = folder.Path();
        PutGoodFiles(dir);
        const Snapshot before = Snap(dir);
        DriverOptions noRoom;
        noRoom.noFileSize = true;
        const DriverRun closed = RunDriver({dir.string(), "close"}, noRoom);
        ASSERT_TRUE(closed.exited && closed.exitCode == 0) << closed.Describe();
        EXPECT_TRUE(Mentions(closed, dir / "bezochtesites.txt")) << closed.Describe();
        // The save stops at its first failed file and the program stays open.
        const DriverRun saved = RunDriver({dir.string(), "save"}, noRoom);
        ASSERT_TRUE(saved.exited && saved.exitCode == 0) << saved.Describe();
        EXPECT_TRUE(Mentions(saved, dir / "adressen.txt")) << saved.Describe();
        EXPECT_TRUE(saved.Printed("done")) << saved.Describe();
        EXPECT_EQ(Snap(dir), before);
    }
    {
        SCOPED_TRACE("read-only data folder");
        TempFolder folder;
        const fs::path dir = folder.Path();
        PutGoodFiles(dir);
        chmod(dir.c_str(), 0555);
        const Snapshot before = Snap(dir);
        const DriverRun run = RunDriver({dir.string(), "use", "open:" + kBlocked});
        chmod(dir.c_str(), 0755);
        ASSERT_TRUE(run.exited && run.exitCode == 0) << run.Describe();
        EXPECT_TRUE(run.Printed("refused " + kBlocked)) << run.Describe();
        EXPECT_EQ(Snap(dir), before);
    }
}

// The runs above use a fake web view. The start address goes straight into the real one, so
// the worst start-page lines are also given to it, with the intro timer's reveal included.
TEST(BadDataFiles, TheRealWebViewTakesAHugeOrBinaryStartPage) {
    for (const char* kind : {"tenMegabyteLine", "binary"}) {
        SCOPED_TRACE(kind);
        TempFolder folder;
        const fs::path dir = folder.Path();
        PutGoodFiles(dir);
        for (const Damage& damage : Damages()) {
            if (std::string(damage.name) == kind) {
                damage.apply(dir / "startpagina.txt", "startpagina.txt");
            }
        }
        Snapshot before = Snap(dir);
        before.erase("bezochtesites.txt");
        const DriverRun run =
            RunDriver({dir.string(), "--real-view", "wait:3500", "use", "close"}, kSlowStart);
        ASSERT_TRUE(run.exited && run.exitCode == 0) << run.Describe();
        EXPECT_TRUE(run.Printed("waited")) << run.Describe();
        EXPECT_TRUE(run.Printed("used")) << run.Describe();
        Snapshot after = Snap(dir);
        after.erase("bezochtesites.txt");
        EXPECT_EQ(after, before);
    }
}

}  // namespace
