#include <gtest/gtest.h>
#include <sys/stat.h>
#ifdef __linux__
#include <sys/syscall.h>
#include <unistd.h>
#endif

#include <atomic>
#include <filesystem>
#include <string>
#include <vector>

#include "basics/TextEncoding.h"
#include "filter/Address.h"
#include "storage/DataFiles.h"
#include "storage/DataPath.h"
#include "storage/LineFile.h"
#include "storage/Records.h"
#include "storage/Settings.h"
#include "storage/SitePictures.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

using testsupport::TempFolder;

// Every change of the process's umask in this test program goes through here and is counted.
// While it is changed, a file another thread creates gets the wrong permissions.
static std::atomic<int> umaskCalls = 0;
#ifdef __linux__
extern "C" mode_t umask(mode_t mask) noexcept {
    ++umaskCalls;
    return static_cast<mode_t>(syscall(SYS_umask, mask));
}
#endif

TEST(Records, NamesOfAnyLengthUpToTwentyKeepTheirColumns) {
    const std::string address = "http://www.example.org/kids";
    for (const std::string name : {"abc", "Twenty characters!!!", "Čapek", ""}) {
        const std::string record = storage::SiteRecord(name, address);
        EXPECT_EQ(basics::CharCount(record), 21 + address.size()) << name;
        EXPECT_EQ(storage::SiteName(record), name);
        EXPECT_EQ(storage::SiteAddress(record), address);
    }
    EXPECT_EQ(storage::SiteRecord("abc", "x"), "abc" + std::string(18, ' ') + "x");
}

TEST(Records, SeventyCharacterAddressesComeBackWhole) {
    const std::string address70(70, 'a');
    EXPECT_EQ(storage::SiteAddress(storage::SiteRecord("name", address70)), address70);

    const std::string start = storage::StartPageRecord("Start", address70);
    EXPECT_EQ(storage::StartAddress(start), "http://" + address70);
    // Spaces around the stored address are not part of it.
    EXPECT_EQ(storage::StartAddress("Home" + std::string(17, ' ') + "  http://x.org  "),
              "http://x.org");
    EXPECT_EQ(storage::StartAddress("short"), "");
}

// What the editors accept as an address: what opens as a web page, and nothing else.
TEST(Records, OnlyAddressesThatOpenAsWebPagesAreTaken) {
    using storage::AddressProblem;
    const std::vector<std::pair<std::string, AddressProblem>> rows{
        {"www.starfall.com", AddressProblem::None},
        {"HTTPS://zoo.example/a:b", AddressProblem::None},
        {"localhost:8080/x", AddressProblem::None},
        {"zoo.example:80", AddressProblem::None},
        {"  http://zoo.example/  ", AddressProblem::None},
        {"", AddressProblem::None},
        {"javascript:alert(1)", AddressProblem::OtherScheme},
        {"file:///etc/passwd", AddressProblem::OtherScheme},
        {"data:text/html,<b>hi</b>", AddressProblem::OtherScheme},
        {"About:blank", AddressProblem::OtherScheme},
        {"www.zoo .example", AddressProblem::BlankInside},
        {"www.zoo\t.example", AddressProblem::BlankInside},
    };
    for (const auto& [typed, problem] : rows) {
        EXPECT_EQ(storage::TypedAddressProblem(typed), problem) << typed;
    }
    EXPECT_TRUE(storage::HasControlCharacters("Zoo\tKids"));
    EXPECT_FALSE(storage::HasControlCharacters("Caf\xC3\xA9 kids"));
    EXPECT_EQ(storage::TypedStartPageRecord("Home", "https://zoo.example/"),
              storage::SiteRecord("Home", "https://zoo.example/"));
    EXPECT_EQ(storage::TypedStartPageRecord("Home", " zoo.example "),
              storage::StartPageRecord("Home", "zoo.example"));
}

