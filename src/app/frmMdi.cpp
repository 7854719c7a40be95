#include "app/frmMdi.h"

#include "app/Forms.h"
#include "browser/frmBrowser.h"

namespace app {

frmMdi::frmMdi(Forms& forms) : wxFrame(nullptr, wxID_ANY, "browser"), forms_(forms) {
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { MDIForm_Unload(); });
}

void frmMdi::MDIForm_Load() {
    Hide();
    forms_.Browser();
}

void frmMdi::MDIForm_Unload() {
    if (closing_) {
        return;
    }
    closing_ = true;
    // The browser window's close saves the log and ends the process; what follows runs only
    // when it did not.
    forms_.Browser().Close();
    forms_.HideAndClose(this);
}

}  // namespace app
