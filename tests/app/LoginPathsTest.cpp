// Every way a child at the browser window could try to get to the parents' panel or one of its
// dialogs without the account: the parents button, the keyboard, closing windows, the language
// refusal; and whether the password boxes give away what was typed.
#include <gtest/gtest.h>
#include <wx/clipbrd.h>
#include <wx/combobox.h>
#include <wx/eventfilter.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <functional>
#include <set>
#include <utility>
#include <vector>

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

#include "browser/frmBrowser.h"
#include "parents/Parents.h"
#include "parents/frmBlocker.h"
#include "parents/invoegensite.h"
#include "parents/paswoord.h"
#include "parents/paswoordwijzigen.h"
#include "parents/startpagina.h"
#include "support/Harness.h"
#include "support/Wait.h"
#include "widgets/ChameleonButton.h"

using namespace std::chrono_literals;
using testsupport::Harness;
using testsupport::PumpFor;
using testsupport::WaitUntil;

namespace {

// Presses a key through the display and waits until the program has had its release, and
// what the key queued: whatever it would open is open by then.
class KeysHandled : public wxEventFilter {
public:
    KeysHandled() { wxEvtHandler::AddFilter(this); }
    ~KeysHandled() override { wxEvtHandler::RemoveFilter(this); }
    KeysHandled(const KeysHandled&) = delete;
    KeysHandled& operator=(const KeysHandled&) = delete;
    int FilterEvent(wxEvent& event) override {
        if (event.GetEventType() == wxEVT_KEY_UP) {
            ++releases_;
        }
        return Event_Skip;
    }
    bool Press(int key, int modifiers = wxMOD_NONE) {
        // One release for the key and one for each modifier held with it.
        const int expected = releases_ + 1 + ((modifiers & wxMOD_SHIFT) != 0) +
                             ((modifiers & wxMOD_CONTROL) != 0) + ((modifiers & wxMOD_ALT) != 0);
        wxUIActionSimulator().Char(key, modifiers);
        return WaitUntil([&] { return releases_ >= expected; }) && testsupport::Settle();
    }

private:
    int releases_ = 0;
};

class LoginPaths : public ::testing::Test {
protected:
    void SetUp() override {
        h.Put("words.txt", {"casino"});
        h.Put("paswoordNaam.txt", {"parents"});
        h.Put("paswoordNr.txt", {"Lantern wick"});
        h.Put("languagechoose.txt", {"English", "English"});
        h.Start();
        h.Browser().TmrIntro_Timer();
    }

    parents::paswoord& Login() { return h.Windows().Login(); }

    // The panel and the four dialogs only the panel opens: none may be on screen.
    std::string ParentsWindowsShown() {
        auto& w = h.Windows();
        std::string shown;
        auto note = [&shown](wxWindow* window, const char* name) {
            if (window != nullptr && window->IsShown()) {
                shown += std::string(shown.empty() ? "" : ", ") + name;
            }
        };
        note(w.PanelIfLoaded(), "Parents");
        note(w.SiteEditorIfLoaded(), "invoegensite");
        note(w.StartPageEditorIfLoaded(), "startpagina");
        note(w.BlockerIfLoaded(), "frmBlocker");
        note(w.ChangePasswordIfLoaded(), "paswoordwijzigen");
        return shown;
    }

    void LogIn() {
        h.Browser().Picparent2_Click();
        Login().txtnaam->SetValue("parents");
        Login().txtpaswoord->SetValue("Lantern wick");
        Login().cmdLogon_Click();
        ASSERT_TRUE(h.Windows().Panel().IsShown());
    }

    void Focus(wxWindow* window) {
        wxGetTopLevelParent(window)->Show();
        wxGetTopLevelParent(window)->Raise();
        // Without a window manager the keyboard goes to the window under the pointer, which an
        // earlier test may have left anywhere.
        const wxRect box = window->GetScreenRect();
        wxUIActionSimulator().MouseMove(box.GetLeft() + box.GetWidth() / 2,
                                        box.GetTop() + box.GetHeight() / 2);
        PumpFor(50ms);
        window->SetFocus();
        ASSERT_TRUE(WaitUntil([&] { return wxWindow::FindFocus() == window; }));
    }

