#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/Forms.h"
#include "storage/DataFiles.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"

namespace browser {
class frmBrowser;
}

namespace testsupport {

// The program's windows on a temporary data folder, with fake messages, clock, speech and
// process end.
// The web view is a fake unless a real factory is given.
class Harness {
public:
    explicit Harness(engine::WebViewFactory* webViews = nullptr);
    ~Harness();

    // Writes a data file, each line ending in CR LF.
    void Put(const std::string& name, const std::vector<std::string>& lines);
    std::vector<std::string> Lines(const std::string& name) const;

    // Starts the program as the real one does: the container loads the browser window.
    browser::frmBrowser& Start();
    // Starts a second time on the same data folder, as the next run of the program would.
    browser::frmBrowser& Restart();

    browser::frmBrowser& Browser();
    app::Forms& Windows() { return *forms_; }
    FakeWebView& View() { return *fakeViews.last; }
    std::vector<std::string> VisitLog();  // items of the panel's List2

    TempFolder folder;
    // When set before Start: the data are reached through this helper, as in a family install.
    std::string helper;
    // Started as the child's whole session by the family session's launcher.
    bool wholeSession = false;
    FakeWebViewFactory fakeViews;
    FakeMessages messages;
    FakeEnder ender;
    FakeStarter starter;
    FakeClock clock;
    FakeSpeech speech;
    std::vector<std::string> reads;   // data files read, in order
    std::vector<std::string> writes;  // data files written, in order

private:
    engine::WebViewFactory* webViews_;
    std::unique_ptr<storage::DataFiles> data_;
    std::unique_ptr<platform::Platform> platform_;
    std::unique_ptr<app::Forms> forms_;
};

}  // namespace testsupport
