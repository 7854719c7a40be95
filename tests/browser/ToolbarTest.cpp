// The toolbar pictures, the strip, the intro and the window's layout.
#include <gtest/gtest.h>
#include <wx/combobox.h>
#include <wx/dcmemory.h>
#include <wx/panel.h>
#include <wx/textctrl.h>

#include <algorithm>

#include "browser/PictureBox.h"
#include "browser/ToolbarArt.h"
#include "browser/frmBrowser.h"
#include "browser/sites.h"
#include "filter/ProgramPages.h"
#include "parents/Parents.h"
#include "parents/paswoord.h"
#include "parents/tijdperdag.h"
#include "storage/Settings.h"
#include "support/Harness.h"
#include "widgets/ChameleonButton.h"

using testsupport::Harness;
using Lines = std::vector<std::string>;

namespace {

class Toolbar : public ::testing::Test {
protected:
    void SetUp() override {
        h.Put("words.txt", {"casino"});
        h.Put("startpagina.txt", {"Home                   http://home.example/   "});
        h.Start();
        h.View().calls.clear();
    }
    browser::frmBrowser& B() { return h.Browser(); }
    Harness h;
};

TEST_F(Toolbar, HoverLightsAButtonUntilThePointerCrossesTheBand) {
    B().PicHome_MouseMove();
    B().PicStop_MouseMove();
    EXPECT_FALSE(B().PicHome->IsShown());
    EXPECT_TRUE(B().PicHome2->IsShown());
    EXPECT_TRUE(B().Picstop2->IsShown());  // two lit at once when the band was never crossed
    EXPECT_FALSE(B().PicPrev2->IsShown());

    B().imgbackground_MouseMove();
    for (auto* twin : {B().PicPrev2, B().PicNext2, B().Picrefresh2, B().Picstop2, B().PicHome2,
                       B().Picparent2}) {
        EXPECT_FALSE(twin->IsShown());
    }
    for (auto* normal :
         {B().PicPrev, B().PicNext, B().PicRefresh, B().PicStop, B().PicHome, B().Picparent}) {
        EXPECT_TRUE(normal->IsShown());
    }
}

TEST_F(Toolbar, BackAndForwardWithNowhereToGoSaySoAndGoBackToNormal) {
    B().PicPrev_MouseMove();
    B().PicPrev2_MouseDown();
    B().PicPrev2_Click();
    B().PicNext_MouseMove();
    B().PicNext2_Click();
    ASSERT_EQ(h.messages.shown.size(), 2u);
    EXPECT_EQ(h.messages.shown[0].text, "YOU CANNOT GO BACK");
    EXPECT_EQ(h.messages.shown[1].text, "YOU CANNOT GO FORWARD");
    EXPECT_EQ(h.messages.shown[0].title, "Lanternwick");
    EXPECT_EQ(h.messages.shown[1].icon, platform::Messages::Icon::Information);
    EXPECT_TRUE(B().PicPrev->IsShown());
    EXPECT_FALSE(B().PicPrev2->IsShown());
    EXPECT_TRUE(B().PicNext->IsShown());

    h.View().backPages = 1;
    B().PicPrev2_Click();
    EXPECT_EQ(h.messages.shown.size(), 2u);
    EXPECT_EQ(h.View().calls, (Lines{"back", "forward", "back"}));
}

TEST_F(Toolbar, RefreshStopAndHomeActOnTheView) {
    B().Picrefresh2_Click();
    B().Picstop2_Click();
    B().PicHome2_Click();
    EXPECT_EQ(h.View().calls, (Lines{"refresh", "stop", "navigate http://home.example/"}));

    // Home goes through the filter like any other address.
    h.View().calls.clear();
    B().Text4->SetValue("  http://casino.example/ ");
    B().PicHome2_Click();
    EXPECT_EQ(h.View().calls, Lines{"navigate lanternwick://refused/?KEY"});
}

// A tap on a touch screen, or a click right after the pointer jumped there, reaches the plain
// picture: its lit twin is shown only once the pointer has moved over it. Its press may even be
// lost, when it comes just as that move hides the plain picture.
TEST_F(Toolbar, ATapBeforeAnyMoveActsAtOnce) {
    auto tap = [](browser::PictureBox* picture, bool pressLost = false) {
        for (const wxEventType type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP}) {
            if (pressLost && type == wxEVT_LEFT_DOWN) {
                continue;
            }
            wxMouseEvent event(type);
            event.SetPosition({5, 5});
            picture->ProcessWindowEvent(event);
        }
    };
    tap(B().PicRefresh);
    tap(B().PicStop);
    B().PicHome_MouseMove();
    tap(B().PicHome, true);
    tap(B().PicPrev);
    tap(B().Picparent);
    EXPECT_EQ(h.View().calls, (Lines{"refresh", "stop", "navigate http://home.example/", "back"}));
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text, "YOU CANNOT GO BACK");
    EXPECT_TRUE(h.Windows().Login().IsShown());
    for (auto* normal : {B().PicPrev, B().PicRefresh, B().PicStop, B().PicHome, B().Picparent}) {
        EXPECT_TRUE(normal->IsShown());
    }
}

