// The panel's four dialogs on the real windows: what they put into the panel's lists and the data
// files, and what they refuse. Typing and pasting go through the toolkit as a parent's would.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <wx/clipbrd.h>
#include <wx/combobox.h>
#include <wx/listbox.h>
#include <wx/mstream.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <tuple>

#include "browser/PictureBox.h"
#include "browser/frmBrowser.h"
#include "browser/sites.h"
#include "parents/Parents.h"
#include "parents/frmBlocker.h"
#include "parents/invoegensite.h"
#include "parents/paswoord.h"
#include "parents/paswoordwijzigen.h"
#include "parents/startpagina.h"
#include "parents/tijdperdag.h"
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

const std::string k20 = "Twenty characters!!!";
const std::string kStartLine = "Home                 http://home.example/";

class Editors : public ::testing::Test {
protected:
    void SetUp() override {
        h.Put("words.txt", {"casino"});
        h.Put("paswoordNaam.txt", {"parents"});
        h.Put("paswoordNr.txt", {"Lantern wick"});
        h.Put("startpagina.txt", {kStartLine});
        h.Put("adressen.txt", {"Zoo                  zoo.example"});
        h.Start();
        h.messages.shown.clear();
    }

    parents::Parents& Panel() { return h.Windows().Panel(); }
    static Lines Items(wxListBox* list) {
        Lines items;
        for (unsigned int i = 0; i < list->GetCount(); ++i) {
            items.push_back(list->GetString(i).utf8_string());
        }
        return items;
    }
    Lines Messages() {
        Lines texts;
        for (const auto& m : h.messages.shown) {
            texts.push_back(m.text);
        }
        return texts;
    }

    // Types into the box through the display, as key presses, and waits until the box holds
    // `expected`, and until what the keys queued on the way (a message) has come.
    void Type(wxTextCtrl* box, const std::string& keys, const std::string& expected) {
        ShowWithFocus(box);
        wxUIActionSimulator sim;
        sim.Text(keys.c_str());
        EXPECT_TRUE(testsupport::WaitUntil([&] { return box->GetValue() == expected; }))
            << "box holds " << box->GetValue().utf8_string();
        EXPECT_TRUE(testsupport::Settle());
    }
    // Pastes with Ctrl+V at the box's caret and waits until the text changed or a message came.
    void Paste(wxTextCtrl* box, const std::string& text) {
        ShowWithFocus(box);
        ASSERT_TRUE(wxTheClipboard->Open());
        wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8(text)));
        wxTheClipboard->Close();
        const wxString before = box->GetValue();
        const size_t told = h.messages.shown.size();
        wxUIActionSimulator sim;
        sim.Char('v', wxMOD_CONTROL);
        EXPECT_TRUE(testsupport::WaitUntil(
            [&] { return box->GetValue() != before || h.messages.shown.size() != told; }));
        EXPECT_TRUE(testsupport::Settle());
    }
    void ShowWithFocus(wxTextCtrl* box) {
        wxWindow* dialog = wxGetTopLevelParent(box);
        dialog->Show();
        // Focusing a box selects all its text, so a box that has the focus keeps it as it is.
        if (wxWindow::FindFocus() == box) {
            return;
        }
        box->SetFocus();
        ASSERT_TRUE(testsupport::WaitUntil([&] { return wxWindow::FindFocus() == box; }));
    }

    Harness h;
};

// ---- All four --------------------------------------------------------------------------------

