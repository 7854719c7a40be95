// The filter's one decision, a row per case: whatever asks (the window, the engine adapter, the
// page process) gets this answer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filter/Decision.h"

namespace {

using filter::Kind;
using filter::ListState;
using filter::Reason;

enum class Switch { Off, On };

struct Row {
    const char* name;
    const char* address;
    Kind kind;
    Switch allowedOnly;
    ListState list;
    Reason reason;
    bool explained;
    const char* frameShows = "";
    bool filterMissing = false;
    const char* frameHolder = "";
};

std::ostream& operator<<(std::ostream& out, const Row& row) {
    return out << row.name;
}

const filter::WordMatcher& Words() {
    static const filter::WordMatcher words({"casino", "", "porn"});
    return words;
}

class Decision : public ::testing::TestWithParam<Row> {};

TEST_P(Decision, Answers) {
    const Row& row = GetParam();
    const filter::Settings settings{
        .allowedSitesOnly = row.allowedOnly == Switch::On,
        .allowedAddresses = {"www.pbskids.org", "http://starfall.com/", "http://home.example/"},
        .programKey = "k3y"};
    const filter::Verdict verdict =
        filter::Decide({.address = row.address,
                        .kind = row.kind,
                        .frameShows = row.frameShows,
                        .frameHolder = row.frameHolder},
                       {row.list, row.list == ListState::Present ? &Words() : nullptr}, settings,
                       row.filterMissing);
    EXPECT_EQ(verdict.reason, row.reason);
    EXPECT_EQ(verdict.Explained(), row.explained);
}

constexpr auto Top = Kind::TopLevel;
constexpr auto Frame = Kind::Frame;
constexpr auto Sub = Kind::SubResource;
constexpr auto Either = Kind::PageOrFrame;
constexpr auto Off = Switch::Off;
constexpr auto On = Switch::On;
constexpr auto Here = ListState::Present;
constexpr auto Gone = ListState::Missing;
constexpr auto Broken = ListState::Unreadable;

const Row kRows[] = {
    {"CleanPage", "http://pbskids.org/", Top, Off, Here, Reason::None, false},
    {"WordInPath", "http://x.org/casino", Top, Off, Here, Reason::BlockedWord, true},
    {"WordEscaped", "http://x.org/c%61sino", Top, Off, Here, Reason::BlockedWord, true},
    {"WordEscapedTwice", "http://x.org/c%2561sino", Top, Off, Here, Reason::BlockedWord, true},
    {"EscapedPercentOnly", "http://x.org/%2569", Top, Off, Here, Reason::None, false},
    {"WordCaseCounts", "http://x.org/CASINO", Top, Off, Here, Reason::None, false},
    {"WordInUserInfo", "http://porn@x.org/", Top, Off, Here, Reason::BlockedWord, true},
    {"WordInFrameSilent", "http://x.org/porn", Frame, Off, Here, Reason::BlockedWord, false},
    {"WordInPictureSilent", "http://x.org/porn.png", Sub, Off, Here, Reason::BlockedWord, false},
    {"BlankNeverJudged", "about:blank", Top, On, Here, Reason::None, false},
    {"BlankAnyCase", "About:Blank", Top, Off, Gone, Reason::None, false},
    {"SrcdocFrameNeverJudged", "about:srcdoc", Frame, On, Here, Reason::None, false},
    {"OtherAboutOffTheList", "about:config", Top, On, Here, Reason::OffTheList, true},
    {"RefusalPageOpens", "lanternwick://refused/?k3y", Top, On, Broken, Reason::None, false},
    {"ProgramPageWithoutTheKey", "lanternwick://help/", Top, Off, Here, Reason::NotHere, true},
    {"ProgramPageWithAnotherKey", "lanternwick://help/?k3yy", Either, Off, Here, Reason::NotHere,
     true},
    {"ProgramPageNeverForAScript", "lanternwick://help/?k3y", Sub, Off, Here, Reason::NotHere,
     false},
    {"ProgramPageNotInAFrame", "LanternWick://refused/", Frame, Off, Here, Reason::NotHere, false},
    {"ListMissingRefuses", "http://pbskids.org/", Top, Off, Gone, Reason::NoWordList, false},
    {"ListMissingRefusesPictures", "http://pbskids.org/a.png", Sub, Off, Gone, Reason::NoWordList,
     false},
    {"ListUnreadableRefuses", "http://pbskids.org/", Frame, Off, Broken, Reason::NoWordList, false},
    {"EmptyListOpens", "http://anything.example/", Top, Off, Here, Reason::None, false, "", false},
    {"FilterMissingRefuses", "http://pbskids.org/", Top, Off, Here, Reason::FilterMissing, false,
     "", true},
    {"SwitchOffAnyHost", "http://other.example/", Top, Off, Here, Reason::None, false},
    {"SwitchOnAllowedHost", "http://pbskids.org/games", Top, On, Here, Reason::None, false},
    {"SwitchOnSubdomain", "https://video.pbskids.org/", Top, On, Here, Reason::None, false},
    {"SwitchOnStartPage", "http://home.example/x", Top, On, Here, Reason::None, false},
    {"SwitchOnOtherHost", "http://other.example/", Top, On, Here, Reason::OffTheList, true},
    {"SwitchOnLookAlike", "http://pbskids.org.evil.example/", Top, On, Here, Reason::OffTheList,
     true},
    {"SwitchOnUserInfoHost", "http://pbskids.org@evil.example/", Top, On, Here, Reason::OffTheList,
     true},
    {"SwitchOnBackslashHost", "http://evil.example\\@pbskids.org/", Top, On, Here,
     Reason::OffTheList, true},
    {"SwitchOnNonAsciiHost", "http://p\xC3\xA9skids.org/", Top, On, Here, Reason::OffTheList, true},
    {"SwitchOnOtherScheme", "ftp://pbskids.org/", Top, On, Here, Reason::OffTheList, true},
    {"SwitchOnPictureAnyHost", "http://cdn.other.example/p.png", Sub, On, Here, Reason::None,
     false},
    {"FrameLoadsWhatThePagePutIn", "http://player.example/", Frame, On, Here, Reason::None, false},
    {"FrameGoesOnWithinItsHost", "http://player.example/level2", Frame, On, Here, Reason::None,
     false, "http://player.example/level1"},
    {"FrameGoesOnToAnAllowedSite", "http://starfall.com/", Frame, On, Here, Reason::None, false,
     "http://player.example/"},
    {"FrameLedToAThirdHost", "http://ads.example/", Frame, On, Here, Reason::OffTheList, false,
     "http://player.example/"},
    {"WrittenFrameGoesOnWithinItsPagesHost", "http://cdn.player.example/", Frame, On, Here,
     Reason::None, false, "about:srcdoc", false, "http://player.example/game"},
    {"WrittenFrameLedToAThirdHost", "http://ads.example/", Frame, On, Here, Reason::OffTheList,
     false, "about:srcdoc", false, "http://player.example/"},
    {"BlankFrameLedToAThirdHost", "http://ads.example/", Frame, On, Here, Reason::OffTheList, false,
     "about:blank", false, "http://player.example/"},
    {"WrittenFrameOfAnUnreadPageOnlyToAllowedSites", "http://player.example/", Frame, On, Here,
     Reason::OffTheList, false, "about:srcdoc"},
    {"FrameAnyHostSwitchOff", "http://ads.example/", Frame, Off, Here, Reason::None, false,
     "http://player.example/"},
    {"EitherOtherHostIsLeftToThePageProcess", "http://other.example/", Either, On, Here,
     Reason::None, false},
    {"EitherWordIsRefusedAsAPage", "http://x.org/casino", Either, Off, Here, Reason::BlockedWord,
     true},
    {"EitherNotAWebAddressIsJudgedAsAPage", "ftp://pbskids.org/", Either, On, Here,
     Reason::OffTheList, true},
    {"WordBeatsAllowedHost", "http://pbskids.org/casino", Top, On, Here, Reason::BlockedWord, true},
};

INSTANTIATE_TEST_SUITE_P(Rows, Decision, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

// A parent may type one letter by mistake; it is inside the program's own addresses and the
// empty page, which open all the same, so a refusal never loops back to a refusal.
TEST(DecisionShortWord, TheProgramsOwnPagesAndTheEmptyPageStillOpen) {
    const filter::WordMatcher a({"a"});
    const filter::Words words{ListState::Present, &a};
    const filter::Settings settings{
        .allowedSitesOnly = false, .allowedAddresses = {}, .programKey = "k"};
    for (const char* address :
         {"about:blank", "lanternwick://refused/?k", "lanternwick://help/?k"}) {
        EXPECT_TRUE(filter::Decide({.address = address, .kind = Kind::TopLevel, .frameShows = {}},
                                   words, settings)
                        .Opens())
            << address;
    }
    EXPECT_EQ(filter::Decide(
                  {.address = "http://pbskids.org/games", .kind = Kind::TopLevel, .frameShows = {}},
                  words, {})
                  .reason,
              Reason::BlockedWord);
}