TEST_F(Toolbar, ParentsOpensTheLoginWithEmptyBoxes) {
    auto& login = h.Windows().Login();
    login.txtnaam->SetValue("earlier");
    login.txtpaswoord->SetValue("attempt");
    B().Picparent_MouseMove();
    B().Picparent2_Click();
    EXPECT_TRUE(login.IsShown());
    EXPECT_FALSE(login.IsModal());
    EXPECT_EQ(login.txtnaam->GetValue(), "");
    EXPECT_EQ(login.txtpaswoord->GetValue(), "");
    EXPECT_TRUE(B().Picparent->IsShown());
    EXPECT_FALSE(B().Picparent2->IsShown());
}

TEST_F(Toolbar, TheStripTurnsTheVisitButtonGreenWithItsCaption) {
    B().cmdvisit->SetCaption("something else");
    B().Text3_MouseMove();
    EXPECT_EQ(B().cmdvisit->BackColor(), 65280u);
    EXPECT_EQ(B().cmdvisit->Caption(), "VISIT A SITE");
}

TEST_F(Toolbar, ResizingFollowsTheRulesAndLeavesTheIntroAndSitesInPlace) {
    const auto& s = B().Scale();
    const wxPoint logo = B().Imglogo->GetPosition();
    const wxPoint banner = B().Imglink->GetPosition();
    const wxRect site18 = B().cmdsite(18).GetRect();
    EXPECT_TRUE(B().Imglogo->IsShown());

    B().SetSize(s.ToPixels(12000), s.ToPixels(9000));
    B().Form_Resize();
    auto size = [](wxWindow* w) { return w->GetSize(); };
    EXPECT_EQ(size(B().brwbrowser().Control()), wxSize(s.ToPixels(11900), s.ToPixels(6450)));
    EXPECT_EQ(size(B().Txtbackground), wxSize(s.ToPixels(11900), s.ToPixels(6450)));
    EXPECT_EQ(size(B().Text3).x, s.ToPixels(11880));
    EXPECT_EQ(size(B().cmdvisit).x, s.ToPixels(11640));
    EXPECT_EQ(size(B().imgbackground).x, s.ToPixels(12000));
    EXPECT_EQ(B().Imglogo->GetPosition(), logo);
    EXPECT_EQ(B().Imglink->GetPosition(), banner);
    EXPECT_EQ(B().cmdsite(18).GetRect(), site18);
    EXPECT_EQ(site18.GetTopLeft() + B().Txtbackground->GetPosition(),
              wxPoint(s.ToPixels(5760), s.ToPixels(7080)));

    // The window cannot be made so small that a rule turns negative.
    EXPECT_GT(B().GetMinSize().x, s.ToPixels(360));
    EXPECT_GT(B().GetMinSize().y, s.ToPixels(2550));
}

TEST_F(Toolbar, TheIntroUncoversThePageOnce) {
    EXPECT_FALSE(B().brwbrowser().Control()->IsShown());
    B().TmrIntro_Timer();
    EXPECT_TRUE(B().brwbrowser().Control()->IsShown());
    EXPECT_FALSE(B().TmrIntro.IsRunning());
    EXPECT_TRUE(B().cmdvisit->Enabled());
    // In a window made smaller the page no longer covers them.
    EXPECT_FALSE(B().Imglogo->IsShown());
    EXPECT_FALSE(B().Imglink->IsShown());
}

}  // namespace