TEST_F(Editors, TheBrowsersCloseHidesEveryOpenDialogInItsOrder) {
    auto& windows = h.Windows();
    windows.Login();
    EXPECT_EQ(windows.SiteEditorIfLoaded(), nullptr);
    const std::vector<wxTopLevelWindow*> dialogs{&windows.SiteEditor(), &windows.StartPageEditor(),
                                                 &windows.Blocker(), &windows.ChangePassword()};
    EXPECT_EQ(windows.CloseOrder(&h.Browser()),
              (std::vector<wxTopLevelWindow*>{&Panel(), &windows.Login(), &h.Browser(),
                                              &windows.ChangePassword(), &windows.Sites(),
                                              &windows.SiteEditor()}));
    for (auto* dialog : dialogs) {
        dialog->Show();
    }
    h.Browser().Close();
    EXPECT_EQ(h.ender.ended, 1);
    for (auto* dialog : dialogs) {
        EXPECT_FALSE(dialog->IsShown()) << dialog->GetTitle();
    }
}

// ---- Site editor -----------------------------------------------------------------------------

// Keys on the display, as a parent presses them: Enter in the last box is the window's button,
// Enter elsewhere is nothing, Escape is Cancel.
TEST_F(Editors, EnterInTheLastBoxPressesItsButtonAndEscapeCancels) {
    wxUIActionSimulator sim;
    auto& login = h.Windows().Login();
    Type(login.txtnaam, "parents", "parents");
    Type(login.txtpaswoord, "Lantern wick", "Lantern wick");
    sim.Char(WXK_RETURN);
    EXPECT_TRUE(testsupport::WaitUntil([&] { return Panel().IsShown() && !login.IsShown(); }));

    auto& editor = h.Windows().SiteEditor();
    editor.txtname->SetValue("Farm");
    Type(editor.txtinternetaddress, "farm.example", "farm.example");
    sim.Char(WXK_RETURN);
    EXPECT_TRUE(testsupport::WaitUntil([&] { return !editor.IsShown(); }));
    EXPECT_EQ(Items(Panel().List1).back(), storage::SiteRecord("Farm", "farm.example"));

    auto& change = h.Windows().ChangePassword();
    Type(change.txtnieuwpaswoord, "newer", "newer");
    Type(change.txtnieuwpaswoordbevestiging, "newer", "newer");
    sim.Char(WXK_RETURN);
    EXPECT_TRUE(testsupport::WaitUntil([&] { return !change.IsShown(); }));
    EXPECT_EQ(h.Lines("paswoordNr.txt"), Lines{"newer"});

    Panel().cmdHomepage_Click();
    auto& start = h.Windows().StartPageEditor();
    ShowWithFocus(start.txtname);
    const wxString typed = start.txtname->GetValue();
    sim.Char(WXK_RETURN);
    sim.Char('k');  // reaches the box only once Return was handled
    ASSERT_TRUE(testsupport::WaitUntil([&] { return start.txtname->GetValue() == typed + "k"; }));
    EXPECT_TRUE(start.IsShown());
    sim.Char(WXK_ESCAPE);
    EXPECT_TRUE(testsupport::WaitUntil([&] { return !start.IsShown(); }));
    EXPECT_EQ(Items(Panel().startpagina1), Lines{kStartLine});

    auto& blocker = h.Windows().Blocker();
    Type(blocker.txtinternetaddress, "dice", "dice");
    sim.Char(WXK_RETURN);
    EXPECT_TRUE(testsupport::WaitUntil([&] { return h.Lines("words.txt").size() == 2; }));
    sim.Char(WXK_ESCAPE);
    EXPECT_TRUE(testsupport::WaitUntil([&] { return !blocker.IsShown(); }));
    EXPECT_EQ(Messages(), Lines{"PASSWORD is CHANGED"});
}

