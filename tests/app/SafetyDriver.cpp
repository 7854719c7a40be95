// Runs the program's windows on a data folder and then does what its arguments say, for tests
// that must watch a real process: that it does not crash or hang on damaged files, and what a
// save leaves on disk when the process is killed part-way. Everything but the web view (a fake,
// as no page is needed here) is the program's own: windows, data files, message wording, clock
// and the immediate end of the process.
//
//   safety_driver DATA_FOLDER [--real-view] STEP...
//     --real-view    the program's own web view instead of the fake (for the start page only:
//                    the open: step needs the fake)
//     --real-restart a save that ends the program starts this driver again, with the same
//                    arguments, as the program starts itself; otherwise "restarting" is printed
//     --stop-at-write:N  every file a step replaces after "acting" is printed as "writing NAME"
//                    once its copy is written, before it takes the file's place; the Nth prints
//                    "stopping at NAME" and stops the process there (SIGSTOP), for the test to
//                    kill it; 0 stops at none
//     use            press the visit button, try the parent login, open the blocked-words editor
//     open:URL       open URL through the address box; prints "opened URL" or "refused URL",
//                    then whether the view's own announcement of URL is vetoed
//     save           log in, change every panel list and the language, "Log out and save"
//     dutch          unless the run is Dutch already: log in, choose Dutch, "Log out and save"
//     words:WORD     add WORD with the blocked-words editor's Save
//     password:TEXT  change the password to TEXT
//     wait:MS        let the event loop run for MS milliseconds (timers, the web view's loading)
//     close          close the browser window (saves the visit log and ends the process)
// Before each step that writes, "acting" is printed and flushed, so a test can time a kill
// from that moment. Every message box is printed as "message: TEXT" instead of waiting for a
// click. A run that outlives its steps prints "done" and ends without closing anything.
#include <wx/app.h>
#include <wx/combobox.h>
#include <wx/listbox.h>
#include <wx/stdpaths.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/Forms.h"
#include "app/RealPlatform.h"
#include "browser/frmBrowser.h"
#include "formats/Replace.h"
#include "parents/LogList.h"
#include "parents/Parents.h"
#include "parents/frmBlocker.h"
#include "parents/paswoord.h"
#include "parents/paswoordwijzigen.h"
#include "storage/DataFiles.h"
#include "storage/Records.h"
#include "support/Fakes.h"

