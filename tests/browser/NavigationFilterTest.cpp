// The navigation filter of the browser window, driven through a fake web view.
#include <gtest/gtest.h>

#include <wx/combobox.h>
#include <wx/textctrl.h>
#include <algorithm>

#include "browser/frmBrowser.h"
#include "i18n/CaptionTables.h"
#include "support/Harness.h"

using testsupport::Harness;
using Lines = std::vector<std::string>;

namespace {

class NavigationFilter : public ::testing::Test {
protected:
    void SetUp() override {
        h.Put("words.txt", {"casino", "", "porn", "casino", "Gore"});
        h.Put("startpagina.txt", {"Home                 http://home.example/"});
        h.Start();
        h.View().calls.clear();
    }

    browser::frmBrowser& Browser() { return h.Browser(); }
    void Open(const std::string& address) {
        Browser().cboURL->SetValue(address);
        Browser().cboURL_Click();
    }
    Lines History() {
        Lines items;
        for (const auto& s : Browser().cboURL->GetStrings()) {
            items.push_back(s.utf8_string());
        }
        return items;
    }

    Harness h;
};

TEST_F(NavigationFilter, StartOpensTheStartPageThroughTheAddressBoxAndLogsIt) {
    Harness fresh;
    fresh.Put("words.txt", {"casino"});
    fresh.Put("startpagina.txt", {"Home                 http://home.example/"});
    fresh.Start();
    EXPECT_EQ(fresh.View().calls, (Lines{"navigate About:blank", "navigate http://home.example/"}));
    EXPECT_EQ(fresh.VisitLog(), Lines{"http://home.example/"});
}

TEST_F(NavigationFilter, AStartPageWithABlockedWordIsNeverOpened) {
    Harness fresh;
    fresh.Put("words.txt", {"casino"});
    fresh.Put("startpagina.txt", {"Bad                  http://casino.example/"});
    fresh.Start();
    // The refusal page stands in its place, and the parent sees what was tried.
    EXPECT_EQ(fresh.View().calls,
              (Lines{"navigate About:blank", "navigate lanternwick://refused/?KEY"}));
    EXPECT_EQ(fresh.VisitLog(), Lines{"http://casino.example/"});
}

TEST_F(NavigationFilter, ABlockedAddressThroughTheAddressBoxOpensOnlyTheRefusalPage) {
    Lines log = h.VisitLog();
    h.View().backPages = 5;
    Open("http://www.casino.example/");
    Open("http://x.example/porn");
    // Escapes hide nothing, however often they are escaped again.
    Open("http://x.example/p%6Frn");
    Open("http://x.example/p%256Frn");
    EXPECT_EQ(h.View().calls, Lines(4, "navigate lanternwick://refused/?KEY"));
    for (const char* tried : {"http://www.casino.example/", "http://x.example/porn",
                              "http://x.example/p%6Frn", "http://x.example/p%256Frn"}) {
        log.push_back(tried);
    }
    EXPECT_EQ(h.VisitLog(), log);
    h.View().calls.clear();

    // Case counts: "Gore" does not block "gore", and a clean address opens and is logged as is.
    Open("  http://gore.example/ ");
    EXPECT_EQ(h.View().calls, Lines{"navigate   http://gore.example/ "});
    EXPECT_EQ(h.VisitLog().back(), "  http://gore.example/ ");
}

TEST_F(NavigationFilter, AReachedBlockedPageGivesWayToTheNearestCleanOneOnce) {
    // The empty line and "Gore" match nothing; the page before the clean one is blocked too.
    h.View().loading = false;
    h.View().history = {"http://porn.example/", "lanternwick://refused/", "http://clean.example/"};
    h.View().Reach("http://casino.example/porn/casino?gore");
    EXPECT_EQ(h.View().calls, Lines{"navigate http://clean.example/"});
    // Logged once, however many words it holds and however often the check looks at it.
    Browser().tmrcheck_Timer();
    const Lines log = h.VisitLog();
    EXPECT_EQ(std::count_if(log.begin(), log.end(),
                            [](const std::string& e) { return e.find("casino?gore") != e.npos; }),
              1);

    h.View().calls.clear();
    h.View().Reach("http://clean.example/");
    EXPECT_TRUE(h.View().calls.empty());
}

TEST_F(NavigationFilter, WithNoEarlierPageABlockedPageGivesWayToABlankOne) {
    h.View().loading = false;
    h.View().Reach("http://casino.example/porn");
    EXPECT_EQ(h.View().calls, Lines{"navigate about:blank"});
}

TEST_F(NavigationFilter, ReachedPagesAreLoggedAndKeptOnceInTheHistoryNewestFirst) {
    const size_t before = h.VisitLog().size();
    h.View().Reach("http://a.example/");
    h.View().Reach("http://b.example/");
    h.View().Reach("http://a.example/");
    h.View().Reach("http://A.example/");
    EXPECT_EQ(History(), (Lines{"http://A.example/", "http://a.example/", "http://b.example/"}));
    EXPECT_EQ(Browser().cboURL->GetValue(), "http://A.example/");

    // The same page again within a minute is written once, with its first time.
    Lines log = h.VisitLog();
    ASSERT_EQ(log.size(), before + 3);
    EXPECT_EQ(log[before], "http://a.example/ --> Datum: 7-12-2026 Tijd: 21:45:09");
    EXPECT_EQ(log.back(), "http://A.example/ --> Datum: 7-12-2026 Tijd: 21:45:09");
    // A reached page is checked, never navigated to again.
    EXPECT_TRUE(h.View().calls.empty());

    h.clock.steady += 59;
    h.clock.time = "21:46:08";
    h.View().Reach("http://a.example/");
    EXPECT_EQ(h.VisitLog().size(), before + 3);
    h.clock.steady += 1;
    h.View().Reach("http://a.example/");
    EXPECT_EQ(h.VisitLog().back(), "http://a.example/ --> Datum: 7-12-2026 Tijd: 21:46:08");

    // A page that leads itself on and on adds no more than twenty lines a minute, the page
    // reached just before among them.
    for (int i = 0; i < 100; ++i) {
        h.View().Reach("http://loop.example/?n=" + std::to_string(i));
    }
    log = h.VisitLog();
    EXPECT_EQ(std::ranges::count_if(log, [](const std::string& e) { return e.find("loop") == 7; }),
              19);
}

TEST_F(NavigationFilter, AnAddressThePanelAsksForOpensAtOnceThroughTheChecks) {
    Browser().OpenAddress("help.example/");
    EXPECT_EQ(h.View().calls, Lines{"navigate http://help.example/"});
    EXPECT_EQ(h.VisitLog().back(), "http://help.example/");
    h.View().calls.clear();
    Browser().OpenAddress("http://casino.example/");
    EXPECT_EQ(h.View().calls, Lines{"navigate lanternwick://refused/?KEY"});
}

TEST_F(NavigationFilter, OnlyTheEnterKeyOpensTheAddress) {
    Browser().cboURL->SetValue("http://enter.example/");
    Browser().cboURL_KeyPress('a');
    EXPECT_TRUE(h.View().calls.empty());
    Browser().cboURL_KeyPress(13);
    EXPECT_EQ(h.View().calls, Lines{"navigate http://enter.example/"});
}

TEST_F(NavigationFilter, AnnouncedNavigationsWithABlockedWordAreRefused) {
    EXPECT_TRUE(h.View().Announce("http://casino.example/"));
    EXPECT_TRUE(h.View().Announce("http://ads.example/frame?porn", false));
    EXPECT_FALSE(Browser().IsBusy());
    EXPECT_FALSE(Browser().timBrowser.IsRunning());

    // A clean main-frame navigation shows the hourglass and arms the watchdog; a frame inside
    // the page does neither.
    EXPECT_FALSE(h.View().Announce("http://frame.example/", false));
    EXPECT_FALSE(Browser().IsBusy());
    EXPECT_FALSE(h.View().Announce("http://clean.example/"));
    EXPECT_TRUE(Browser().IsBusy());
    EXPECT_TRUE(Browser().timBrowser.IsRunning());
    h.View().FinishLoading();
    EXPECT_FALSE(Browser().IsBusy());
    h.View().Reach("http://clean.example/");
    EXPECT_FALSE(Browser().timBrowser.IsRunning());

    // Whatever the word list says, the blank page stays reachable.
    h.Put("words.txt", {"blank"});
    EXPECT_FALSE(h.View().Announce("about:blank"));
}

TEST_F(NavigationFilter, TheWatchdogStopsTheLoadAndSaysSo) {
    h.View().Announce("http://slow.example/");
    Browser().timBrowser_Timer();
    EXPECT_EQ(h.View().calls, Lines{"stop"});
    EXPECT_FALSE(Browser().IsBusy());
    EXPECT_FALSE(Browser().timBrowser.IsRunning());
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text, "ER IS EEN CONNECTIEFOUT");
    EXPECT_EQ(h.messages.shown[0].title, "INFORMATIE");
    EXPECT_EQ(h.messages.shown[0].icon, platform::Messages::Icon::Information);