TEST_F(Editors, SiteEditorAppendsRecordsWhoseAddressStartsInColumn22) {
    auto& editor = h.Windows().SiteEditor();
    editor.Show();
    editor.txtname->SetValue("Zoo");
    editor.txtinternetaddress->SetValue("www.zoo.example/dieren ");
    editor.cmdsave_Click();
    EXPECT_FALSE(editor.IsShown());
    // Reopened, the dialog shows the last entry again.
    EXPECT_EQ(editor.txtname->GetValue(), "Zoo");

    editor.Show();
    editor.txtname->SetValue(k20);
    editor.txtinternetaddress->SetValue("b.example");
    editor.cmdsave_Click();

    editor.Show();
    editor.txtname->SetValue("Not kept");
    editor.cmdcancel_Click();

    const Lines sites = Items(Panel().List1);
    ASSERT_EQ(sites.size(), 3u);
    EXPECT_EQ(sites[1], "Zoo" + std::string(18, ' ') + "www.zoo.example/dieren ");
    EXPECT_EQ(sites[2], k20 + " b.example");
    EXPECT_EQ(storage::SiteName(sites[2]), k20);
    EXPECT_EQ(storage::SiteAddress(sites[2]), "b.example");
    EXPECT_EQ(editor.txtname->GetValue(), "Not kept");
    EXPECT_TRUE(h.messages.shown.empty());
    // The panel's list is the only thing touched until the panel saves.
    EXPECT_EQ(h.Lines("adressen.txt"), Lines{"Zoo                  zoo.example"});
}

// Where the site buttons show pictures, the editor takes one from a file and stores it with the
// site, small enough to keep; a file that is no picture is refused; "No picture" takes it away.
TEST_F(Editors, SiteEditorStoresAChosenPictureWithTheSite) {
    EXPECT_FALSE(h.Windows().SiteEditor().cmdpicture->IsShown()) << "off without the setting";
    h.Put("instellingen.txt", {"plaatjes=1"});
    h.Restart();
    auto& editor = h.Windows().SiteEditor();
    editor.Show();
    ASSERT_TRUE(editor.cmdpicture->IsShown());
    wxImage::AddHandler(new wxPNGHandler);
    wxImage big(600, 300);
    big.SetRGB(wxRect(0, 0, 600, 300), 200, 30, 30);
    ASSERT_TRUE(big.SaveFile(h.folder.File("big.png"), wxBITMAP_TYPE_PNG));
    h.folder.Put("notes.png", "not a picture");

    EXPECT_FALSE(editor.UsePicture(h.folder.File("notes.png")));
    EXPECT_EQ(h.messages.shown.size(), 1u);
    ASSERT_TRUE(editor.UsePicture(h.folder.File("big.png")));
    EXPECT_TRUE(editor.imgpreview->GetBitmap().IsOk());
    editor.txtname->SetValue("Red");
    editor.txtinternetaddress->SetValue("red.example");
    editor.cmdsave_Click();
    const storage::DataFiles files(h.folder.Path());
    const auto stored = storage::pictures::Read(files, "red.example");
    ASSERT_TRUE(stored);
    wxMemoryInputStream in(stored->data(), stored->size());
    wxImage kept;
    ASSERT_TRUE(kept.LoadFile(in, wxBITMAP_TYPE_PNG));
    EXPECT_EQ(kept.GetWidth(), widgets::kPictureSide);  // sharp on the largest tile
    EXPECT_EQ(kept.GetHeight(), widgets::kPictureSide / 2);

    editor.Show();
    editor.cmdnopicture_Click();
    editor.cmdsave_Click();
    EXPECT_FALSE(storage::pictures::Read(files, "red.example"));
    // Kept as the parent's answer, so no picture the site declares comes in its place.
    EXPECT_TRUE(storage::pictures::Stored(files, "red.example"));
}

TEST_F(Editors, SiteEditorRefusesANameLongerThanTheRecordKeeps) {
    auto& editor = h.Windows().SiteEditor();
    editor.Show();
    for (const std::string& name : {std::string(25, 'n'), std::string(21, 'n')}) {
        editor.txtname->SetValue(name);
        editor.txtinternetaddress->SetValue("a.example");
        editor.cmdsave_Click();
    }
    ASSERT_EQ(h.messages.shown.size(), 2u);
    for (const auto& m : h.messages.shown) {
        EXPECT_EQ(m.text, "Maximum 20 characters!");
        EXPECT_EQ(m.title, "Lanternwick");
        EXPECT_EQ(m.icon, platform::Messages::Icon::None);
    }
    EXPECT_TRUE(editor.IsShown());
    EXPECT_EQ(editor.txtname->GetValue(), std::string(21, 'n'));
    EXPECT_EQ(Panel().List1->GetCount(), 1u);

    // Twenty accented letters are twenty characters, though more bytes.
    editor.txtname->SetValue(wxString::FromUTF8("éééééééééééééééééééé"));
    editor.cmdsave_Click();
    EXPECT_EQ(h.messages.shown.size(), 2u);
    EXPECT_EQ(Panel().List1->GetCount(), 2u);
}

