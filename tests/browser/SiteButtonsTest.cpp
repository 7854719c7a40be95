// The site panel: what the visit button and the eighteen site buttons show and open.
#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/mstream.h>
#include <wx/panel.h>

#include "browser/frmBrowser.h"
#include "storage/DataFiles.h"
#include "storage/Records.h"
#include "storage/SitePictures.h"
#include "support/Harness.h"
#include "support/Wait.h"
#include "widgets/ButtonPicture.h"
#include "widgets/ChameleonButton.h"

using namespace std::chrono_literals;
using testsupport::Harness;
using Lines = std::vector<std::string>;

namespace {

std::string Site(int i) {
    return storage::SiteRecord("Site " + std::to_string(i),
                               "http://site" + std::to_string(i) + ".example/");
}

Lines Sites(int count) {
    Lines lines;
    for (int i = 1; i <= count; ++i) {
        lines.push_back(Site(i));
    }
    return lines;
}

class SiteButtons : public ::testing::Test {
protected:
    void SetUp() override { h.Put("words.txt", {"casino"}); }

    browser::frmBrowser& B() { return h.Browser(); }
    std::string Caption(int n) { return B().cmdsite(n).Caption().utf8_string(); }
    std::string Address(int n) { return B().cmdsite(n).ToolTipText().utf8_string(); }
    bool Shown(int n) { return B().cmdsite(n).IsShown(); }

    Harness h;
};

TEST_F(SiteButtons, StartUpNamesOnlyTheFirstTwoButtons) {
    h.Put("adressen.txt", Sites(5));
    h.Start();
    EXPECT_EQ(Caption(1), "Site 1");
    EXPECT_EQ(Address(1), "http://site1.example/");
    EXPECT_EQ(Caption(2), "Site 2");
    for (int n = 3; n <= 18; ++n) {
        EXPECT_EQ(Caption(n), "") << n;
    }
    for (int n = 1; n <= 18; ++n) {
        EXPECT_FALSE(Shown(n)) << n;
    }
}

TEST_F(SiteButtons, TheVisitButtonTogglesThePanelAndShowsOnlyNamedButtons) {
    Lines lines = Sites(4);
    lines[2] = storage::SiteRecord("", "http://nameless.example/");  // a name of only spaces
    h.Put("adressen.txt", lines);
    h.Start();

    B().cmdvisit_Click();
    EXPECT_TRUE(B().Txtbackground->IsShown());
    EXPECT_TRUE(Shown(1));
    EXPECT_TRUE(Shown(2));
    EXPECT_FALSE(Shown(3));
    EXPECT_EQ(Address(3), "http://nameless.example/");
    EXPECT_TRUE(Shown(4));
    EXPECT_FALSE(Shown(5));

    B().cmdvisit_Click();
    EXPECT_FALSE(B().Txtbackground->IsShown());
    for (int n = 1; n <= 18; ++n) {
        EXPECT_FALSE(Shown(n)) << n;
    }
    B().cmdvisit_Click();
    EXPECT_TRUE(B().Txtbackground->IsShown());
    EXPECT_TRUE(Shown(4));
}

TEST_F(SiteButtons, LinesPastTheSeventeenthAllLandOnTheLastButton) {
    h.Put("adressen.txt", Sites(20));
    h.Start();
    B().cmdvisit_Click();
    for (int n = 1; n <= 17; ++n) {
        EXPECT_EQ(Caption(n), "Site " + std::to_string(n));
    }
    EXPECT_EQ(Caption(18), "Site 20");
    EXPECT_EQ(Address(18), "http://site20.example/");
}

TEST_F(SiteButtons, SitesRemovedFromTheFileLeaveThePanelAtTheNextPress) {
    h.Put("adressen.txt", Sites(5));
    h.Start();
    B().cmdvisit_Click();
    EXPECT_TRUE(Shown(5));
    B().cmdvisit_Click();

    h.Put("adressen.txt", Sites(3));
    B().cmdvisit_Click();
    EXPECT_TRUE(Shown(3));
    for (int n : {4, 5}) {
        EXPECT_FALSE(Shown(n)) << n;
        EXPECT_EQ(Caption(n), "") << n;
        EXPECT_EQ(Address(n), "") << n;
    }
}

TEST_F(SiteButtons, ASiteButtonOpensItsTrimmedAddressWholeAndClosesThePanel) {
    const std::string address70 = "http://kids.example/" + std::string(50, 'a');
    ASSERT_EQ(address70.size(), 70u);
    h.Put("adressen.txt", {storage::SiteRecord("Long", address70),
                           "Spaces                  http://spaces.example/  ",
                           storage::SiteRecord("Bad", "http://casino.example/")});
    h.Start();
    h.View().calls.clear();

    B().cmdvisit_Click();
    B().cmdsite_Click(1);
    EXPECT_FALSE(B().Txtbackground->IsShown());
    EXPECT_FALSE(Shown(1));
    B().cmdvisit_Click();
    B().cmdsite_Click(2);
    // A blocked site never opens, whatever the panel offers: the refusal page comes instead.
    B().cmdvisit_Click();
    B().cmdsite_Click(3);
    EXPECT_EQ(h.View().calls, (Lines{"navigate " + address70, "navigate http://spaces.example/",
                                     "navigate lanternwick://refused/?KEY"}));
    const auto log = h.VisitLog();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[log.size() - 2], "http://spaces.example/");
    EXPECT_EQ(log.back(), "http://casino.example/");  // tried, not opened
}