// Readable colours in failure messages.
void PrintTo(const wxColour& c, std::ostream* os) {
    *os << "(" << int(c.Red()) << ", " << int(c.Green()) << ", " << int(c.Blue()) << ")";
}

namespace {

wxColour Pixel(const wxBitmap& bitmap, int x, int y) {
    wxMemoryDC dc(const_cast<wxBitmap&>(bitmap));
    wxColour c;
    dc.GetPixel(x, y, &c);
    return c;
}

TEST_F(Toolbar, TheSitesWindowPaintsItsRainbowOnceAndStaysHidden) {
    auto& window = h.Windows().Sites();
    EXPECT_FALSE(window.IsShown());
    EXPECT_EQ(window.GetTitle(), "BEZOEK SITES");
    const wxBitmap& backing = window.Backing();
    ASSERT_TRUE(backing.IsOk());
    // The first column shows the last of the twip lines that fall in it, just past pure red.
    const wxColour first = Pixel(backing, 0, 5);
    EXPECT_EQ(first.Red(), 255);
    EXPECT_LE(first.Green(), 8);
    EXPECT_EQ(first.Blue(), 1);
    // A sixth of the way across the rainbow has turned yellow, and the far end is red again.
    const int w = backing.GetWidth();
    const wxColour sixth = Pixel(backing, w / 6, 5);
    EXPECT_EQ(sixth.Red(), 255);
    EXPECT_GT(sixth.Green(), 240);
    EXPECT_EQ(Pixel(backing, w - 2, 5).Red(), 255);

    // Too narrow for any colour: nothing but the window's own background.
    window.SetClientSize(B().Scale().ToPixels(765), window.GetClientSize().y);
    window.PaintRainbow();
    EXPECT_EQ(Pixel(window.Backing(), 0, 5), window.GetBackgroundColour());
}

}  // namespace

// The daily time limit, driven by the fake clock behind the platform seam.
class DailyTime : public ::testing::Test {
protected:
    void PutMinutes(int minutes) {
        Lines settings{"alleentoegestaan=0"};
        for (const char* day : storage::Settings::kMinutesPerDay) {
            settings.push_back(std::string(day) + "=" + std::to_string(minutes));
        }
        h.Put("instellingen.txt", settings);
    }
    void StartWithMinutes(int minutes) {
        PutMinutes(minutes);
        h.Put("words.txt", {"casino"});
        h.Put("startpagina.txt", {"Home                 http://home.example/"});
        h.Start();
        B().TmrIntro_Timer();
    }
    // `seconds` pass on the monotonic clock, then the window's one-second tick comes.
    void Pass(double seconds) {
        h.clock.steady += seconds;
        B().tmrcheck_Timer();
    }
    int MinutesShown() { return B().ShownTimeLook().minutesLeft; }
    // The notice is a picture of its text: the same text draws the same pixels.
    bool NoticeSays(const std::string& text) {
        const wxImage shown = B().imgmelding->Picture().ConvertToImage();
        const wxImage drawn =
            browser::NoticePicture(wxString::FromUTF8(text), B().Scale()).ConvertToImage();
        return shown.GetSize() == drawn.GetSize() &&
               std::equal(shown.GetData(),
                          shown.GetData() + shown.GetWidth() * shown.GetHeight() * 3,
                          drawn.GetData());
    }
    browser::frmBrowser& B() { return h.Browser(); }
    Harness h;
};