TEST_F(Editors, SiteEditorDropsTypingPastItsLimitsAndCutsAnOverlongPaste) {
    auto& editor = h.Windows().SiteEditor();
    Type(editor.txtname, std::string(50, 'a') + "b", std::string(50, 'a'));
    EXPECT_EQ(Messages(), Lines{"Maximum 50 characters!"});
    EXPECT_EQ(h.messages.shown[0].title, "Lanternwick");
    EXPECT_EQ(h.messages.shown[0].icon, platform::Messages::Icon::None);

    // Deleting is always allowed, and a character typed over a selection replaces it.
    editor.txtname->SetSelection(0, 2);
    Type(editor.txtname, "z", "z" + std::string(48, 'a'));
    Type(editor.txtname, "y", "zy" + std::string(48, 'a'));
    EXPECT_EQ(h.messages.shown.size(), 1u);

    Type(editor.txtinternetaddress, std::string(70, 'w') + "x", std::string(70, 'w'));
    EXPECT_EQ(Messages().back(), "Maximum 70 characters!");

    // A paste keeps what fits, where it was pasted, and only its first line.
    h.messages.shown.clear();
    ShowWithFocus(editor.txtinternetaddress);
    editor.txtinternetaddress->SetValue("http://.example");
    editor.txtinternetaddress->SetInsertionPoint(7);
    Paste(editor.txtinternetaddress, std::string(60, 'p') + "\nsecond line");
    EXPECT_EQ(editor.txtinternetaddress->GetValue(), "http://" + std::string(55, 'p') + ".example");
    EXPECT_EQ(Messages(), Lines{"Maximum 70 characters!"});

    // Into a full box nothing goes.
    ShowWithFocus(editor.txtname);
    editor.txtname->SetInsertionPointEnd();
    Paste(editor.txtname, "more");
    EXPECT_EQ(editor.txtname->GetValue(), "zy" + std::string(48, 'a'));
    EXPECT_EQ(Messages(), (Lines{"Maximum 70 characters!", "Maximum 50 characters!"}));
}

// ---- Start page editor -----------------------------------------------------------------------

TEST_F(Editors, StartPageSaveBuildsTheHttpRecordAndCancelRestoresTheFile) {
    auto& editor = h.Windows().StartPageEditor();
    h.Windows().Family().SetStartPageRecords({});  // as the panel does before it opens the editor
    editor.Show();
    editor.txtname->SetValue(k20);
    editor.txtaddress->SetValue("www.kids.example/");
    editor.cmdsave_Click();
    EXPECT_FALSE(editor.IsShown());
    ASSERT_EQ(Items(Panel().startpagina1), Lines{k20 + " http://www.kids.example/"});

    h.Put("startpagina.txt", {"One", "Two  two", kStartLine});
    h.Windows().Family().SetStartPageRecords({});
    editor.Show();
    editor.cmdcancel_Click();
    EXPECT_EQ(Items(Panel().startpagina1), (Lines{"One", "Two  two", kStartLine}));
    EXPECT_FALSE(editor.IsShown());

    // Leaving by the title bar is a Cancel, never an empty start page.
    h.Windows().Family().SetStartPageRecords({});
    editor.Show();
    editor.Close();
    EXPECT_EQ(Panel().startpagina1->GetCount(), 3u);
    // The program's own close steps close it hidden: that adds nothing.
    editor.Close();
    EXPECT_EQ(Panel().startpagina1->GetCount(), 3u);

    // Without the file the list stays empty and nothing is said.
    std::filesystem::remove(h.folder.File("startpagina.txt"));
    editor.Show();
    editor.cmdcancel_Click();
    EXPECT_EQ(Panel().startpagina1->GetCount(), 0u);
    EXPECT_TRUE(h.messages.shown.empty());
}

