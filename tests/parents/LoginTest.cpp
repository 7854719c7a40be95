// The parents' login: the account files are read at every attempt and compared exactly.
#include <gtest/gtest.h>
#include <wx/textctrl.h>

#include <filesystem>

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

#include "browser/frmBrowser.h"
#include "parents/Parents.h"
#include "parents/paswoord.h"
#include "support/Harness.h"

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
    EXPECT_EQ(h.messages.shown.size(), 4u);
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