// A record's address as the parent typed it, and what the web view is given for it.
TEST(Records, AddressesWithoutAKnownSchemeOpenAsHttp) {
    for (const std::string typed : {"www.starfall.com", "127.0.0.1:8080/kids.html",
                                    "localhost:8080/x", "file:///etc/passwd", "javascript:x()"}) {
        EXPECT_EQ(filter::WithScheme(typed), "http://" + typed);
    }
    for (const std::string whole :
         {"http://zoo.example/", "https://zoo.example/a:b", "HTTP://ZOO.EXAMPLE", "About:blank",
          "  http://gore.example/ "}) {
        EXPECT_EQ(filter::WithScheme(whole), whole);
    }
    EXPECT_EQ(filter::WithScheme(""), "");
}

TEST(LineFile, EveryLineEndIsRecognised) {
    EXPECT_EQ(storage::SplitLines("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(storage::SplitLines("a\rb\nc"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(storage::SplitLines("a\r\n\r\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(storage::SplitLines("a\n\rb"), (Lines{"a", "", "b"}));  // LF, then CR: two ends
    EXPECT_EQ(storage::SplitLines("  kept  \r\n"), (Lines{"  kept  "}));
    EXPECT_TRUE(storage::SplitLines("").empty());
    EXPECT_EQ(storage::SplitLines("\r\n"), (Lines{""}));
}

TEST(LineFile, ReadsUtf8AndFallsBackToWindows1252) {
    TempFolder dir;
    dir.Put("utf8.txt", "\xEF\xBB\xBFsch\xC3\xB6n\r\n");
    dir.Put("ansi.txt", "sch\xF6n \x80 \x93x\x94\r\n");
    dir.Put("empty.txt", "");
    EXPECT_EQ(storage::ReadAllLines(dir.File("utf8.txt")), (Lines{"sch\xC3\xB6n"}));
    EXPECT_EQ(storage::ReadAllLines(dir.File("ansi.txt")),
              (Lines{"sch\xC3\xB6n \xE2\x82\xAC \xE2\x80\x9Cx\xE2\x80\x9D"}));
    EXPECT_EQ(storage::ReadAllLines(dir.File("empty.txt")), Lines{});
    EXPECT_FALSE(storage::ReadAllLines(dir.File("missing.txt")).has_value());

    EXPECT_FALSE(basics::IsValidUtf8("\xC0\xAF"));      // overlong
    EXPECT_FALSE(basics::IsValidUtf8("\xED\xA0\x80"));  // surrogate
    EXPECT_FALSE(basics::IsValidUtf8("abc\xE2\x82"));   // cut short
}

TEST(LineFile, WritesCrLfUtf8AndReplacesTheWholeFile) {
    TempFolder dir;
    dir.Put("list.txt", "a much longer old content\r\nsecond\r\nthird\r\n");
    ASSERT_TRUE(storage::WriteAllLines(dir.File("list.txt"), {"sch\xC3\xB6n", ""}).ok);
    EXPECT_EQ(dir.Get("list.txt"), "sch\xC3\xB6n\r\n\r\n");
    ASSERT_TRUE(storage::WriteAllLines(dir.File("list.txt"), {}).ok);
    EXPECT_EQ(dir.Get("list.txt"), "");
    // Nothing but the file itself is left in the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator{}), 1);
}

TEST(LineFile, AFailedWriteSaysWhy) {
    TempFolder dir;
    // A folder that does not exist fails for every user, the superuser included.
    const auto result = storage::WriteAllLines(dir.File("gone/words.txt"), {"x"});
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.reason.find("No such file"), std::string::npos) << result.reason;
}

TEST(LineFile, NewFilesTakeTheUmaskAndRewrittenFilesKeepTheirMode) {
    TempFolder dir;
    auto mode = [&](const std::string& name) {
        return static_cast<unsigned>(fs::status(dir.File(name)).permissions() & fs::perms::mask);
    };
    dir.Put("private.txt", "old\r\n");
    fs::permissions(dir.File("private.txt"), fs::perms(0600));
    dir.Put("shared.txt", "old\r\n");
    fs::permissions(dir.File("shared.txt"), fs::perms(0664));  // more than the umask leaves
    const mode_t saved = umask(027);
    const int callsBefore = umaskCalls;
    for (const char* name : {"new.txt", "private.txt", "shared.txt"}) {
        EXPECT_TRUE(storage::WriteAllLines(dir.File(name), {"x"}).ok) << name;
    }
    [[maybe_unused]] const int umaskChanges = umaskCalls - callsBefore;
    umask(saved);
    EXPECT_EQ(mode("new.txt"), 0640u);
    EXPECT_EQ(mode("private.txt"), 0600u);
    EXPECT_EQ(mode("shared.txt"), 0664u);
#ifdef __linux__
    EXPECT_EQ(umaskChanges, 0);
#endif
}

// Only the copies our own saves make are removed at start; a parent's files beside the data
// files stay, whatever they are called.
TEST(DataFiles, StartRemovesOnlyTheCopiesOfAKilledSave) {
    const std::vector<std::string> parents = {"wordsBackup",
                                              "adressenBackup",
                                              "startpaginaKopie1",
                                              "words.txt.bak",
                                              ".words.txt.lanternwick-save-Ab12C",
                                              ".words.txt.lanternwick-save-Ab-2Cd",
                                              "words.txt.lanternwick-save-Ab12Cd",
                                              ".notes.txt.lanternwick-save-Ab12Cd"};
    const std::vector<std::string> copies = {".words.txt.lanternwick-save-Ab12Cd",
                                             ".bezochtesites.txt.lanternwick-save-000000"};
    TempFolder dir;
    for (const auto* names : {&parents, &copies}) {
        for (const auto& name : *names) {
            dir.Put(name, "kept\r\n");
        }
    }
    EXPECT_EQ(storage::DataFiles(dir.Path()).RemoveUnfinishedWrites(), 2);
    for (const auto& name : parents) {
        EXPECT_TRUE(fs::exists(dir.File(name))) << name;
    }
    for (const auto& name : copies) {
        EXPECT_FALSE(fs::exists(dir.File(name))) << name;
    }
}

TEST(DataPath, GetsExactlyOneSeparator) {
    EXPECT_EQ(storage::DataPath("/opt/lanternwick", '/'), "/opt/lanternwick/");
    EXPECT_EQ(storage::DataPath("/opt/lanternwick/", '/'), "/opt/lanternwick/");
    EXPECT_EQ(storage::DataPath("/", '/'), "/");
    EXPECT_EQ(storage::DataPath("C:\\", '\\'), "C:\\");
    EXPECT_EQ(storage::DataPath("C:\\Program Files\\Lanternwick", '\\'),
              "C:\\Program Files\\Lanternwick\\");

    storage::DataFiles data("/");
    EXPECT_EQ(data.PathOf(storage::files::kBlockedWords), "/words.txt");
}

TEST(Settings, MissingBadOrUnknownLinesMeanDefaultsAndSurviveARewrite) {
    TempFolder dir;
    storage::DataFiles data(dir.Path());
    // No file: every setting has its default, and nothing is written until something is saved.
    const storage::Settings none = storage::Settings::Load(data);
    EXPECT_FALSE(none.AllowedSitesOnly());
    EXPECT_FALSE(none.ReadAloud());
    for (int day = 0; day < 7; ++day) {
        EXPECT_FALSE(none.MinutesPerDay(day).has_value()) << day;
    }
    EXPECT_FALSE(fs::exists(dir.File(storage::files::kSettings)));

    // LF ends, Windows-1252, spaces, unknown names, broken lines and values out of range.
    dir.Put(storage::files::kSettings,
            "kleur=bl\xE9u\nalleentoegestaan = 1 \nzonder gelijkteken\r\n=7\r\n voorlezen = 1\r\n"
            "minutenmaandag=60\r\nminutendinsdag=1441\r\nminutenwoensdag=-5\r\n"
            "minutendonderdag=\r\nminutenvrijdag=3O\r\nminutenzondag=0\r\n");
    storage::Settings settings = storage::Settings::Load(data);
    EXPECT_TRUE(settings.AllowedSitesOnly());
    EXPECT_TRUE(settings.ReadAloud());
    const storage::WeekMinutes expected = {
        60, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, 0};
    EXPECT_EQ(settings.Week(), expected);

    settings.SetAllowedSitesOnly(false);
    settings.SetReadAloud(false);
    settings.SetMinutesPerDay(0, std::nullopt);
    settings.SetMinutesPerDay(5, 2000);
    ASSERT_TRUE(settings.Save(data).ok);
    EXPECT_EQ(dir.Get(storage::files::kSettings),
              "kleur=bl\xC3\xA9u\r\nalleentoegestaan=0\r\nzonder gelijkteken\r\n=7\r\n"
              "voorlezen=0\r\nminutendinsdag=1441\r\nminutenwoensdag=-5\r\nminutendonderdag=\r\n"
              "minutenvrijdag=3O\r\nminutenzondag=0\r\nminutenzaterdag=1440\r\n");

    // A name given twice: the last line wins, and a change reaches both.
    storage::NameValueLines twice({"alleentoegestaan=0", "alleentoegestaan=1"});
    EXPECT_EQ(twice.Get("alleentoegestaan"), "1");
    twice.Set("alleentoegestaan", "0");
    EXPECT_EQ(twice.Lines(), (Lines{"alleentoegestaan=0", "alleentoegestaan=0"}));

    // A folder in the file's place is an unreadable file: defaults.
    fs::remove(dir.File(storage::files::kSettings));
    fs::create_directory(dir.File(storage::files::kSettings));
    EXPECT_FALSE(storage::Settings::Load(data).AllowedSitesOnly());
}

// A picture per site beside the data files: named the same whatever spaces the record keeps,
// never taken from a file that is no PNG or too large, and gone with its site.
TEST(SitePictures, NamesReadsAndClearsAwayWhatIsNoSitesPicture) {
    namespace pictures = storage::pictures;
    TempFolder folder;
    const storage::DataFiles files(folder.Path());
    EXPECT_EQ(pictures::FileNameOf("www.pbskids.org"), pictures::FileNameOf("  www.pbskids.org "));
    EXPECT_NE(pictures::FileNameOf("pbskids.org/a"), pictures::FileNameOf("pbskids.org/b"));
    EXPECT_EQ(pictures::FileNameOf("../x/ y?")
                  .find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-."),
              std::string::npos);

    const std::string png = std::string("\x89PNG\r\n\x1a\n") + "rest";
    EXPECT_FALSE(pictures::Write(files, "a.example", "GIF89a").ok);
    EXPECT_FALSE(
        pictures::Write(files, "a.example", png + std::string(pictures::kMaxBytes, 'x')).ok);
    ASSERT_TRUE(pictures::Write(files, "a.example", png).ok);
    ASSERT_TRUE(pictures::Write(files, "b.example", png).ok);
    EXPECT_EQ(pictures::Read(files, "a.example"), png);
    EXPECT_FALSE(pictures::Read(files, "c.example"));
    const fs::path dir = fs::path(folder.Path()) / pictures::kFolder;
    folder.Put(std::string(pictures::kFolder) + "/" + pictures::FileNameOf("c.example"), "GIF89a");
    EXPECT_FALSE(pictures::Read(files, "c.example"));
    // "No picture" is stored, and stops a search, but is no picture to show.
    EXPECT_FALSE(pictures::Stored(files, "d.example"));
    ASSERT_TRUE(pictures::Write(files, "d.example", "").ok);
    EXPECT_TRUE(pictures::Stored(files, "d.example"));
    EXPECT_FALSE(pictures::Read(files, "d.example"));

    pictures::KeepOnly(files, {"b.example"});
    EXPECT_FALSE(pictures::Read(files, "a.example"));
    EXPECT_EQ(pictures::Read(files, "b.example"), png);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}