// Either editor refuses what cannot open as a page with one message and keeps the text to mend.
TEST_F(Editors, TheSiteAndStartPageEditorsTakeOnlyWebAddressesAndKeepWhatWasTyped) {
    auto& site = h.Windows().SiteEditor();
    auto& start = h.Windows().StartPageEditor();
    using Row = std::tuple<wxDialog*, wxTextCtrl*, wxTextCtrl*, std::function<void()>>;
    const Lines before = Items(Panel().List1);
    for (const auto& [editor, name, address, save] :
         {Row{&site, site.txtname, site.txtinternetaddress, [&] { site.cmdsave_Click(); }},
          Row{&start, start.txtname, start.txtaddress, [&] { start.cmdsave_Click(); }}}) {
        for (const auto& [typedName, typedAddress, message] :
             {std::tuple{"Zoo", "data:text/html,hi", i18n::Message::NotAWebAddress},
              std::tuple{"Zoo\tKids", "zoo.example", i18n::Message::NameHasControls},
              std::tuple{"  ", "zoo.example", i18n::Message::NameMissing}}) {
            if (message == i18n::Message::NameMissing && editor == &start) {
                continue;  // the start page has no button to show a name on
            }
            editor->Show();
            name->SetValue(typedName);
            address->SetValue(typedAddress);
            h.messages.shown.clear();
            save();
            EXPECT_EQ(Messages(), Lines{i18n::MessageText(std::nullopt, message)});
            EXPECT_TRUE(editor->IsShown());
            EXPECT_EQ(name->GetValue() + address->GetValue(), wxString(typedName) + typedAddress);
        }
    }
    EXPECT_EQ(Items(Panel().List1), before);
    EXPECT_EQ(Items(Panel().startpagina1), Lines{kStartLine});
}

TEST_F(Editors, StartPageDropsThe21stAnd71stTypedCharacterInDutch) {
    auto& editor = h.Windows().StartPageEditor();
    Type(editor.txtname, std::string(21, 'k'), std::string(20, 'k'));
    Type(editor.txtaddress, std::string(71, 'w'), std::string(70, 'w'));
    EXPECT_EQ(Messages(),
              (Lines{"Maximum 20 karakters ingeven aub", "Maximum 70 karakters ingeven aub"}));
    EXPECT_EQ(h.messages.shown[1].title, "Lanternwick");
    EXPECT_EQ(h.messages.shown[1].icon, platform::Messages::Icon::None);
}

// ---- Blocked-words editor --------------------------------------------------------------------

