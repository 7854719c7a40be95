// The parents' control panel: its lists, its refusals and "Log out and save".
#include <gtest/gtest.h>
#include <wx/combobox.h>
#include <wx/listbox.h>
#include <wx/panel.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <filesystem>
#include <functional>

#include "browser/frmBrowser.h"
#include "parents/LogList.h"
#include "parents/Parents.h"
#include "parents/frmVandaag.h"
#include "parents/frmVerzoeken.h"
#include "parents/invoegensite.h"
#include "parents/paswoord.h"
#include "parents/paswoordwijzigen.h"
#include "parents/startpagina.h"
#include "storage/Records.h"
#include "storage/Settings.h"
#include "support/Harness.h"
#include "support/Wait.h"
#include "widgets/ChameleonButton.h"

using testsupport::Harness;
using Lines = std::vector<std::string>;
using namespace std::chrono_literals;

namespace {

class Panel : public ::testing::Test {
protected:
    void SetUp() override {
        h.Put("words.txt", {"casino"});
        for (int i = 1; i <= 17; ++i) {
            sites.push_back(storage::SiteRecord("Site " + std::to_string(i),
                                                "http://s" + std::to_string(i) + ".example/"));
        }
        // Records pass through the panel byte for byte, odd spacing and letters included.
        sites[3] = "Caf\xC3\xA9 kids           http://caf\xC3\xA9.example/   ";
        h.Put("adressen.txt", sites);
        h.Put("startpagina.txt", {"Home                 http://home.example/"});
        h.Put("bezochtesites.txt", {"old entry"});
        h.Put("languagechoose.txt", {"English", "English"});
        h.Start();
        P().Show();
    }
    parents::Parents& P() { return h.Windows().Panel(); }
    Lines Items(wxListBox* list) {
        Lines items;
        for (const auto& s : list->GetStrings()) {
            items.push_back(s.utf8_string());
        }
        return items;
    }

    Lines sites;
    Harness h;
};

TEST_F(Panel, TheListsHoldTheFilesAndTheLanguageBoxTheStoredChoice) {
    EXPECT_EQ(Items(P().List1), sites);
    EXPECT_EQ(Items(P().startpagina1), Lines{"Home                 http://home.example/"});
    EXPECT_EQ(P().List2->Entries(), (Lines{"old entry", "http://home.example/"}));
    EXPECT_EQ(P().cbolanguage->GetValue(), "English");
    EXPECT_EQ(P().cbolanguage->GetCount(), 5u);
    EXPECT_EQ(P().cbolanguage->GetString(4), "Spanish");
}

TEST_F(Panel, AddingStopsAtEighteenSites) {
    P().cmdadd_Click();
    EXPECT_TRUE(h.Windows().SiteEditor().IsShown());
    EXPECT_TRUE(h.messages.shown.empty());
    h.Windows().SiteEditor().Hide();

    h.Windows().Family().AddSite("Site 18              http://s18.example/");
    P().cmdadd_Click();
    EXPECT_FALSE(h.Windows().SiteEditor().IsShown());
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text, "You cannot add more than 18 websites!");
    EXPECT_EQ(h.messages.shown[0].title, "Lanternwick");
    EXPECT_EQ(h.messages.shown[0].icon, platform::Messages::Icon::None);
}

TEST_F(Panel, DeleteNeedsASelectionAndTouchesOnlyTheList) {
    const std::string before = h.folder.Get("adressen.txt");
    P().cmdDelete_Click();
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text,
              "You cannot delete a website.\r\nof\r\nFirst you have to select one!");
    EXPECT_EQ(h.messages.shown[0].title, "Lanternwick Info");
    EXPECT_EQ(h.messages.shown[0].icon, platform::Messages::Icon::Information);

    P().List1->SetSelection(3);
    P().cmdDelete_Click();
    Lines expected = sites;
    expected.erase(expected.begin() + 3);
    EXPECT_EQ(Items(P().List1), expected);
    EXPECT_EQ(h.folder.Get("adressen.txt"), before);
}

