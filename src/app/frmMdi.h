#pragma once

#include <wx/frame.h>

namespace app {

class Forms;

// The container the program starts with. It stays invisible: the child only ever sees the
// browser window, which it loads.
class frmMdi : public wxFrame {
public:
    explicit frmMdi(Forms& forms);

    // Named after the container's own load and close, which the owner and the close request run.
    void Form_Load() { MDIForm_Load(); }
    void MDIForm_Load();
    void MDIForm_Unload();

private:
    Forms& forms_;
    bool closing_ = false;
};

}  // namespace app