TEST_F(Editors, BlockerStoresEveryWordAsTypedAndTheFilterUsesItAtOnce) {
    auto& blocker = h.Windows().Blocker();
    EXPECT_EQ(Items(blocker.lstwords), Lines{"casino"});
    blocker.Show();
    blocker.txtinternetaddress->SetValue("games");
    blocker.cmdsave_Click();
    EXPECT_TRUE(h.messages.shown.empty());
    EXPECT_EQ(blocker.lstwords->GetSelection(), 1);  // the sign that it was added
    // A second press, or an empty word that would block every address, adds nothing and says so.
    blocker.cmdsave_Click();
    blocker.txtinternetaddress->SetValue("");
    blocker.cmdsave_Click();
    EXPECT_TRUE(blocker.IsShown());
    EXPECT_EQ(Messages(), (Lines{"The word \"games\" is already in the list.",
                                 "An empty word cannot be added: it would block every site."}));
    EXPECT_EQ(h.folder.Get("words.txt"), "casino\r\ngames\r\n");

    // A mistyped word comes out of the list and the file at once; Remove with none chosen asks.
    blocker.txtinternetaddress->SetValue("gmaes");
    blocker.cmdsave_Click();
    blocker.cmdremove_Click();
    blocker.cmdremove_Click();
    EXPECT_EQ(Items(blocker.lstwords), (Lines{"casino", "games"}));
    EXPECT_EQ(h.Lines("words.txt"), (Lines{"casino", "games"}));
    EXPECT_EQ(Messages().back(), "First choose the word you want to remove.");
    blocker.cmdcancel_Click();
    EXPECT_FALSE(blocker.IsShown());

    // The next address through the browser's address box is checked against the new word.
    auto& browser = h.Browser();
    h.View().calls.clear();
    browser.cboURL->SetValue("http://games.example/");
    browser.cboURL_Click();
    browser.cboURL->SetValue("http://puzzles.example/");
    browser.cboURL_Click();
    EXPECT_EQ(h.View().calls,
              (Lines{"navigate lanternwick://refused/?KEY", "navigate http://puzzles.example/"}));
}

TEST_F(Editors, BlockerWithoutAWordFileStartsEmptyAndItsFirstSaveCreatesIt) {
    Harness fresh;
    fresh.Start();
    auto& blocker = fresh.Windows().Blocker();
    EXPECT_EQ(blocker.lstwords->GetCount(), 0u);
    blocker.txtinternetaddress->SetValue("Casino");
    blocker.cmdsave_Click();
    EXPECT_EQ(fresh.folder.Get("words.txt"), "Casino\r\n");
    EXPECT_TRUE(fresh.messages.shown.empty());
}

TEST_F(Editors, BlockerLosesNoWordWhenTheFileCannotBeWrittenOrRead) {
    auto& blocker = h.Windows().Blocker();
    // A folder where the file should be: no write can replace it, even for root.
    std::filesystem::remove(h.folder.File("words.txt"));
    std::filesystem::create_directory(h.folder.File("words.txt"));
    blocker.txtinternetaddress->SetValue("games");
    blocker.cmdsave_Click();
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_NE(Messages()[0].find(h.folder.File("words.txt")), std::string::npos);
    EXPECT_EQ(Items(blocker.lstwords), (Lines{"casino", "games"}));

    std::filesystem::remove(h.folder.File("words.txt"));
    blocker.txtinternetaddress->SetValue("dice");
    blocker.cmdsave_Click();
    EXPECT_EQ(h.Lines("words.txt"), (Lines{"casino", "games", "dice"}));

    // A file that is there but cannot be read at load is not overwritten with only the new
    // words; once readable, its words come first.
    Harness other;
    other.Start();
    std::filesystem::create_directory(other.folder.File("words.txt"));
    auto& second = other.Windows().Blocker();
    second.txtinternetaddress->SetValue("games");
    second.cmdsave_Click();
    ASSERT_EQ(other.messages.shown.size(), 1u);
    EXPECT_NE(other.messages.shown[0].text.find(other.folder.File("words.txt")), std::string::npos);
    std::filesystem::remove(other.folder.File("words.txt"));
    other.Put("words.txt", {"casino", "poker"});
    second.txtinternetaddress->SetValue("dice");
    second.cmdsave_Click();
    EXPECT_EQ(other.Lines("words.txt"), (Lines{"casino", "poker", "games", "dice"}));
    EXPECT_EQ(Items(second.lstwords), (Lines{"casino", "poker", "games", "dice"}));
}

// ---- Change password -------------------------------------------------------------------------