// The list gets the focus when the panel first shows; that alone must not pick a site that a
// Delete would then remove unasked.
TEST_F(Panel, NoSiteIsChosenUntilTheParentChoosesOne) {
    ASSERT_TRUE(testsupport::WaitUntil([&] { return P().IsShownOnScreen(); }));
    P().List1->SetFocus();
    ASSERT_TRUE(testsupport::WaitUntil([&] { return wxWindow::FindFocus() == P().List1; }));
    ASSERT_TRUE(testsupport::Settle());
    EXPECT_EQ(P().List1->GetSelection(), wxNOT_FOUND);
    P().cmdDelete_Click();
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(Items(P().List1), sites);
}

TEST_F(Panel, SavingWithTheStartPageEditorOpenKeepsTheStartPage) {
    P().cmdHomepage_Click();
    ASSERT_TRUE(h.Windows().StartPageEditor().IsShown());
    P().cbolanguage->SetValue("Klingon");
    P().cmdsave_Click();
    EXPECT_EQ(h.Lines("startpagina.txt"), Lines{"Home                 http://home.example/"});
    EXPECT_FALSE(h.Windows().StartPageEditor().IsShown());
    EXPECT_EQ(Items(P().startpagina1), Lines{"Home                 http://home.example/"});
}

// Until the save, the child's panel follows the parent's list, even while it is open.
TEST_F(Panel, ASiteDeletedInThePanelLeavesTheChildsPanelAtOnce) {
    auto& browser = h.Browser();
    browser.cmdvisit_Click();
    ASSERT_EQ(browser.cmdsite(17).Caption(), "Site 17");
    P().List1->SetSelection(16);
    P().cmdDelete_Click();
    EXPECT_FALSE(browser.cmdsite(17).IsShown());
    browser.cmdvisit_Click();
    browser.cmdvisit_Click();
    EXPECT_EQ(browser.cmdsite(17).Caption(), "");
    EXPECT_FALSE(browser.cmdsite(17).IsShown());
    EXPECT_TRUE(browser.cmdsite(16).IsShown());

    // Once saved, every press reads the file again, as before.
    P().cbolanguage->SetValue("Klingon");
    P().cmdsave_Click();
    h.Put("adressen.txt", {storage::SiteRecord("Only", "http://only.example/")});
    browser.cmdvisit_Click();
    browser.cmdvisit_Click();
    EXPECT_EQ(browser.cmdsite(1).Caption(), "Only");
    EXPECT_EQ(browser.cmdsite(2).Caption(), "");
}

TEST_F(Panel, ClearingTheLogAndLoggingOutWritesNothing) {
    const std::string before = h.folder.Get("bezochtesites.txt");
    P().cmdclear_Click();
    P().cmdclose_Click();
    EXPECT_EQ(P().List2->Count(), 0u);
    EXPECT_FALSE(P().IsShown());
    EXPECT_EQ(h.folder.Get("bezochtesites.txt"), before);
    EXPECT_TRUE(h.writes.empty());
    EXPECT_TRUE(h.messages.asked.empty()) << "the log is no change to ask about";
}

TEST_F(Panel, LogOutAsksOnceForAnyUnsavedChangeAndDoesWhatTheParentChose) {
    using Answer = platform::Messages::Answer;
    auto& family = h.Windows().Family();
    storage::WeekMinutes week;
    week[0] = 30;
    const std::vector<std::pair<Answer, std::function<void()>>> rows{
        {Answer::Cancel, [&] { P().cmdallowedsites_Click(); }},
        {Answer::Second, [] {}},  // kept in memory, as a plain log out keeps it
        {Answer::First, [] {}},
        {Answer::First, [&] { family.AddSite(storage::SiteRecord("Farm", "farm.example")); }},
        {Answer::First,
         [&] { family.SetStartPageRecords({storage::StartPageRecord("A", "a.b")}); }},
        {Answer::First, [&] { family.SetLimits(week); }},
    };
    for (size_t i = 0; i < rows.size(); ++i) {
        P().Show();
        rows[i].second();
        h.messages.answer = rows[i].first;
        P().cmdclose_Click();
        EXPECT_EQ(h.messages.asked.size(), i + 1);
        EXPECT_EQ(P().IsShown(), rows[i].first == Answer::Cancel) << i;
        EXPECT_EQ(h.writes.empty(), i < 2) << i;
    }
    EXPECT_EQ(h.messages.asked[0].choices.first, "Save and log out");
    P().Show();
    P().cmdclose_Click();
    EXPECT_EQ(h.messages.asked.size(), rows.size()) << "all stored: nothing to ask";
    EXPECT_EQ(storage::Settings::Load(storage::DataFiles(h.folder.Path())).Week(), week);
    EXPECT_EQ(h.ender.ended, 0) << "saving to log out needs no restart";
}