TEST_F(DailyTime, TheClockCountsDownWarnsOnceAndTheCoverStopsEveryWayIn) {
    StartWithMinutes(10);
    EXPECT_TRUE(B().imgklok->IsShown());
    EXPECT_EQ(MinutesShown(), 10);
    Pass(240);
    EXPECT_EQ(MinutesShown(), 6);
    EXPECT_FALSE(B().ShownTimeLook().LastMinutes());
    EXPECT_FALSE(B().imgmelding->IsShown());
    Pass(60);
    EXPECT_EQ(MinutesShown(), 5);
    EXPECT_TRUE(B().ShownTimeLook().LastMinutes()) << "the colour changes";
    EXPECT_TRUE(B().imgmelding->IsShown());
    EXPECT_TRUE(NoticeSays("Five more minutes, then it is time to stop."));
    B().imgmelding->Click();  // the child may wave it away
    Pass(30);
    EXPECT_FALSE(B().imgmelding->IsShown()) << "the notice comes once";
    EXPECT_TRUE(h.messages.shown.empty()) << "and never as a message box";

    h.View().Reach("http://home.example/game");
    h.View().calls.clear();
    Pass(270);
    ASSERT_TRUE(B().TimeIsUp());
    EXPECT_TRUE(B().imgtijdop->IsShown());
    EXPECT_EQ(h.View().calls, (Lines{"empty"})) << "the page is left without its asking";
    EXPECT_TRUE(h.speech.said.empty()) << "read aloud only where the family has it on";
    EXPECT_FALSE(h.View().Announce("about:blank"));
    h.View().Reach("about:blank");
    h.View().calls.clear();

    // Every way a page could open is closed while the cover is up.
    EXPECT_TRUE(h.View().Announce("http://home.example/next"));
    EXPECT_TRUE(h.View().Announce("http://frame.example/", false));
    h.View().AskForNewWindow("http://popup.example/");
    B().PicHome2_Click();
    B().PicPrev2_Click();
    B().PicNext2_Click();
    B().Picrefresh2_Click();
    B().cmdvisit_Click();
    B().cmdsite_Click(1);
    B().OpenAddress("http://panel.example/");
    Pass(1);
    EXPECT_TRUE(h.View().calls.empty()) << h.View().calls.front();
    EXPECT_FALSE(B().Txtbackground->IsShown());
    EXPECT_FALSE(B().cmdvisit->Enabled());
    EXPECT_TRUE(h.messages.shown.empty());

    // Only the parents button works: the parent grants a quarter of an hour.
    B().Picparent2_Click();
    EXPECT_TRUE(h.Windows().Login().IsShown());
    auto& panel = h.Windows().Panel();
    panel.Show();
    panel.cmdtime_Click();
    h.Windows().TimeLimitEditor().cmdextra_Click();
    EXPECT_EQ(h.Lines("tijdgebruik.txt").back(), "extraminuten=15") << "written at once";
    Pass(1);
    EXPECT_TRUE(B().TimeIsUp()) << "the cover stays while the parent is in the panel";
    panel.cmdclose_Click();
    Pass(1);
    EXPECT_FALSE(B().TimeIsUp());
    EXPECT_FALSE(B().imgtijdop->IsShown());
    EXPECT_TRUE(B().cmdvisit->Enabled());
    EXPECT_EQ(MinutesShown(), 15);
    EXPECT_EQ(h.View().calls, (Lines{"navigate http://home.example/game"})) << "back to the game";
}

// A limit shorter than five minutes: the notice names the minutes really left, in the run's
// language.
TEST_F(DailyTime, TheNoticeSaysTheMinutesReallyLeft) {
    StartWithMinutes(1);
    Pass(1);
    ASSERT_TRUE(B().imgmelding->IsShown());
    EXPECT_TRUE(NoticeSays("One more minute, then it is time to stop."));
    EXPECT_FALSE(NoticeSays("Five more minutes, then it is time to stop."));

    h.Put("languagechoose.txt", {"Dutch", "Dutch"});
    PutMinutes(4);
    h.Restart();
    B().TmrIntro_Timer();
    Pass(1);
    ASSERT_TRUE(B().imgmelding->IsShown());
    EXPECT_TRUE(NoticeSays("Nog 4 minuten, dan is het tijd om te stoppen."));

    // Where the sites are tiles, the notice lies over the toolbar, never over a tile.
    h.Put("adressen.txt", {"Zoo                  www.zoo.example"});
    Lines tiles{"plaatjes=1"};
    for (const char* day : storage::Settings::kMinutesPerDay) {
        tiles.push_back(std::string(day) + "=4");
    }
    h.Put("instellingen.txt", tiles);
    h.Restart();
    B().TmrIntro_Timer();
    B().cmdvisit_Click();
    Pass(1);
    ASSERT_TRUE(B().imgmelding->IsShown());
    const wxRect notice = B().imgmelding->GetScreenRect();
    EXPECT_FALSE(notice.Intersects(B().cmdsite(1).GetScreenRect()));
    EXPECT_TRUE(notice.Intersects(B().imgbackground->GetScreenRect()));
}

