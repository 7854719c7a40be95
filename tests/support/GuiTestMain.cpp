// Runs every GoogleTest case inside the toolkit's main loop, so that timers, web view
// events and nested message loops behave as they do in the program.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/log.h>

namespace {

class GuiTestApp : public wxApp {
public:
    bool OnInit() override {
        // Toolkit warnings would otherwise pop up modal dialogs and stall the run.
        delete wxLog::SetActiveTarget(new wxLogStderr);
        CallAfter([this] {
            result_ = RUN_ALL_TESTS();
            ExitMainLoop();
        });
        return true;
    }
    int OnRun() override {
        wxApp::OnRun();
        return result_;
    }

private:
    int result_ = 1;
};

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(GuiTestApp);

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // The build lists the cases to register them, on machines that may have no display.
    if (GTEST_FLAG_GET(list_tests)) {
        return RUN_ALL_TESTS();
    }
    return wxEntry(argc, argv);
}