TEST_F(Panel, ASiteAllowedForARefusedAddressIsStoredAtOnceAndOnlyThat) {
    h.Put("paswoordNaam.txt", {"parents"});
    h.Put("paswoordNr.txt", {"Lantern wick"});
    h.Windows().AskFor("http://zoo.example/games");
    auto& login = h.Windows().Login();
    login.txtnaam->SetValue("parents");
    login.txtpaswoord->SetValue("Lantern wick");
    login.cmdLogon_Click();
    auto& editor = h.Windows().SiteEditor();
    editor.txtname->SetValue("Zoo");
    editor.cmdsave_Click();
    Lines stored = sites;
    stored.push_back(storage::SiteRecord("Zoo", "http://zoo.example/games"));
    EXPECT_EQ(h.Lines("adressen.txt"), stored);
    P().cmdadd_Click();
    editor.cmdsave_Click();
    EXPECT_EQ(h.Lines("adressen.txt"), stored) << "from the panel, only a save stores it";
}

// With the list full, the address a parent came to allow waits while a site is deleted; the
// editor then opens with it, and its Save stores it at once.
TEST_F(Panel, ARefusedAddressWaitsWhileTheFullListLosesASite) {
    const std::string refused = "http://zoo.example/games";
    h.Windows().Family().AddSite(storage::SiteRecord("Site 18", "http://s18.example/"));
    P().AddSiteFor(refused);
    auto& editor = h.Windows().SiteEditor();
    EXPECT_FALSE(editor.IsShown());
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text,
              i18n::MessageText(std::nullopt, i18n::Message::SitesFullKept, {refused}));
    P().List1->SetSelection(0);
    P().cmdDelete_Click();
    ASSERT_TRUE(editor.IsShown());
    EXPECT_EQ(editor.txtinternetaddress->GetValue(), refused);
    editor.txtname->SetValue("Zoo");
    editor.cmdsave_Click();
    EXPECT_EQ(h.Lines("adressen.txt").back(), storage::SiteRecord("Zoo", refused));
}

TEST_F(Panel, LogOutAndSaveWritesTheThreeListsInOrderByteForByte) {
    P().cbolanguage->SetValue("Klingon");  // not a language: the step writes and shows nothing
    h.Windows().Family().AddBareAddress("http://new.example/");
    P().cmdsave_Click();
    EXPECT_EQ(h.writes, (Lines{"adressen.txt", "startpagina.txt", "bezochtesites.txt"}));
    std::string expectedSites;
    for (const auto& line : sites) {
        expectedSites += line + "\r\n";
    }
    EXPECT_EQ(h.folder.Get("adressen.txt"), expectedSites);
    EXPECT_EQ(h.folder.Get("startpagina.txt"), "Home                 http://home.example/\r\n");
    // The panel's save adds no run separator; only the browser window's close does.
    EXPECT_EQ(h.Lines("bezochtesites.txt"),
              (Lines{"old entry", "http://home.example/", "http://new.example/"}));
    EXPECT_EQ(h.Lines("languagechoose.txt"), (Lines{"English", "English"}));
    EXPECT_FALSE(P().IsShown());
    EXPECT_TRUE(h.messages.shown.empty());
    EXPECT_EQ(h.ender.ended, 0);
}

