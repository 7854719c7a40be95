// The parents' login: the account files are read at every attempt and compared exactly.
#include <gtest/gtest.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <filesystem>

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

#include "browser/frmBrowser.h"
#include "parents/Parents.h"
#include "parents/paswoord.h"
#include "support/Harness.h"
#include "widgets/ChameleonButton.h"

using testsupport::Harness;

namespace {

class Login : public ::testing::Test {
protected:
    void SetUp() override {
        h.Put("words.txt", {"casino"});
        h.Put("paswoordNaam.txt", {"parents"});
        h.Put("paswoordNr.txt", {"Lantern wick"});
        h.Start();
        h.Browser().Picparent2_Click();
    }
    parents::paswoord& L() { return h.Windows().Login(); }
    void Try(const std::string& name, const std::string& password) {
        L().txtnaam->SetValue(wxString::FromUTF8(name));
        L().txtpaswoord->SetValue(wxString::FromUTF8(password));
        L().cmdLogon_Click();
    }
    std::vector<std::string> Messages() {
        std::vector<std::string> texts;
        for (const auto& m : h.messages.shown) {
            texts.push_back(m.text);
        }
        return texts;
    }
    std::string Wait() {  // the wait's sentence, whatever lines it was broken into
        wxString text = L().lblwacht->GetLabel();
        text.Replace("\n", " ");
        return text.utf8_string();
    }
    bool PanelShown() {
        auto* panel = h.Windows().PanelIfLoaded();
        return panel != nullptr && panel->IsShown();
    }
    Harness h;
};

TEST_F(Login, OnlyTheExactPairOpensThePanel) {
    Try("Parents", "Lantern wick");
    Try("parents ", "Lantern wick");
    Try("parents", "lantern wick");
    Try("parents", "Lantern wick ");
    EXPECT_EQ(Messages(), (std::vector<std::string>{"The user is wrong!", "The user is wrong!",
                                                    "Password is wrong", "Password is wrong"}));
    EXPECT_EQ(h.messages.shown[0].title, "Lanternwick");
    EXPECT_EQ(L().txtnaam->GetValue(), "");
    EXPECT_EQ(L().txtpaswoord->GetValue(), "");
    EXPECT_FALSE(PanelShown());

    Try("parents", "Lantern wick");
    EXPECT_TRUE(PanelShown());
    EXPECT_EQ(h.Windows().Panel().GetTitle(), "Configuration Lanternwick: parentcontrol");
    EXPECT_FALSE(L().IsShown());
    ASSERT_EQ(h.messages.shown.size(), 5u);  // the panel tells the wrong tries, once
    EXPECT_EQ(Messages()[4], "Wrong tries at the login since your last visit: 4.");
    h.Windows().Panel().cmdclose_Click();
    h.Browser().Picparent2_Click();
    Try("parents", "Lantern wick");
    EXPECT_EQ(h.messages.shown.size(), 5u);
}

TEST_F(Login, AfterFiveWrongTriesEveryTryWaitsAlsoWhenTheChildAsksAGrownUp) {
    for (int i = 0; i < 5; ++i) {
        Try("parents", "guess");
    }
    EXPECT_TRUE(L().lblwacht->IsShown());
    EXPECT_EQ(Wait(), "The wrong password was typed too often. You can try again in 0:30.");
    EXPECT_FALSE(L().txtpaswoord->IsEnabled());
    EXPECT_FALSE(L().cmdLogon->IsEnabled());
    Try("parents", "Lantern wick");  // what a key press could still send
    EXPECT_FALSE(PanelShown());
    EXPECT_EQ(h.messages.shown.size(), 5u);

    L().cmdcancel_Click();
    h.Windows().AskFor("http://casino.example/");
    EXPECT_TRUE(L().IsShown());
    EXPECT_FALSE(L().txtnaam->IsEnabled());
    h.clock.steady += 29;
    wxTimerEvent tick(L().tmrwacht);
    L().tmrwacht_Timer(tick);
    EXPECT_EQ(Wait(), "The wrong password was typed too often. You can try again in 0:01.");
    h.clock.steady += 1;
    L().tmrwacht_Timer(tick);
    EXPECT_FALSE(L().lblwacht->IsShown());
    EXPECT_TRUE(L().txtnaam->IsEnabled());
    EXPECT_TRUE(L().cmdLogon->IsEnabled());
    Try("parents", "Lantern wick");
    EXPECT_TRUE(PanelShown());
    EXPECT_EQ(Messages().back(), "Wrong tries at the login since your last visit: 5.");
}

TEST_F(Login, AnEmptyStoredPasswordIsMatchedByAnEmptyBox) {
    h.Put("paswoordNr.txt", {""});
    Try("parents", "");
    EXPECT_TRUE(PanelShown());
    EXPECT_TRUE(h.messages.shown.empty());
}

TEST_F(Login, CancelHidesAndTheNextOpeningStartsEmpty) {
    L().txtnaam->SetValue("parents");
    L().cmdcancel_Click();
    EXPECT_FALSE(L().IsShown());
    EXPECT_TRUE(h.messages.shown.empty());
    h.Browser().Picparent2_Click();
    EXPECT_TRUE(L().IsShown());
    EXPECT_EQ(L().txtnaam->GetValue(), "");
}

TEST_F(Login, AMissingOrEmptyAccountFileIsNamedAndKeepsThePanelShut) {
    std::filesystem::remove(h.folder.File("paswoordNr.txt"));
    Try("parents", "Lantern wick");
    h.Put("paswoordNaam.txt", {});
    Try("parents", "Lantern wick");
    ASSERT_EQ(h.messages.shown.size(), 2u);
    EXPECT_NE(Messages()[0].find(h.folder.File("paswoordNr.txt")), std::string::npos);
    EXPECT_NE(Messages()[1].find(h.folder.File("paswoordNaam.txt")), std::string::npos);
    EXPECT_FALSE(PanelShown());
}

#ifdef __WXGTK__
TEST_F(Login, ThePasswordShowsAnXForEveryCharacter) {
    GtkWidget* entry = L().txtpaswoord->GetHandle();
    ASSERT_TRUE(GTK_IS_ENTRY(entry));
    EXPECT_EQ(gtk_entry_get_invisible_char(GTK_ENTRY(entry)), static_cast<gunichar>('X'));
    EXPECT_FALSE(gtk_entry_get_visibility(GTK_ENTRY(entry)));
}
#endif

}  // namespace
