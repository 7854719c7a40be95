// The language of a run: the caption tables applied at start and the language step of
// "Log out and save".
#include <gtest/gtest.h>
#include <wx/combobox.h>
#include <wx/listbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/toplevel.h>

#include <filesystem>

#include "app/LanguageSwitch.h"
#include "browser/frmBrowser.h"
#include "i18n/CaptionTables.h"
#include "parents/Parents.h"
#include "parents/frmBlocker.h"
#include "parents/invoegensite.h"
#include "parents/paswoord.h"
#include "parents/paswoordwijzigen.h"
#include "parents/startpagina.h"
#include "parents/tijdperdag.h"
#include "storage/Records.h"
#include "storage/Settings.h"
#include "support/CaptionFit.h"
#include "support/Harness.h"
#include "support/Wait.h"
#include "widgets/ChameleonButton.h"
#include "widgets/HLine.h"

using testsupport::Harness;
using Lines = std::vector<std::string>;

namespace {

// What a row's control shows now, in the row's own terms.
struct Shown {
    std::string text;
    int twips = 0;
};

Shown Read(app::Forms& forms, const i18n::CaptionRow& row) {
    wxTopLevelWindow& window = app::WindowNamed(forms, row.window);
    if (row.property == i18n::Property::Title) {
        return {window.GetTitle().utf8_string()};
    }
    wxWindow* control = app::ControlNamed(window, row.control);
    if (auto* button = dynamic_cast<widgets::chameleonButton*>(control)) {
        return {button->Caption().utf8_string()};
    }
    if (auto* label = dynamic_cast<wxStaticText*>(control)) {
        return {label->GetLabel().utf8_string()};
    }
    if (auto* line = dynamic_cast<widgets::HLine*>(control)) {
        return {"", line->Right()};
    }
    return {"<no control " + std::string(row.control) + ">"};
}

void ExpectShows(Harness& h, const std::vector<i18n::CaptionRow>& rows) {
    const browser::TwipScale scale(h.Browser().GetDPI().y);
    for (const auto& row : rows) {
        const Shown shown = Read(h.Windows(), row);
        const std::string where = std::string(row.window) + "." + std::string(row.control);
        if (row.property == i18n::Property::LineRightEnd) {
            EXPECT_EQ(shown.twips, scale.ToPixels(row.twips)) << where;
        } else {
            EXPECT_EQ(shown.text, row.text) << where;
        }
    }
}

Harness& StartIn(Harness& h, const Lines& languageFile) {
    h.Put("words.txt", {"casino"});
    h.Put("languagechoose.txt", languageFile);
    h.Start();
    return h;
}

TEST(Language, ADutchRunShowsEveryDutchText) {
    Harness h;
    StartIn(h, {"Dutch", "Dutch"});
    auto& panel = h.Windows().Panel();
    EXPECT_EQ(panel.cmdclear->Caption(), "Maak logboek leeg");
    EXPECT_EQ(panel.cmdchange->Caption(), "Verander paswoord");
    EXPECT_EQ(h.Windows().Login().GetTitle(), "Inloggen parentcontrol");
    EXPECT_EQ(panel.cbolanguage->GetValue(), "Dutch");
    EXPECT_EQ(h.Browser().cmdvisit->Caption(), "BEZOEK EEN SITE");
    ExpectShows(h, i18n::CaptionTable(i18n::Language::Dutch));

    // The strip resets the visit button to the caption of this run's language.
    h.Browser().cmdvisit->SetCaption("");
    h.Browser().Text3_MouseMove();
    EXPECT_EQ(h.Browser().cmdvisit->Caption(), "BEZOEK EEN SITE");
}

// Messages beyond the windows' captions speak the run's language too.
TEST(Language, ADutchRunsMessagesAreDutch) {
    Harness h;
    StartIn(h, {"Dutch", "Dutch"});
    auto& editor = h.Windows().SiteEditor();
    editor.txtname->SetValue(std::string(21, 'n'));
    editor.cmdsave_Click();
    auto& blocker = h.Windows().Blocker();
    blocker.txtinternetaddress->SetValue("casino");
    blocker.cmdsave_Click();
    std::filesystem::create_directory(h.folder.File("adressen.txt"));
    h.Windows().Panel().cmdsave_Click();
    ASSERT_EQ(h.messages.shown.size(), 3u);
    EXPECT_EQ(h.messages.shown[0].text, "Maximum 20 karakters!");
    EXPECT_EQ(h.messages.shown[1].text, "Het woord \"casino\" staat al in de lijst.");
    EXPECT_EQ(
        h.messages.shown[2].text.rfind(
            "Het bestand \"" + h.folder.File("adressen.txt") + "\" kon niet worden bewaard: ", 0),
        0u)
        << h.messages.shown[2].text;
    EXPECT_NE(h.messages.shown[2].text.find("Er is nog niets bewaard."), std::string::npos);
}

// Every caption of every dialog shows whole, in both languages and with the built-in texts, the
// panel's switch and time button at their longest.
TEST(Language, EveryCaptionOfEveryDialogShowsWhole) {
    for (const Lines& language : {Lines{"Dutch"}, Lines{"English"}, Lines{"none"}}) {
        Harness h;
        Lines settings{"alleentoegestaan=1"};
        for (const char* day : storage::Settings::kMinutesPerDay) {
            settings.push_back(std::string(day) + "=1440");
        }
        h.Put("instellingen.txt", settings);
        StartIn(h, language);
        auto& w = h.Windows();
        for (wxTopLevelWindow* window : std::vector<wxTopLevelWindow*>{
                 &w.Panel(), &w.Login(), &w.SiteEditor(), &w.StartPageEditor(), &w.Blocker(),
                 &w.ChangePassword(), &w.TimeLimitEditor()}) {
            window->Show();
            testsupport::PumpFor(std::chrono::milliseconds(50));
            EXPECT_EQ(testsupport::CutCaptions(*window), Lines{})
                << language[0] << " " << window->GetTitle();
            window->Hide();
        }
    }
}

// What the windows show is whole in either language: records, typed passwords, the heading.
TEST(Language, RecordsPasswordsAndTheLoginHeadingShowWhole) {
    for (const Lines& language : {Lines{"Dutch"}, Lines{"English"}}) {
        Harness h;
        const std::string site = storage::SiteRecord("Twenty characters!!!", std::string(70, 'W'));
        h.Put("adressen.txt", {site});
        h.Put("startpagina.txt", {storage::StartPageRecord("Home", std::string(70, 'W'))});
        StartIn(h, language);
        auto& panel = h.Windows().Panel();
        EXPECT_GE(panel.List1->GetSize().x, panel.List1->GetTextExtent(site).x) << language[0];
        EXPECT_GE(panel.startpagina1->GetSize().x,
                  panel.startpagina1->GetTextExtent(panel.startpagina1->GetString(0)).x);

        auto& change = h.Windows().ChangePassword();
        EXPECT_GE(change.txtnieuwpaswoordbevestiging->GetSize().x,
                  change.GetTextExtent(std::string(30, 'X')).x)
            << language[0];

        auto& login = h.Windows().Login();
        const wxRect heading = login.lblcontrole->GetRect();
        const wxRect line = login.linepassword->GetRect();
        EXPECT_GT(line.GetTop(), heading.GetBottom()) << language[0];
        EXPECT_LE(line.GetLeft(), heading.GetLeft());
        EXPECT_GE(line.GetRight(), heading.GetRight()) << language[0];
    }
}

TEST(Language, AnEnglishRunKeepsTheTextsItDoesNotSet) {
    Harness h;
    StartIn(h, {"English", "Dutch"});  // the first line decides
    ExpectShows(h, i18n::CaptionTable(i18n::Language::English));
    auto& panel = h.Windows().Panel();
    EXPECT_EQ(panel.cmdDelete->Caption(), "Delete internetaddress");
    EXPECT_EQ(panel.cmdsave->Caption(), "Log out en save");
    EXPECT_EQ(panel.cmdHelp->Caption(), "Help");
    EXPECT_EQ(panel.cmdsecurity->Caption(), "Level of security");
    EXPECT_EQ(Read(h.Windows(), {"frmBlocker", "lblname", i18n::Property::Caption, "", 0}).text,
              "Webaddresses, which contain one of these words will be blocked");
}

TEST(Language, AnyOtherWordKeepsTheBuiltInTextsAndCreatesNoWindow) {
    for (const Lines& file : {Lines{"dutch"}, Lines{"Dutch "}, Lines{}}) {
        Harness h;
        StartIn(h, file);
        auto& forms = h.Windows();
        // (The panel exists all the same: the start page's log entry lands in its list.)
        EXPECT_EQ(forms.LoginIfLoaded(), nullptr);
        EXPECT_EQ(forms.SitesIfLoaded(), nullptr);
        EXPECT_EQ(forms.ChangePasswordIfLoaded(), nullptr);
        EXPECT_EQ(forms.SiteEditorIfLoaded(), nullptr);
        EXPECT_EQ(forms.StartPageEditorIfLoaded(), nullptr);
        EXPECT_EQ(forms.BlockerIfLoaded(), nullptr);
        ExpectShows(h, i18n::BuiltInCaptions());
    }
}

class LanguageStep : public ::testing::Test {
protected:
    void SetUp() override {
        h.Put("bezochtesites.txt", {"old entry"});
        StartIn(h, {"Dutch", "Dutch"});
        h.writes.clear();
        P().Show();
    }
    parents::Parents& P() { return h.Windows().Panel(); }
    void SaveWith(const char* language) {
        P().cbolanguage->SetValue(language);
        P().cmdsave_Click();
    }
    Harness h;
};

TEST_F(LanguageStep, DutchOrEnglishIsStoredTwiceAndEndsTheProgram) {
    SaveWith("English");
    EXPECT_EQ(h.writes, (Lines{"adressen.txt", "startpagina.txt", "bezochtesites.txt",
                               "languagechoose.txt"}));
    EXPECT_EQ(h.folder.Get("languagechoose.txt"), "English\r\nEnglish\r\n");
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text, "To let these options work, the program most be reboot.");
    EXPECT_EQ(h.messages.shown[0].title, "Lanternwick");
    EXPECT_EQ(h.ender.ended, 1);
    // The program ended without the browser window's close, so no run separator was written.
    EXPECT_EQ(h.Lines("bezochtesites.txt").back(), "about:blank");
}