TEST_F(Panel, AFailedSaveNamesTheFileAndKeepsEverything) {
    std::filesystem::remove(h.folder.File("startpagina.txt"));
    std::filesystem::create_directory(h.folder.File("startpagina.txt"));
    P().cbolanguage->SetValue("English");
    P().cmdsave_Click();
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_NE(h.messages.shown[0].text.find(h.folder.File("startpagina.txt")), std::string::npos);
    // What did reach the disk is said too: the site file now holds the list.
    EXPECT_NE(h.messages.shown[0].text.find("Already saved: \"" + h.folder.File("adressen.txt")),
              std::string::npos)
        << h.messages.shown[0].text;
    // The save stopped at the failed file: no later file, no language step, no end.
    EXPECT_EQ(h.writes, (Lines{"adressen.txt", "startpagina.txt"}));
    EXPECT_EQ(h.ender.ended, 0);
    EXPECT_TRUE(P().IsShown());
    EXPECT_EQ(Items(P().List1), sites);
    EXPECT_EQ(P().startpagina1->GetCount(), 1u);
}

TEST_F(Panel, ALinkButtonHandsItsPageToTheBrowserWindow) {
    auto& browser = h.Browser();
    browser.cmdvisit_Click();
    ASSERT_TRUE(browser.cmdsite(17).IsShown());
    h.View().calls.clear();

    P().cmddevelopers_Click();
    EXPECT_FALSE(P().IsShown());
    EXPECT_FALSE(browser.Txtbackground->IsShown());
    for (int n = 1; n <= 18; ++n) {
        EXPECT_FALSE(browser.cmdsite(n).IsShown()) << n;
    }
    const wxString help = browser.cboURL->GetValue();
    EXPECT_TRUE(help.StartsWith("http://")) << help;
    EXPECT_TRUE(help.EndsWith("/lanternwick/help/developers.html")) << help;
    // Opened at once, through the address box's checks.
    EXPECT_EQ(h.View().calls, Lines{"navigate " + help.utf8_string()});
    EXPECT_EQ(h.VisitLog().back(), help.utf8_string());
}

TEST_F(Panel, SecurityDoesNothingAndTheTitleBarCannotCloseThePanel) {
    EXPECT_FALSE(P().cmdsecurity->Enabled());
    P().cmdsecurity_Click();
    EXPECT_TRUE(P().IsShown());
    EXPECT_TRUE(h.messages.shown.empty());
    EXPECT_FALSE(P().Close());
    EXPECT_TRUE(P().IsShown());
}

}  // namespace

namespace {

// The whole way a parent goes to allow a new site, on the program's own windows.
TEST(PanelEndToEnd, LogInAddASiteSaveAndTheChildSeesIt) {
    Harness h;
    h.Put("words.txt", {"casino"});
    h.Put("paswoordNaam.txt", {"parents"});
    h.Put("paswoordNr.txt", {"lanternwick"});
    h.Put("adressen.txt", {storage::SiteRecord("Zoo", "http://zoo.example/")});
    h.Put("languagechoose.txt", {"English", "English"});
    auto& browser = h.Start();

    browser.Picparent_MouseMove();
    browser.Picparent2_Click();
    auto& login = h.Windows().Login();
    login.txtnaam->SetValue("parents");
    login.txtpaswoord->SetValue("lanternwick");
    login.cmdLogon_Click();
    // The password every installation came with: the parent chooses one first, told why.
    auto& change = h.Windows().ChangePassword();
    auto& panel = h.Windows().Panel();
    ASSERT_TRUE(change.IsShown());
    EXPECT_FALSE(panel.IsShown());
    EXPECT_FALSE(login.IsShown());
    wxString why = change.lblwaarom->GetLabel();
    why.Replace("\n", " ");
    EXPECT_EQ(why,
              "First choose a password of your own: everyone knows the one the installation "
              "came with.");
    for (const char* password : {"Abc", "lanternwick", "Farmyard"}) {
        change.txtnieuwpaswoord->SetValue(password);
        change.txtnieuwpaswoordbevestiging->SetValue(password);
        change.cmdsave_Click();
        EXPECT_EQ(panel.IsShown(), password == std::string("Farmyard")) << password;
    }
    std::vector<std::string> told;
    for (const auto& shown : h.messages.shown) {
        told.push_back(shown.text);
    }
    EXPECT_EQ(told, (Lines{"A password needs at least 4 characters.",
                           "That is the password the installation came with. Choose another one.",
                           "PASSWORD is CHANGED"}));
    EXPECT_EQ(h.folder.Get("paswoordNr.txt"), "Farmyard\r\n");
    EXPECT_FALSE(change.IsShown());
    EXPECT_FALSE(change.lblwaarom->IsShown());

    panel.cmdadd_Click();
    auto& editor = h.Windows().SiteEditor();
    ASSERT_TRUE(editor.IsShown());
    editor.txtname->SetValue("Farm");
    editor.txtinternetaddress->SetValue("http://farm.example/");
    editor.cmdsave_Click();
    panel.cmdsave_Click();  // English stays chosen: saved, and the program asks to restart

    EXPECT_EQ(h.Lines("adressen.txt"),
              (Lines{storage::SiteRecord("Zoo", "http://zoo.example/"),
                     storage::SiteRecord("Farm", "http://farm.example/")}));
    EXPECT_EQ(h.ender.ended, 1);
    browser.cmdvisit_Click();
    EXPECT_TRUE(browser.cmdsite(2).IsShown());
    EXPECT_EQ(browser.cmdsite(2).Caption(), "Farm");
    EXPECT_EQ(browser.cmdsite(2).ToolTipText(), "http://farm.example/");
}

}  // namespace

