// The toolbar pictures, the strip, the intro and the window's layout.
#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/panel.h>
#include <wx/textctrl.h>

#include "browser/PictureBox.h"
#include "browser/frmBrowser.h"
#include "browser/sites.h"
#include "parents/paswoord.h"
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
    EXPECT_EQ(h.messages.shown[1].icon, app::Messages::Icon::Information);
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
    EXPECT_TRUE(h.View().calls.empty());
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