    Harness h;
};

TEST_F(LoginPaths, TheParentsButtonOpensOnlyTheLogin) {
    h.Browser().Picparent2_Click();
    EXPECT_TRUE(Login().IsShown());
    EXPECT_EQ(ParentsWindowsShown(), "");
    h.Browser().Picparent2_Click();  // a second press while it is open
    EXPECT_EQ(ParentsWindowsShown(), "");
}

// Tab, Return and space through every control of the browser window and then of the login, as
// a child hammering the keyboard would: focus and key presses reach nothing of the parents.
TEST_F(LoginPaths, KeyboardTraversalAndPressesNeverPassTheLogin) {
    wxUIActionSimulator keys;
    KeysHandled handled;
    std::set<wxWindow*> visited;
    Focus(h.Browser().cmdvisit);
    for (int step = 0; step < 40; ++step) {
        ASSERT_TRUE(handled.Press(WXK_TAB, step % 3 == 0 ? wxMOD_SHIFT : wxMOD_NONE));
        visited.insert(wxWindow::FindFocus());
        ASSERT_TRUE(handled.Press(step % 2 == 0 ? WXK_RETURN : WXK_SPACE));
        ASSERT_EQ(ParentsWindowsShown(), "") << "after key step " << step;
    }
    EXPECT_GT(visited.size(), 1u) << "the focus never moved, so nothing was tried";

    h.Browser().Picparent2_Click();
    Focus(Login().txtnaam);
    const size_t refusals = h.messages.shown.size();
    for (int step = 0; step < 24; ++step) {
        ASSERT_TRUE(handled.Press(WXK_TAB, step % 4 == 3 ? wxMOD_SHIFT : wxMOD_NONE));
        ASSERT_TRUE(handled.Press(step % 2 == 0 ? WXK_RETURN : WXK_SPACE));
        if (!Login().IsShown()) {
            h.Browser().Picparent2_Click();  // Escape or Cancel got there; open it again
            Focus(Login().txtnaam);
        }
        ASSERT_EQ(ParentsWindowsShown(), "") << "in the login, key step " << step;
    }
    // The Logon button was reached and pressed with a wrong account at least once.
    EXPECT_GT(h.messages.shown.size(), refusals);
}

// However the login is opened, the parent types the name into the name box, and Enter there
// goes on to the password rather than trying a login without one.
TEST_F(LoginPaths, EveryWayInGivesTheNameBoxTheKeyboardAndEnterMovesOnToThePassword) {
    auto& panel = h.Windows().Panel();
    const std::vector<std::pair<const char*, std::function<void()>>> ways{
        {"parents button", [&] { h.Browser().Picparent2_Click(); }},
        {"ask a grown-up", [&] { h.Windows().AskFor("http://zoo.example/"); }},
        {"language refusal",
         [&] {
             LogIn();
             PumpFor(100ms);  // the panel on screen, as a parent sees it before choosing
             panel.cbolanguage->SetValue("French");
             panel.cmdsave_Click();
         }},
    };
    for (const auto& [way, open] : ways) {
        Focus(Login().txtpaswoord);  // where the last attempt left the keyboard
        Login().Hide();
        open();
        ASSERT_TRUE(Login().IsShown()) << way;
        EXPECT_TRUE(WaitUntil([&] { return wxWindow::FindFocus() == Login().txtnaam; })) << way;
    }
    const size_t messages = h.messages.shown.size();
    wxUIActionSimulator().Char(WXK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return wxWindow::FindFocus() == Login().txtpaswoord; }));
    EXPECT_EQ(h.messages.shown.size(), messages) << "no login was tried";
    EXPECT_FALSE(panel.IsShown());
}