namespace {

// The switch for only the allowed sites: off without a settings file, stored with the lists,
// kept over a restart with what else the file holds, and never written over a file it cannot
// read.
TEST_F(Panel, TheAllowedSitesSwitchIsStoredWithTheListsAndSurvivesARestart) {
    EXPECT_FALSE(P().AllowedSitesOnly());
    EXPECT_EQ(P().cmdallowedsites->Caption(), "Only allowed sites: off");
    P().cbolanguage->SetValue("Klingon");  // keeps the program running after the save
    P().cmdsave_Click();
    EXPECT_FALSE(std::filesystem::exists(h.folder.File("instellingen.txt")));

    h.Put("instellingen.txt", {"minutenmaandag=30", "alleentoegestaan=0"});
    P().Show();
    P().cmdallowedsites_Click();
    EXPECT_EQ(P().cmdallowedsites->Caption(), "Only allowed sites: on");
    // It counts before any save: an address off the list is refused at once.
    auto& browser = h.Browser();
    h.View().calls.clear();
    browser.cboURL->SetValue("http://elsewhere.example/");
    browser.cboURL_Click();
    browser.cboURL->SetValue("http://s2.example/games");
    browser.cboURL_Click();
    EXPECT_EQ(h.View().calls,
              (Lines{"navigate lanternwick://refused/?KEY", "navigate http://s2.example/games"}));
    h.writes.clear();
    P().cmdsave_Click();
    EXPECT_EQ(h.writes,
              (Lines{"adressen.txt", "startpagina.txt", "bezochtesites.txt", "instellingen.txt"}));
    EXPECT_EQ(h.Lines("instellingen.txt"), (Lines{"minutenmaandag=30", "alleentoegestaan=1"}));
    // Turned back in the same run, a second save stores that too.
    P().cmdallowedsites_Click();
    P().cmdsave_Click();
    EXPECT_EQ(h.Lines("instellingen.txt"), (Lines{"minutenmaandag=30", "alleentoegestaan=0"}));
    P().cmdallowedsites_Click();
    P().cmdsave_Click();

    h.Restart();
    EXPECT_TRUE(P().AllowedSitesOnly());
    // A file that cannot be read means off, and a save does not replace it.
    std::filesystem::remove(h.folder.File("instellingen.txt"));
    std::filesystem::create_directory(h.folder.File("instellingen.txt"));
    h.Restart();
    EXPECT_FALSE(P().AllowedSitesOnly());
    P().Show();
    P().cmdallowedsites_Click();
    P().cbolanguage->SetValue("English");
    P().cmdsave_Click();
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_NE(h.messages.shown[0].text.find(h.folder.File("instellingen.txt")), std::string::npos);
    EXPECT_NE(h.messages.shown[0].text.find("Already saved: "), std::string::npos);
    EXPECT_EQ(h.ender.ended, 0);
}

// The pictures' switch: an installation without the settings file gets one holding it once a
// parent turns it on, and a change of the limits in the same save keeps it.
TEST_F(Panel, ThePicturesSwitchIsStoredWithTheLimitsAndSurvivesARestart) {
    EXPECT_EQ(P().cmdpictures->Caption(), "Site pictures: off");
    P().cbolanguage->SetValue("Klingon");  // keeps the program running after the save
    P().cmdpictures_Click();
    EXPECT_EQ(P().cmdpictures->Caption(), "Site pictures: on");
    EXPECT_TRUE(h.Windows().Family().SitePictures());  // the child's panel takes it at once
    P().cmdsave_Click();
    EXPECT_EQ(h.Lines("instellingen.txt"), (Lines{"plaatjes=1"}));

    storage::WeekMinutes week{};
    week[0] = 30;
    h.Windows().Family().SetLimits(week);
    P().cmdpictures_Click();
    P().cmdsave_Click();
    EXPECT_EQ(h.Lines("instellingen.txt"), (Lines{"plaatjes=0", "minutenmaandag=30"}));
    h.Restart();
    EXPECT_EQ(P().cmdpictures->Caption(), "Site pictures: off");
}

// Reading aloud: off where the file does not name it, on at once, and kept by a save.
TEST_F(Panel, TheReadAloudSwitchCountsAtOnceAndIsStoredWithASave) {
    EXPECT_EQ(P().cmdreadaloud->Caption(), "Read aloud: off");
    P().cbolanguage->SetValue("Klingon");  // keeps the program running after the save
    P().cmdreadaloud_Click();
    EXPECT_EQ(P().cmdreadaloud->Caption(), "Read aloud: on");
    EXPECT_TRUE(h.Windows().Family().ReadAloud());
    P().cmdsave_Click();
    EXPECT_EQ(h.Lines("instellingen.txt"), (Lines{"voorlezen=1"}));
    h.Restart();
    P().Show();
    EXPECT_EQ(P().cmdreadaloud->Caption(), "Read aloud: on");
}

TEST(PanelInDutch, TheSwitchSpeaksTheRunsLanguage) {
    Harness h;
    h.Put("languagechoose.txt", {"Dutch", "Dutch"});
    h.Put("instellingen.txt", {"alleentoegestaan=1"});
    h.Start();
    h.Windows().Panel().Show();
    EXPECT_EQ(h.Windows().Panel().cmdallowedsites->Caption(), "Alleen toegestane sites: aan");
    h.Windows().Panel().cmdallowedsites_Click();
    EXPECT_EQ(h.Windows().Panel().cmdallowedsites->Caption(), "Alleen toegestane sites: uit");
    EXPECT_EQ(h.Windows().Panel().cmdpictures->Caption(), "Plaatjes bij de sites: uit");
    h.Windows().Panel().cmdpictures_Click();
    EXPECT_EQ(h.Windows().Panel().cmdpictures->Caption(), "Plaatjes bij de sites: aan");
    EXPECT_EQ(h.Windows().Panel().cmdreadaloud->Caption(), "Voorlezen: uit");
    h.Windows().Panel().cmdreadaloud_Click();
    EXPECT_EQ(h.Windows().Panel().cmdreadaloud->Caption(), "Voorlezen: aan");
}

// A prepared week: the counted days from the week's file, today's count, a day reckoned from the
// log, today's sites and a refused try that one click hands to the site editor.
TEST(TodayAndWeek, ShowsTheWeeksBarsAndTodaysRowsInTheRunsLanguage) {
    struct Row {
        std::string language;
        std::string button, today, minutes, refused, allow;
        Lines days;  // the last three bars' labels
    };
    for (const Row& row : std::vector<Row>{
             {"English",
              "Today and this week",
              "Today, Monday 7 December",
              "5 min",
              "not opened",
              "Allow this site",
              {"Sat 5 Dec", "Sun 6 Dec", "Mon 7 Dec"}},
             {"Dutch",
              "Vandaag en deze week",
              "Vandaag, maandag 7 december",
              "5 min",
              "niet geopend",
              "Deze site toestaan",
              {"za 5 dec", "zo 6 dec", "ma 7 dec"}},
         }) {
        Harness h;  // today is Monday 7 December 2026
        h.Put("languagechoose.txt", {row.language, row.language});
        h.Put("instellingen.txt", {"minutenmaandag=60"});
        h.Put("tijdperweek.txt", {"2026-12-05=30", "2026-12-06=45"});
        h.Put("tijdgebruik.txt",
              {"datum=2026-12-07", "tijd=08:00:00", "seconden=1200", "extraminuten=0"});
        h.Put("adressen.txt", {"Kids TV              http://kidstv.example/"});
        h.Put("bezochtesites.txt", {"http://kidstv.example/ --> Datum: 4-12-2026 Tijd: 10:00:00",
                                    "http://kidstv.example/ --> Datum: 4-12-2026 Tijd: 10:03:00",
                                    "-----------------------",
                                    "http://kidstv.example/ --> Datum: 7-12-2026 Tijd: 09:00:00",
                                    "http://kidstv.example/b --> Datum: 7-12-2026 Tijd: 09:04:00",
                                    "http://casino.example/x", "-----------------------"});
        h.Start();
        auto& panel = h.Windows().Panel();
        panel.Show();
        EXPECT_EQ(panel.cmdvandaag->Caption(), row.button);
        panel.cmdvandaag->Click();
        auto& view = h.Windows().ActivityView();
        ASSERT_TRUE(view.IsShown()) << row.language;
        Lines minutes, labels;
        for (int i = 0; i < 7; ++i) {
            minutes.push_back(std::to_string(view.bars->Days()[i].minutes) +
                              (view.bars->Days()[i].limit ? "/60" : ""));
            labels.push_back(view.bars->Labels()[i].utf8_string());
        }
        EXPECT_EQ(minutes, (Lines{"0", "0", "0", "4", "30", "45", "20/60"})) << row.language;
        EXPECT_EQ(Lines(labels.begin() + 4, labels.end()), row.days);
        EXPECT_EQ(view.lbltoday->GetLabel().utf8_string(), row.today);
        ASSERT_EQ(view.Rows().size(), 2u) << row.language;
        EXPECT_EQ(view.Rows()[0].name->GetLabel(), "Kids TV");
        EXPECT_EQ(view.Rows()[0].minutes->GetLabel().utf8_string(), row.minutes);
        EXPECT_EQ(view.Rows()[0].allow, nullptr);
        EXPECT_EQ(view.Rows()[1].name->GetLabel(), "casino.example");
        EXPECT_EQ(view.Rows()[1].minutes->GetLabel().utf8_string(), row.refused);
        ASSERT_NE(view.Rows()[1].allow, nullptr);
        EXPECT_EQ(view.Rows()[1].allow->Caption().utf8_string(), row.allow);

        view.Rows()[1].allow->Click();
        auto& editor = h.Windows().SiteEditor();
        EXPECT_TRUE(editor.IsShown()) << row.language;
        EXPECT_EQ(editor.txtinternetaddress->GetValue(), "http://casino.example/x");
    }
}

// "Ask later" on the refusal page leaves the address for the parent, once; the panel shows it
// first, allowing it lets the child's next click open the site, refusing takes it away; an
// allow from the refusal page itself takes the child there at once.
TEST(Requests, AskedLaterTheParentAllowsOrRefusesAndTheChildGoesOn) {
    Harness h;
    h.Put("instellingen.txt", {"alleentoegestaan=1"});
    h.Put("words.txt", {"casino"});
    h.Put("startpagina.txt", {"Home                 http://home.example/"});
    h.Start();
    auto& view = h.View();
    auto open = [&](const std::string& address) {
        h.Browser().cboURL->SetValue(address);
        h.Browser().cboURL_Click();
    };
    auto refuseThenLater = [&](const std::string& address) {
        open(address);
        ASSERT_EQ(view.calls.back(), "navigate lanternwick://refused/?KEY");
        view.Reach("lanternwick://refused/?KEY");
        for (int press = 0; press < 2; ++press) {
            view.calls.clear();
            EXPECT_TRUE(view.Announce("lanternwick://later/"));
            ASSERT_TRUE(testsupport::WaitUntil([&] { return !view.calls.empty(); }));
            EXPECT_EQ(view.calls.back(), "navigate lanternwick://asked/?KEY");
        }
    };
    refuseThenLater("http://zoo.example/animals");
    refuseThenLater("http://farm.example/");
    EXPECT_EQ(h.Lines("verzoeken.txt"),
              (Lines{"http://zoo.example/animals", "http://farm.example/"}));

    auto& panel = h.Windows().Panel();
    panel.Show();
    ASSERT_TRUE(panel.cmdrequests->IsShown());
    EXPECT_EQ(panel.cmdrequests->Caption(), "Requests (2)");
    panel.cmdrequests->Click();
    auto& requests = h.Windows().RequestsView();
    ASSERT_EQ(requests.Rows().size(), 2u);
    requests.Rows()[1].refuse->Click();
    EXPECT_EQ(h.Lines("verzoeken.txt"), Lines{"http://zoo.example/animals"});
    EXPECT_EQ(panel.cmdrequests->Caption(), "Requests (1)");
    requests.Rows()[0].allow->Click();
    auto& editor = h.Windows().SiteEditor();
    ASSERT_TRUE(editor.IsShown());
    EXPECT_EQ(editor.txtinternetaddress->GetValue(), "http://zoo.example/animals");
    editor.txtname->SetValue("Zoo");
    editor.cmdsave_Click();
    EXPECT_FALSE(panel.cmdrequests->IsShown());
    EXPECT_TRUE(h.Lines("verzoeken.txt").empty());
    view.calls.clear();
    open("http://zoo.example/animals");
    EXPECT_EQ(view.calls, Lines{"navigate http://zoo.example/animals"});

    // Asked for now: the site editor's save takes the child from the refusal page to the site.
    open("http://farm.example/");
    view.Reach("lanternwick://refused/?KEY");
    view.calls.clear();
    panel.AddSiteFor("http://farm.example/");
    editor.txtname->SetValue("Farm");
    editor.cmdsave_Click();
    EXPECT_EQ(view.calls, Lines{"navigate http://farm.example/"});

    // A blocked word still holds this one: allowing its site does not answer it.
    h.Put("verzoeken.txt", {"http://casino.example/"});
    panel.AddSiteFor("http://casino.example/");
    editor.txtname->SetValue("Cards");
    editor.cmdsave_Click();
    EXPECT_EQ(panel.cmdrequests->Caption(), "Requests (1)");
    EXPECT_EQ(h.Lines("verzoeken.txt"), Lines{"http://casino.example/"});
}

// Only where the program is the child's whole session does the panel offer to end it; that
// leaves the panel as "Log out" does, closes the child's window with its usual steps, and ends
// the program with the one code after which the session's launcher does not start it again.
TEST(Session, OnlyTheChildsWholeSessionOffersItsEndAndEndsItWithTheLaunchersCode) {
    for (const bool whole : {false, true}) {
        Harness h;
        h.wholeSession = whole;
        h.Start();
        auto& panel = h.Windows().Panel();
        panel.Show();
        EXPECT_EQ(panel.cmdendsession->IsShown(), whole);
        EXPECT_EQ(h.Browser().IsFullScreen(), whole);
        if (whole) {
            EXPECT_EQ(panel.cmdendsession->Caption(), "End the child's session");
            panel.cmdendsession->Click();
            EXPECT_FALSE(panel.IsShown());
            EXPECT_EQ(h.ender.ended, 1);
            EXPECT_EQ(h.ender.Code(), platform::ProcessEnder::kSessionEnds);
            EXPECT_EQ(h.Lines("bezochtesites.txt").back(), "-----------------------");
        }
    }
}

}  // namespace