namespace {

void Say(const std::string& line) {
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

class PrintedMessages : public platform::Messages {
public:
    void Show(const std::string& text, const std::string&, Icon) override {
        Say("message: " + text);
    }
    Answer Ask(const std::string& text, const std::string&, const Choices&) override {
        Say("question: " + text);
        return Answer::Cancel;
    }
};

class PrintedStarter : public platform::ProgramStarter {
public:
    bool StartAgain() override {
        Say("restarting");
        return true;
    }
};

class DriverApp : public wxApp {
public:
    bool OnInit() override {
        if (argc < 2) {
            return false;
        }
        for (int i = 2; i < argc; ++i) {
            steps_.push_back(argv[i].utf8_string());
        }
        bool realView = false;
        bool realRestart = false;
        while (!steps_.empty() && steps_.front().starts_with("--")) {
            const std::string option = steps_.front();
            steps_.erase(steps_.begin());
            if (option == "--real-view") {
                realView = true;
            } else if (option == "--real-restart") {
                realRestart = true;
            } else if (option.starts_with("--stop-at-write:")) {
                StopAtWrite(std::stoi(option.substr(16)));
            } else {
                Say("unknown option " + option);
                return false;
            }
        }
        std::vector<std::string> arguments;
        for (int i = 1; i < argc; ++i) {
            arguments.push_back(argv[i].utf8_string());
        }
        realStarter_.Remember(wxStandardPaths::Get().GetExecutablePath().utf8_string(),
                              std::move(arguments));
        platform_ = std::make_unique<platform::Platform>(platform::Platform{
            messages_, ender_,
            realRestart ? static_cast<platform::ProgramStarter&>(realStarter_) : printedStarter_,
            clock_, realView ? static_cast<engine::WebViewFactory&>(realViews_) : views_, speech_});
        data_ = std::make_unique<storage::DataFiles>(argv[1].utf8_string());
        forms_ = std::make_unique<app::Forms>(*platform_, *data_);
        forms_->Mdi();
        auto& browser = forms_->Browser();
        auto& panel = forms_->Panel();
        Say("started shown=" + std::to_string(browser.IsShown()) +
            " sites=" + std::to_string(panel.List1->GetCount()) +
            " log=" + std::to_string(panel.List2->Count()) +
            " start=" + std::to_string(panel.startpagina1->GetCount()));
        Say("process " + std::to_string(getpid()) + " " +
            wxStandardPaths::Get().GetExecutablePath().utf8_string());
        // The steps run from the event loop, as a user's clicks would.
        CallAfter([this] { RunSteps(); });
        return true;
    }

private:
    void StopAtWrite(int stopAt) {
        formats::SetWriteStepHook([this, stopAt](std::string_view file) {
            if (!acting_) {
                return;
            }
            const std::string name = std::filesystem::path(file).filename().string();
            Say("writing " + name);
            if (++writes_ == stopAt) {
                Say("stopping at " + name);
                std::raise(SIGSTOP);
            }
        });
    }

    void Acting() {
        acting_ = true;
        Say("acting");
    }

    void RunSteps() {
        for (const std::string& step : steps_) {
            Run(step);
        }
        Say("done");
        std::_Exit(0);
    }

    void Run(const std::string& step) {
        auto& browser = forms_->Browser();
        if (step == "use") {
            browser.cmdvisit_Click();
            LogIn();
            forms_->Blocker().Show();
            Say("used");
        } else if (step.starts_with("open:") && views_.last != nullptr) {
            const std::string url = step.substr(5);
            const size_t before = views_.last->calls.size();
            browser.cboURL->SetValue(wxString::FromUTF8(url));
            browser.cboURL_Click();
            const auto& calls = views_.last->calls;
            bool opened = false;
            for (size_t i = before; i < calls.size(); ++i) {
                opened = opened || calls[i] == "navigate " + url;
            }
            Say((opened ? "opened " : "refused ") + url);
            Say((views_.last->Announce(url) ? "vetoed " : "let through ") + url);
        } else if (step.starts_with("wait:")) {
            const auto until = std::chrono::steady_clock::now() +
                               std::chrono::milliseconds(std::stoi(step.substr(5)));
            while (std::chrono::steady_clock::now() < until) {
                wxTheApp->Yield(true);
                wxMilliSleep(5);
            }
            Say("waited");
        } else if (step == "save") {
            if (!LogIn()) {
                Say("login refused");
                return;
            }
            auto& panel = forms_->Panel();
            auto& family = forms_->Family();
            family.AddSite(storage::SiteRecord("Added", "added.example"));
            family.SetStartPageRecords({storage::StartPageRecord("New home", "newhome.example")});
            family.AddBareAddress("added to the log");
            panel.cbolanguage->SetValue(panel.cbolanguage->GetValue() == "Dutch" ? "English"
                                                                                 : "Dutch");
            Acting();
            panel.cmdsave_Click();
        } else if (step == "dutch") {
            if (forms_->Language() == i18n::Language::Dutch) {
                Say("dutch already");
                return;
            }
            if (!LogIn()) {
                Say("login refused");
                return;
            }
            forms_->Panel().cbolanguage->SetValue("Dutch");
            Acting();
            forms_->Panel().cmdsave_Click();
        } else if (step.starts_with("words:")) {
            auto& blocker = forms_->Blocker();
            blocker.txtinternetaddress->SetValue(wxString::FromUTF8(step.substr(6)));
            Acting();
            blocker.cmdsave_Click();
        } else if (step.starts_with("password:")) {
            auto& change = forms_->ChangePassword();
            const wxString password = wxString::FromUTF8(step.substr(9));
            change.txtnieuwpaswoord->SetValue(password);
            change.txtnieuwpaswoordbevestiging->SetValue(password);
            Acting();
            change.cmdsave_Click();
        } else if (step == "mark") {
            Acting();  // a kill timed from here comes with no write of the program's own
        } else if (step == "close") {
            Acting();
            browser.Close();
            Say("close returned");  // the close ends the process; getting here is a fault
        } else {
            Say("unknown step " + step);
        }
    }

    // With the account the tests put in every data folder.
    bool LogIn() {
        forms_->Browser().Picparent2_Click();
        auto& login = forms_->Login();
        login.txtnaam->SetValue("parents");
        login.txtpaswoord->SetValue("Lantern wick");
        login.cmdLogon_Click();
        return forms_->Panel().IsShown();
    }

    PrintedMessages messages_;
    app::ExitProcess ender_;
    PrintedStarter printedStarter_;
    app::RestartSelf realStarter_;
    app::SystemClock clock_;
    testsupport::FakeWebViewFactory views_;
    engine::WxWebViewFactory realViews_;
    testsupport::FakeSpeech speech_;
    std::unique_ptr<platform::Platform> platform_;
    std::vector<std::string> steps_;
    std::unique_ptr<storage::DataFiles> data_;
    std::unique_ptr<app::Forms> forms_;
    bool acting_ = false;
    int writes_ = 0;  // since "acting"
};

}  // namespace

wxIMPLEMENT_APP(DriverApp);