class PasswordChange : public Editors {
protected:
    parents::paswoordwijzigen& D() { return h.Windows().ChangePassword(); }
    void Change(const std::string& first, const std::string& second) {
        D().Show();
        D().txtnieuwpaswoord->SetValue(wxString::FromUTF8(first));
        D().txtnieuwpaswoordbevestiging->SetValue(wxString::FromUTF8(second));
        D().cmdsave_Click();
    }
    bool LogsIn(const std::string& password) {
        Panel().Hide();
        auto& login = h.Windows().Login();
        login.txtnaam->SetValue("parents");
        login.txtpaswoord->SetValue(wxString::FromUTF8(password));
        login.cmdLogon_Click();
        return Panel().IsShown();
    }
};

TEST_F(PasswordChange, BoxesDifferingOnlyInCaseAreRefusedAndEmptied) {
    Change("Secret", "secret");
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text, "YOUR PASSWORD IS NOT OK!");
    EXPECT_EQ(h.messages.shown[0].title, "CONFIRMATION PASSWORD IS WRONG");
    EXPECT_EQ(h.messages.shown[0].icon, platform::Messages::Icon::Information);
    EXPECT_EQ(D().txtnieuwpaswoord->GetValue(), "");
    EXPECT_EQ(D().txtnieuwpaswoordbevestiging->GetValue(), "");
    EXPECT_TRUE(D().IsShown());
    EXPECT_EQ(h.folder.Get("paswoordNr.txt"), "Lantern wick\r\n");
}

TEST_F(PasswordChange, TheNewPasswordReplacesTheOldAtTheNextLogon) {
    Change(" New pass ", " New pass ");
    EXPECT_EQ(h.folder.Get("paswoordNr.txt"), " New pass \r\n");
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text, "PASSWORD is CHANGED");
    EXPECT_EQ(h.messages.shown[0].title, "CONFIRM PASSWORD");
    EXPECT_FALSE(D().IsShown());

    EXPECT_FALSE(LogsIn("Lantern wick"));
    EXPECT_TRUE(LogsIn(" New pass "));

    D().Show();
    D().txtnieuwpaswoord->SetValue("never stored");
    D().cmdcancel_Click();
    EXPECT_EQ(h.folder.Get("paswoordNr.txt"), " New pass \r\n");
}

TEST_F(PasswordChange, AFailedWriteNamesTheFileAndKeepsTheOldPassword) {
    // A file size limit of nothing fails the write the way a full disk would, root or not.
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit none = old;
    none.rlim_cur = 0;
    setrlimit(RLIMIT_FSIZE, &none);
    Change("New pass", "New pass");
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_NE(h.messages.shown[0].text.find(h.folder.File("paswoordNr.txt")), std::string::npos);
    EXPECT_TRUE(D().IsShown());
    EXPECT_EQ(h.folder.Get("paswoordNr.txt"), "Lantern wick\r\n");
    EXPECT_FALSE(LogsIn("New pass"));
    EXPECT_TRUE(LogsIn("Lantern wick"));
}

TEST_F(PasswordChange, APastedLineBreakCannotLockTheParentOut) {
    D().Show();
    D().txtnieuwpaswoord->SetValue("two\nlines");
    EXPECT_EQ(D().txtnieuwpaswoord->GetValue(), "two");
}

}  // namespace