    // A view that has long finished loading has no connection fault to report.
    h.View().calls.clear();
    h.View().loading = false;
    h.View().Announce("http://frame.example/");
    Browser().timBrowser_Timer();
    EXPECT_TRUE(h.View().calls.empty());
    EXPECT_EQ(h.messages.shown.size(), 1u);
    EXPECT_FALSE(Browser().IsBusy());
    EXPECT_FALSE(Browser().timBrowser.IsRunning());
}

TEST_F(NavigationFilter, WithoutAWordListNothingOpensAndTheChildIsToldBriefly) {
    std::filesystem::remove(h.folder.File("words.txt"));
    Open("http://fine.example/");
    EXPECT_TRUE(h.View().calls.empty());
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text.find(h.folder.Path()), std::string::npos);

    // Links, frames and redirects the view announces get the same answer, silently; the empty
    // page still opens.
    EXPECT_TRUE(h.View().Announce("http://fine.example/"));
    EXPECT_TRUE(h.View().Announce("http://fine.example/frame", false));
    EXPECT_FALSE(h.View().Announce("about:blank"));
    EXPECT_EQ(h.messages.shown.size(), 1u);

    // A list that is there but cannot be read refuses alike.
    std::filesystem::create_directory(h.folder.File("words.txt"));
    EXPECT_TRUE(h.View().Announce("http://fine.example/"));
    EXPECT_FALSE(h.View().Announce("about:blank"));
    std::filesystem::remove(h.folder.File("words.txt"));

    // During start-up the same gap stays silent; a start page of its own would not open.
    Harness silent;
    silent.Put("startpagina.txt", {"Home                 http://home.example/"});
    silent.Start();
    EXPECT_TRUE(silent.messages.shown.empty());
    EXPECT_EQ(silent.View().calls, Lines{"navigate About:blank"});

    // Without the engine's request filter the word list cannot hold, so nothing opens, and
    // the parent is told from the start, in the run's language.
    Harness unfiltered;
    unfiltered.fakeViews.filterMissing = true;
    unfiltered.Put("words.txt", {"casino"});
    unfiltered.Put("languagechoose.txt", {"Dutch", "Dutch"});
    unfiltered.Put("startpagina.txt", {"Home                 http://home.example/"});
    unfiltered.Start();
    EXPECT_EQ(unfiltered.View().calls, Lines{"navigate About:blank"});
    EXPECT_TRUE(unfiltered.View().Announce("http://fine.example/"));
    EXPECT_FALSE(unfiltered.View().Announce("about:blank"));
    ASSERT_EQ(unfiltered.messages.shown.size(), 1u);
    EXPECT_EQ(unfiltered.messages.shown[0].text,
              i18n::MessageText(i18n::Language::Dutch, i18n::Message::FilterMissing));
}

TEST_F(NavigationFilter, ANewWindowRequestOpensInTheSameView) {
    h.View().AskForNewWindow("http://popup.example/");
    EXPECT_EQ(h.View().calls, Lines{"navigate http://popup.example/"});
    // A blocked one is never handed to the view, which would name it as its address meanwhile.
    h.View().AskForNewWindow("http://casino.example/");
    EXPECT_EQ(h.View().calls.back(), "navigate lanternwick://refused/?KEY");
    EXPECT_EQ(h.VisitLog().back(), "http://casino.example/");
}

}  // namespace