TEST_F(LoginPaths, ClosingTheLoginOrTheDialogsNeverOpensThePanel) {
    h.Browser().Picparent2_Click();
    Login().txtnaam->SetValue("parents");
    Login().Close();  // the title bar's close
    EXPECT_FALSE(Login().IsShown());
    EXPECT_EQ(ParentsWindowsShown(), "");

    h.Browser().Picparent2_Click();
    Focus(Login().txtpaswoord);
    KeysHandled handled;
    // The dialog takes Escape's release as well; a key after it shows it was handled.
    wxUIActionSimulator().Char(WXK_ESCAPE);
    ASSERT_TRUE(handled.Press(WXK_SHIFT));
    EXPECT_EQ(ParentsWindowsShown(), "");
    Login().cmdcancel_Click();

    // A parent who leaves the panel with a dialog still open must not leave the dialog to
    // the child: it would change the password or the blocked words without any login.
    LogIn();
    auto& panel = h.Windows().Panel();
    panel.cmdBlocksites_Click();
    panel.cmdchange_Click();
    panel.cmdadd_Click();
    panel.cmdclose_Click();
    EXPECT_EQ(ParentsWindowsShown(), "") << "left open after Log out";

    LogIn();
    panel.cmdHomepage_Click();
    panel.cmddevelopers_Click();  // a link button hides the panel and shows the browser window
    EXPECT_EQ(ParentsWindowsShown(), "") << "left open after a link button";

    // Closing any of the dialogs from its title bar only hides it.
    for (wxTopLevelWindow* dialog :
         std::vector<wxTopLevelWindow*>{&h.Windows().SiteEditor(), &h.Windows().StartPageEditor(),
                                        &h.Windows().Blocker(), &h.Windows().ChangePassword()}) {
        dialog->Show();
        dialog->Close();
        EXPECT_FALSE(dialog->IsShown());
    }
    EXPECT_EQ(ParentsWindowsShown(), "");

    // After the parent has left, the login's hidden boxes still hold the account; the parents
    // button must empty them so that a bare press of Logon is refused.
    h.Browser().Picparent2_Click();
    Login().cmdLogon_Click();
    EXPECT_EQ(ParentsWindowsShown(), "");
}

TEST_F(LoginPaths, TheLanguageRefusalAsksForTheAccountAgain) {
    LogIn();
    auto& panel = h.Windows().Panel();
    panel.cmdchange_Click();
    panel.cbolanguage->SetValue("German");
    panel.cmdsave_Click();
    EXPECT_TRUE(Login().IsShown());
    EXPECT_EQ(ParentsWindowsShown(), "");
    EXPECT_EQ(Login().txtnaam->GetValue(), "");
    EXPECT_EQ(Login().txtpaswoord->GetValue(), "");
    Login().cmdLogon_Click();
    EXPECT_EQ(ParentsWindowsShown(), "");
    EXPECT_EQ(h.ender.ended, 0);
}

#ifdef __WXGTK__
// Typed into each password box: the box shows only X's, and neither copy nor cut puts the text
// on the clipboard, by key or by the toolkit's own call.
TEST_F(LoginPaths, PasswordBoxesNeverRevealWhatWasTyped) {
    LogIn();
    h.Windows().Panel().cmdclose_Click();
    std::vector<wxTextCtrl*> boxes{Login().txtpaswoord,
                                   h.Windows().ChangePassword().txtnieuwpaswoord,
                                   h.Windows().ChangePassword().txtnieuwpaswoordbevestiging};
    wxUIActionSimulator keys;
    for (wxTextCtrl* box : boxes) {
        SCOPED_TRACE(box->GetName().utf8_string());
        box->Clear();
        Focus(box);
        keys.Text("Secret7");
        ASSERT_TRUE(WaitUntil([&] { return box->GetValue() == "Secret7"; }))
            << "box holds " << box->GetValue().utf8_string();

        GtkEntry* entry = GTK_ENTRY(box->GetHandle());
        EXPECT_STREQ(pango_layout_get_text(gtk_entry_get_layout(entry)), "XXXXXXX");

        ASSERT_TRUE(wxTheClipboard->Open());
        wxTheClipboard->SetData(new wxTextDataObject("nothing yet"));
        wxTheClipboard->Close();
        KeysHandled handled;
        ASSERT_TRUE(handled.Press('a', wxMOD_CONTROL));
        ASSERT_TRUE(handled.Press('c', wxMOD_CONTROL));
        box->SelectAll();
        box->Copy();
        ASSERT_TRUE(handled.Press('x', wxMOD_CONTROL));
        box->SelectAll();
        box->Cut();
        ASSERT_TRUE(testsupport::Settle());
        wxTextDataObject held;
        ASSERT_TRUE(wxTheClipboard->Open());
        wxTheClipboard->GetData(held);
        wxTheClipboard->Close();
        EXPECT_EQ(held.GetText(), "nothing yet");
        EXPECT_EQ(box->GetValue(), "Secret7");  // a refused cut removes nothing either
        box->Clear();
        wxGetTopLevelParent(box)->Hide();
    }
}
#endif

}  // namespace