namespace {

TEST_F(Editors, TimeEditorTakesMinutesOnlyAndTheSaveKeepsEveryOtherSetting) {
    h.Put("instellingen.txt", {"alleentoegestaan=1", "# door een ouder", "onbekend=x"});
    Panel().Show();
    EXPECT_EQ(Panel().cmdtime->Caption(), "Time per day: no limit");
    Panel().cmdtime_Click();
    auto& editor = h.Windows().TimeLimitEditor();
    ASSERT_TRUE(editor.IsShown());
    const std::string told =
        "Type the minutes as a number from 0 to 1440, or leave the box empty for no limit.";
    Type(editor.txtminuten[0], "6x0", "60");
    Type(editor.txtminuten[0], "000", "6000");  // a fifth digit never gets in
    EXPECT_EQ(Messages(), (Lines{told, told}));

    // A number past a day is refused with the boxes as typed; nothing is in force yet.
    editor.txtminuten[1]->SetValue("1441");
    editor.cmdsave_Click();
    EXPECT_TRUE(editor.IsShown());
    EXPECT_EQ(Messages().size(), 3u);
    EXPECT_FALSE(h.Windows().Family().Limits()[1].has_value());
    editor.txtminuten[0]->SetValue("60");  // Monday, the fake clock's day
    editor.txtminuten[1]->SetValue("0");
    // The day's times beside the minutes: refused the same way when they are no time of day.
    editor.txtvanaf[0]->SetValue("15:00");
    editor.txttot[0]->SetValue("25:00");
    editor.cmdsave_Click();
    EXPECT_EQ(Messages().back(),
              i18n::PhraseText(std::nullopt, i18n::Phrase::ClockTimeTypingLimit));
    EXPECT_FALSE(h.Windows().Family().Limits()[0].has_value());
    editor.txttot[0]->SetValue("22:00");
    editor.txtvanaf[5]->SetValue(" 9:30");
    editor.cmdsave_Click();
    EXPECT_FALSE(editor.IsShown());
    EXPECT_EQ(h.Browser().ShownTimeLook().minutesLeft, 15) << "21:45, the window closes at 22:00";
    EXPECT_EQ(Panel().cmdtime->Caption(), "Time per day: 60 minutes");
    EXPECT_TRUE(h.Browser().imgklok->IsShown()) << "in force at once";
    EXPECT_TRUE(h.writes.empty()) << "stored only with the panel's save";

    Panel().cbolanguage->SetValue("no such language");
    Panel().cmdsave_Click();
    EXPECT_EQ(h.Lines("instellingen.txt"),
              (Lines{"alleentoegestaan=1", "# door een ouder", "onbekend=x", "minutenmaandag=60",
                     "minutendinsdag=0", "vanafmaandag=15:00", "totmaandag=22:00",
                     "vanafzaterdag=09:30"}));
    Panel().cmdtime_Click();
    EXPECT_EQ(editor.txtvanaf[5]->GetValue() + editor.txttot[5]->GetValue(), "09:30");
    editor.cmdcancel_Click();

    // A failed write of a later change names the file and keeps the panel open.
    std::filesystem::remove(h.folder.File("instellingen.txt"));
    std::filesystem::create_directory(h.folder.File("instellingen.txt"));
    Panel().Show();
    Panel().cmdallowedsites_Click();
    h.messages.shown.clear();
    Panel().cmdsave_Click();
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_NE(Messages()[0].find(h.folder.File("instellingen.txt")), std::string::npos);
    EXPECT_TRUE(Panel().IsShown());
}

TEST_F(Editors, TimeEditorShowsTodaysUsedAndLeftTimeAndEscapeCancels) {
    auto& editor = h.Windows().TimeLimitEditor();
    Panel().Show();
    Panel().cmdtime_Click();
    EXPECT_EQ(editor.lblvandaag->GetLabel(), "Today: no limit, the time is not counted.");
    editor.txtminuten[0]->SetValue("30");  // Monday, the fake clock's day
    editor.cmdsave_Click();
    h.clock.steady += 600;
    h.Browser().tmrcheck_Timer();
    Panel().cmdtime_Click();
    EXPECT_EQ(editor.lblvandaag->GetLabel(), "Today: 10 min used, 20 min left.");
    editor.cmdextra_Click();
    EXPECT_EQ(editor.lblvandaag->GetLabel(), "Today: 10 min used, 35 min left.");
    EXPECT_GE(editor.GetClientSize().x, editor.lblvandaag->GetBestSize().x);

    Type(editor.txtminuten[2], "45", "45");
    wxUIActionSimulator().Char(WXK_ESCAPE);
    EXPECT_TRUE(testsupport::WaitUntil([&] { return !editor.IsShown(); }));
    EXPECT_FALSE(h.Windows().Family().Limits()[2].has_value()) << "Escape is Cancel";
}

}  // namespace