TEST_F(DailyTime, NeitherARestartNorTheWallClockGivesTimeBack) {
    StartWithMinutes(30);
    Pass(600);
    EXPECT_EQ(MinutesShown(), 20);
    // The wall clock set a day forwards and then back while the program runs.
    h.clock.now.date = {2026, 12, 8};
    Pass(1);
    h.clock.now.date = {2026, 12, 6};
    Pass(59);
    EXPECT_EQ(MinutesShown(), 19);

    // Killed: at most the last half minute since the last write is lost.
    h.clock.now.date = {2026, 12, 7};
    h.Restart();
    EXPECT_EQ(MinutesShown(), 19);
    // A clock set back to yesterday before the start gives no fresh allowance either.
    h.clock.now = {{2026, 12, 6}, 12 * 3600};
    h.Restart();
    EXPECT_EQ(MinutesShown(), 19);
    // A hidden window does not count; closing writes what was used.
    B().Hide();
    Pass(120);
    EXPECT_EQ(MinutesShown(), 19);
    B().Show();
    Pass(120);
    B().Close();
    h.Restart();
    EXPECT_EQ(MinutesShown(), 17);
}

TEST_F(DailyTime, LogOutAndSaveWritesTheUsedTimeAndStartsTheProgramAgain) {
    StartWithMinutes(30);
    Pass(10);
    h.clock.steady += 5;  // seconds no tick has counted yet
    auto& panel = h.Windows().Panel();
    panel.Show();
    panel.cbolanguage->SetValue("Dutch");
    panel.cmdsave_Click();
    EXPECT_EQ(h.starter.started, 1);
    EXPECT_EQ(h.ender.ended, 1);
    EXPECT_TRUE(std::ranges::count(h.Lines("tijdgebruik.txt"), "seconden=15"))
        << "written as a close writes it, though no close step runs";
}

// Help in a Dutch run with only the allowed sites on, once while the time is up and once just
// after granting time: the program's own help page opens, in Dutch, and stays.
TEST_F(DailyTime, HelpOpensInTheRunsLanguageOverTheCoverAndTheSwitch) {
    h.Put("languagechoose.txt", {"Dutch", "Dutch"});
    StartWithMinutes(1);
    h.Windows().Family().SetAllowedSitesOnly(true);
    Pass(61);
    h.View().Reach("about:blank");
    const std::string help = std::string(filter::kHelpPage) + "?KEY";
    auto& panel = h.Windows().Panel();
    for (const bool granted : {false, true}) {
        panel.Show();
        if (granted) {
            h.Windows().TimeLimitEditor().cmdextra_Click();
        }
        h.View().calls.clear();
        panel.cmdHelp_Click();
        EXPECT_FALSE(h.View().Announce(help)) << granted;
        h.View().Reach(help);
        EXPECT_FALSE(B().imgtijdop->IsShown()) << granted;
        Pass(1);
        EXPECT_EQ(h.View().calls, Lines{"navigate " + help}) << granted;
        // The panel stays beside the help, and the parents button brings it back unasked.
        ASSERT_TRUE(panel.IsShown());
        B().Picparent2_Click();
        EXPECT_FALSE(h.Windows().Login().IsShown());
        h.messages.answer = platform::Messages::Answer::Second;  // out without saving
        panel.cmdclose_Click();
        Pass(1);
        EXPECT_EQ(h.View().calls, Lines{"navigate " + help}) << "the help stays";
        EXPECT_EQ(B().TimeIsUp(), !granted);
    }
    const std::string page = B().ProgramPage(h.View().LocationURL());
    EXPECT_NE(page.find("Verander paswoord"), std::string::npos);
    EXPECT_NE(page.find(h.folder.Path()), std::string::npos);
    // A page that asks for the help page, as a page or by script, gets nothing of it.
    EXPECT_TRUE(B().ProgramPage(std::string(filter::kHelpPage)).empty());
    h.View().Reach("http://home.example/");
    EXPECT_TRUE(h.View().Announce(std::string(filter::kHelpPage)));
}