// Parents type addresses as an address bar shows them; every way into the view opens them as
// http, checked with the scheme, while the stored records stay as typed.
TEST_F(SiteButtons, AddressesTypedWithoutASchemeOpenAsHttp) {
    const Lines records{storage::SiteRecord("Star", "www.starfall.com"),
                        storage::SiteRecord("Local", "localhost:8080/x"),
                        storage::SiteRecord("Loop", "127.0.0.1:8080/kids.html"),
                        storage::SiteRecord("Disk", "file:///etc/passwd"),
                        storage::SiteRecord("Bad", "casino.example")};
    h.Put("adressen.txt", records);
    h.Put("startpagina.txt", {"Home                 home.example"});
    h.Start();
    B().PicHome2_Click();
    B().cmdvisit_Click();
    for (int n = 1; n <= 5; ++n) {
        B().cmdsite_Click(n);
    }
    EXPECT_EQ(h.View().calls,
              (Lines{"navigate About:blank", "navigate http://home.example",
                     "navigate http://home.example", "navigate http://www.starfall.com",
                     "navigate http://localhost:8080/x", "navigate http://127.0.0.1:8080/kids.html",
                     "navigate http://file:///etc/passwd", "navigate lanternwick://refused/?KEY"}));
    const auto log = h.VisitLog();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[log.size() - 2], "http://file:///etc/passwd");
    EXPECT_EQ(log.back(), "http://casino.example");  // blocked: logged, not opened
    EXPECT_EQ(h.Lines("adressen.txt"), records);
}

}  // namespace