TEST_F(LanguageStep, AnUnfinishedLanguageIsRefusedAndTheLoginComesBack) {
    auto& login = h.Windows().Login();
    login.txtnaam->SetValue("parents");
    SaveWith("French");
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text,
              "We are still working at this language.  Please choose another language.");
    EXPECT_TRUE(login.IsShown());
    EXPECT_EQ(login.txtnaam->GetValue(), "");
    EXPECT_FALSE(P().IsShown());
    EXPECT_EQ(h.folder.Get("languagechoose.txt"), "Dutch\r\nDutch\r\n");
    EXPECT_EQ(h.ender.ended, 0);
}

TEST_F(LanguageStep, AnUnknownNameWritesAndShowsNothing) {
    SaveWith("english");
    EXPECT_EQ(h.writes, (Lines{"adressen.txt", "startpagina.txt", "bezochtesites.txt"}));
    EXPECT_TRUE(h.messages.shown.empty());
    EXPECT_FALSE(P().IsShown());
    EXPECT_EQ(h.ender.ended, 0);
}

TEST_F(LanguageStep, AnUnwritableLanguageFileIsReportedAndTheProgramGoesOn) {
    std::filesystem::remove(h.folder.File("languagechoose.txt"));
    std::filesystem::create_directory(h.folder.File("languagechoose.txt"));
    SaveWith("Dutch");
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_NE(h.messages.shown[0].text.find(h.folder.File("languagechoose.txt")),
              std::string::npos);
    EXPECT_EQ(h.ender.ended, 0);
    EXPECT_TRUE(P().IsShown());
}

}  // namespace