// Time ran out on the refusal page, and the day ended behind the cover: the child comes back
// to the real page before, the log holds only real addresses, and Back on a refusal page never
// lands on the empty page the cover left.
TEST_F(DailyTime, AfterATimeUpOnTheRefusalPageTheChildComesBackToARealPage) {
    StartWithMinutes(1);
    h.View().Reach("http://zoo.example/");
    B().OpenAddress("http://casino.example/");
    const std::string refused = std::string(filter::kRefusedPage) + "?KEY";
    h.View().Reach(refused);
    h.View().history = {"http://zoo.example/", "http://home.example/"};
    Pass(61);
    ASSERT_TRUE(B().TimeIsUp());
    h.View().Reach("about:blank");
    h.View().calls.clear();
    Pass(8035);  // 21:46:10 to five seconds past midnight: a new day, with its own minute
    ASSERT_FALSE(B().TimeIsUp());
    EXPECT_EQ(h.View().calls, Lines{"navigate http://zoo.example/"});
    for (const std::string& entry : h.VisitLog()) {
        EXPECT_EQ(entry.find("lanternwick:"), std::string::npos) << entry;
    }
    EXPECT_EQ(std::ranges::count(h.VisitLog(), "http://casino.example/"), 1);

    for (const auto& [history, back] : std::vector<std::pair<Lines, std::string>>{
             {{"about:blank", refused, "http://zoo.example/"}, "navigate http://zoo.example/"},
             {{"about:blank"}, "navigate http://home.example/"},
             {{"http://zoo.example/"}, "back"}}) {
        h.View().location = refused;
        h.View().history = history;
        h.View().backPages = static_cast<int>(history.size());
        h.View().calls.clear();
        B().cmdrefusedback_Click();
        EXPECT_EQ(h.View().calls, Lines{back}) << history.front();
    }
}

// The day's times: the clock shows the smaller of the minutes left and the time until the
// window closes; past it the cover shows and says that it is no computer time.
TEST_F(DailyTime, OutsideTheDaysTimesTheCoverSaysItIsNoComputerTime) {
    h.Put("instellingen.txt", {"plaatjes=1", "voorlezen=1", "minutenmaandag=60",
                               "vanafmaandag=15:00", "totmaandag=22:00"});
    h.Put("startpagina.txt", {"Home                 http://home.example/"});
    h.Start();  // Monday 21:45:09 on the fake clock
    B().TmrIntro_Timer();
    EXPECT_EQ(MinutesShown(), 15);
    h.View().Reach("http://home.example/game");
    const std::string sentence = "It is not time for the computer now.";
    auto coverSays = [&] {
        const wxImage shown = B().imgtijdop->Picture().ConvertToImage();
        const wxImage drawn =
            browser::TimeUpPicture(B().imgtijdop->GetSize(), sentence).ConvertToImage();
        const int bytes = shown.GetWidth() * shown.GetHeight() * 3;
        return B().imgtijdop->IsShown() && shown.GetSize() == drawn.GetSize() &&
               std::equal(shown.GetData(), shown.GetData() + bytes, drawn.GetData());
    };
    Pass(14 * 60 + 50);
    EXPECT_FALSE(B().TimeIsUp());
    Pass(1);
    ASSERT_TRUE(B().TimeIsUp());
    EXPECT_TRUE(coverSays());
    ASSERT_FALSE(h.speech.said.empty());
    EXPECT_EQ(h.speech.said.back().text, sentence);
}

TEST(DailyTimeOff, WithoutAnyLimitNothingShowsCountsOrIsWritten) {
    Harness h;
    h.Put("words.txt", {"casino"});
    h.Put("instellingen.txt", {"alleentoegestaan=0"});
    auto& browser = h.Start();
    browser.TmrIntro_Timer();
    for (int i = 0; i < 3; ++i) {
        h.clock.steady += 3600;
        browser.tmrcheck_Timer();
    }
    EXPECT_FALSE(browser.imgklok->IsShown());
    EXPECT_FALSE(browser.TimeIsUp());
    browser.PicHome2_Click();
    EXPECT_EQ(h.View().calls.back(), "navigate about:blank");
    browser.Close();
    EXPECT_EQ(h.writes, Lines{"bezochtesites.txt"});
}