namespace {

// The site panel's pictures: shown where the settings turn them on, for a picture that is a
// whole PNG; a damaged one, or the setting off, leaves the button as it was.
TEST_F(SiteButtons, PicturesShowOnlyWhenTurnedOnAndWhole) {
    wxImage::AddHandler(new wxPNGHandler);
    wxImage picture(32, 32);
    wxMemoryOutputStream out;
    ASSERT_TRUE(picture.SaveFile(out, wxBITMAP_TYPE_PNG));
    std::string png(out.GetLength(), '\0');
    out.CopyTo(png.data(), png.size());
    h.Put("adressen.txt", Sites(3));
    const storage::DataFiles files(h.folder.Path());
    ASSERT_TRUE(storage::pictures::Write(files, "http://site1.example/", png).ok);
    ASSERT_TRUE(
        storage::pictures::Write(files, "http://site2.example/", png.substr(0, png.size() / 2)).ok);
    for (const bool on : {false, true}) {
        SCOPED_TRACE(on);
        h.Put("instellingen.txt", {std::string("plaatjes=") + (on ? "1" : "0")});
        on ? h.Restart() : h.Start();
        B().cmdvisit_Click();
        // Half a file, or none at all: a tile shows its name's letter instead, never nothing.
        for (const int n : {1, 2, 3}) {
            EXPECT_EQ(B().cmdsite(n).HasPicture(), on) << n;
        }
    }
}

// On both screens the window is laid out for, eighteen sites are eighteen tiles side by side,
// each picture inside its tile and large enough to tell apart from across a table.
struct Screen {
    wxSize size;
    int tile;     // each tile at least this wide and tall
    int picture;  // each picture at least this wide and tall
};

void PrintTo(const Screen& screen, std::ostream* out) {
    *out << screen.size.x << "x" << screen.size.y;
}

class SiteTiles : public SiteButtons, public ::testing::WithParamInterface<Screen> {};

TEST_P(SiteTiles, HoldLargePicturesSideBySide) {
    const Screen& screen = GetParam();
    wxImage red(widgets::kPictureSide, widgets::kPictureSide);
    red.SetRGB(wxRect(red.GetSize()), 255, 0, 0);
    h.Put("adressen.txt", Sites(18));
    h.Put("instellingen.txt", {"plaatjes=1"});
    const auto png = widgets::ButtonPicturePng(red, storage::pictures::kMaxBytes);
    ASSERT_TRUE(png);
    ASSERT_TRUE(
        storage::pictures::Write(storage::DataFiles(h.folder.Path()), "http://site1.example/", *png)
            .ok);
    h.Start();
    // The window filling the screen, as maximized.
    B().SetSize(wxRect(wxPoint(0, 0), screen.size));
    B().Show();
    B().TmrIntro_Timer();
    B().cmdvisit_Click();
    B().Form_Resize();
    testsupport::PumpFor(300ms);  // laid out and painted by then, as the other pixel checks
    auto isRed = [&](const wxWindow& window, wxPoint at) {
        at = window.ClientToScreen(at);
        wxBitmap grab(1, 1, 24);
        {
            wxMemoryDC mem(grab);
            wxScreenDC shown;
            mem.Blit(0, 0, 1, 1, &shown, at.x, at.y);
        }
        const wxImage pixel = grab.ConvertToImage();
        return pixel.GetRed(0, 0) > 240 && pixel.GetGreen(0, 0) < 30 && pixel.GetBlue(0, 0) < 30;
    };
    std::vector<wxRect> laid;
    for (int n = 1; n <= 18; ++n) {
        SCOPED_TRACE(n);
        const auto& tile = B().cmdsite(n);
        ASSERT_TRUE(tile.IsShown());
        const wxRect place = tile.GetRect();
        EXPECT_GE(std::min(place.width, place.height), screen.tile);
        EXPECT_TRUE(B().Txtbackground->GetClientRect().Contains(place));
        for (const wxRect& other : laid) {
            EXPECT_FALSE(other.Intersects(place)) << "tiles lie side by side";
        }
        laid.push_back(place);
        const wxRect picture = tile.PictureRect();
        EXPECT_GE(std::min(picture.width, picture.height), screen.picture);
        EXPECT_TRUE(wxRect(tile.GetClientSize()).Contains(picture));
    }
    const wxRect picture = B().cmdsite(1).PictureRect();
    EXPECT_TRUE(isRed(B().cmdsite(1), picture.GetTopLeft() + wxPoint(2, 2)));
    EXPECT_TRUE(isRed(B().cmdsite(1), picture.GetBottomRight() - wxPoint(2, 2)));
    EXPECT_FALSE(isRed(B().cmdsite(2), B().cmdsite(2).PictureRect().GetTopLeft() +
                                           wxPoint(2, 2)));  // its name's tile instead
}

INSTANTIATE_TEST_SUITE_P(Screens, SiteTiles,
                         ::testing::Values(Screen{{1024, 600}, 140, 96},
                                           Screen{{1600, 1200}, 140, 160}),
                         [](const auto& info) { return std::to_string(info.param.size.x); });

// Read aloud, for a child who cannot read: a tile says its name when the pointer rests on it,
// once until it leaves, and when the keyboard reaches it; the refusal page says its sentence.
TEST_F(SiteButtons, TilesAndTheRefusalPageSpeakInTheRunsLanguage) {
    h.Put("adressen.txt", Sites(3));
    h.Put("instellingen.txt", {"plaatjes=1", "voorlezen=1"});
    h.Put("languagechoose.txt", {"Dutch", "Dutch"});
    h.Start();
    B().Show();
    B().TmrIntro_Timer();
    B().cmdvisit_Click();
    std::int16_t button = 0, shift = 0;
    float x = 1, y = 1;
    auto rest = [&](int n) { B().cmdsite(n).MouseMove(button, shift, x, y); };
    auto said = [&](size_t count) {
        return testsupport::WaitUntil([&] { return h.speech.said.size() >= count; });
    };
    rest(1);
    rest(2);  // passed over the first on the way
    ASSERT_TRUE(said(1));
    EXPECT_EQ(h.speech.said[0], (testsupport::FakeSpeech::Said{"Site 2", "nl"}));
    rest(2);
    rest(3);
    ASSERT_TRUE(said(2));
    EXPECT_EQ(h.speech.said[1].text, "Site 3") << "the second is not said again";
    B().cmdsite(1).SetFocus();
    ASSERT_TRUE(said(3));
    EXPECT_EQ(h.speech.said[2].text, "Site 1");

    B().cmdsite_Click(1);
    h.View().Reach("lanternwick://refused/?KEY");
    ASSERT_TRUE(said(4));
    EXPECT_EQ(h.speech.said[3].text, "Deze pagina is niet voor jou. Vraag het aan een volwassene!");
}

}  // namespace
