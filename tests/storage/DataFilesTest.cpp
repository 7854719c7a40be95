#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "browser/Address.h"
#include "storage/DataFiles.h"
#include "storage/DataPath.h"
#include "storage/LineFile.h"
#include "storage/Records.h"
#include "storage/TextEncoding.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

using testsupport::TempFolder;

TEST(Records, NamesOfAnyLengthUpToTwentyKeepTheirColumns) {
    const std::string address = "http://www.example.org/kids";
    for (const std::string name : {"abc", "Twenty characters!!!", "Čapek", ""}) {
        const std::string record = storage::SiteRecord(name, address);
        EXPECT_EQ(storage::CharCount(record), 21 + address.size()) << name;
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

// A record's address as the parent typed it, and what the web view is given for it.
TEST(Records, AddressesWithoutAKnownSchemeOpenAsHttp) {
    for (const std::string typed : {"www.starfall.com", "127.0.0.1:8080/kids.html",
                                    "localhost:8080/x", "file:///etc/passwd", "javascript:x()"}) {
        EXPECT_EQ(browser::WithScheme(typed), "http://" + typed);
    }
    for (const std::string whole :
         {"http://zoo.example/", "https://zoo.example/a:b", "HTTP://ZOO.EXAMPLE", "About:blank",
          "  http://gore.example/ "}) {
        EXPECT_EQ(browser::WithScheme(whole), whole);
    }
    EXPECT_EQ(browser::WithScheme(""), "");
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

    EXPECT_FALSE(storage::IsValidUtf8("\xC0\xAF"));      // overlong
    EXPECT_FALSE(storage::IsValidUtf8("\xED\xA0\x80"));  // surrogate
    EXPECT_FALSE(storage::IsValidUtf8("abc\xE2\x82"));   // cut short
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
