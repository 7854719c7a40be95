// Start and close of the program's windows on a temporary data folder.
#include <gtest/gtest.h>
#include <wx/listbox.h>
#include <wx/textctrl.h>

#include <filesystem>

#include "app/frmMdi.h"
#include "browser/frmBrowser.h"
#include "parents/Parents.h"
#include "support/Harness.h"

using testsupport::Harness;
using Lines = std::vector<std::string>;

namespace {

const std::string kSeparator(23, '-');

TEST(StartAndClose, ReadsTheDataFilesInOrderAndFillsThePanelLists) {
    Harness h;
    h.Put("adressen.txt", {"Kids                 https://kids.example/",
                           "Zoo                  https://zoo.example/"});
    h.Put("bezochtesites.txt", {"old entry", kSeparator});
    h.Put("startpagina.txt",
          {"One                  http://one.example/", "Two                  http://two.example/",
           "Three                   http://three.example/   "});
    h.Put("words.txt", {"casino"});
    auto& browser = h.Start();

    // The settings are read once, after the language and before the start page opens, as the
    // parent's switch judges the start page too.
    EXPECT_EQ(h.reads, (Lines{"adressen.txt", "bezochtesites.txt", "startpagina.txt",
                              "languagechoose.txt", "instellingen.txt", "words.txt"}));
    EXPECT_TRUE(browser.IsShown());
    EXPECT_EQ(browser.GetTitle(), "Lanternwick");
    // The last start-page line wins, without its surrounding spaces.
    EXPECT_EQ(browser.Text4->GetValue(), "http://three.example/");
    EXPECT_EQ(h.View().calls, (Lines{"navigate About:blank", "navigate http://three.example/"}));
    EXPECT_EQ(h.VisitLog(), (Lines{"old entry", kSeparator, "http://three.example/"}));
    EXPECT_TRUE(h.messages.shown.empty());

    // The web view stays covered until the intro timer fires once.
    EXPECT_FALSE(browser.brwbrowser().Control()->IsShown());
    EXPECT_TRUE(browser.TmrIntro.IsRunning());
    browser.TmrIntro_Timer();
    EXPECT_TRUE(browser.brwbrowser().Control()->IsShown());
    EXPECT_FALSE(browser.TmrIntro.IsRunning());
}

TEST(StartAndClose, MissingFilesStartSilentlyWithEmptyLists) {
    Harness h;
    h.Put("words.txt", {"casino"});
    auto& browser = h.Start();
    EXPECT_TRUE(h.messages.shown.empty());
    EXPECT_EQ(browser.Text4->GetValue(), "about:blank");
    EXPECT_EQ(h.View().calls, (Lines{"navigate About:blank", "navigate about:blank"}));
    EXPECT_EQ(h.VisitLog(), Lines{"about:blank"});
}

TEST(StartAndClose, EachRunEndsItsLogEntriesWithOneSeparator) {
    Harness h;
    h.Put("words.txt", {"casino"});
    h.Put("startpagina.txt", {"Home                 http://home.example/"});
    h.Put("bezochtesites.txt", {"from before"});

    h.Start();
    h.View().Reach("http://home.example/");
    h.Browser().Close();
    EXPECT_EQ(h.ender.ended, 1);
    EXPECT_FALSE(h.Browser().IsShown());
    const std::string reached = "http://home.example/ --> Datum: 7-12-2026 Tijd: 21:45:09";
    EXPECT_EQ(h.Lines("bezochtesites.txt"),
              (Lines{"from before", "http://home.example/", reached, kSeparator}));

    h.Restart();
    h.Browser().Close();
    EXPECT_EQ(h.Lines("bezochtesites.txt"),
              (Lines{"from before", "http://home.example/", reached, kSeparator,
                     "http://home.example/", kSeparator}));
    EXPECT_EQ(h.folder.Get("bezochtesites.txt").substr(0, 13), "from before\r\n");
}

TEST(StartAndClose, AFailedLogWriteAtCloseIsReportedAndTheCloseGoesOn) {
    Harness h;
    h.Put("words.txt", {"casino"});
    h.Start();
    // A folder where the log file should be: the replacement fails for every user, root too.
    std::filesystem::create_directory(h.folder.File("bezochtesites.txt"));
    h.Browser().Close();
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_NE(h.messages.shown[0].text.find(h.folder.File("bezochtesites.txt")), std::string::npos);
    EXPECT_EQ(h.ender.ended, 1);
}

TEST(StartAndClose, ClosingTheContainerClosesThroughTheBrowserWindowOnce) {
    Harness h;
    h.Put("words.txt", {"casino"});
    auto& browser = h.Start();
    auto& mdi = h.Windows().Mdi();
    EXPECT_EQ(mdi.GetTitle(), "browser");
    EXPECT_FALSE(mdi.IsShown());

    // The panel refuses a close from its title bar and stays open.
    auto& panel = h.Windows().Panel();
    panel.Show();
    EXPECT_FALSE(panel.Close());
    EXPECT_TRUE(panel.IsShown());
    h.Windows().Family().AddBareAddress("http://x.example/");

    mdi.Close();
    EXPECT_EQ(h.ender.ended, 1);
    EXPECT_FALSE(browser.IsShown());
    EXPECT_EQ(h.Lines("bezochtesites.txt"),
              (Lines{"about:blank", "http://x.example/", kSeparator}));
}

}  // namespace
