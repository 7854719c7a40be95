#pragma once

#include <wx/frame.h>

class wxListBox;

namespace app {
class Forms;
}

namespace parents {

// The parent's control panel. Its lists are the program's working copies of the sites, the
// start page and the visit log; the browser window fills them while it loads.
class Parents : public wxFrame {
public:
    explicit Parents(app::Forms& forms);

    void Form_Load();
    // A close request from the title bar is refused: the panel only hides, so the working
    // copies in its lists survive until they are saved.
    void Form_QueryUnload(wxCloseEvent& event);

    wxListBox* List1 = nullptr;         // site records
    wxListBox* startpagina1 = nullptr;  // the start-page record
    wxListBox* List2 = nullptr;         // visit-log entries

private:
    app::Forms& forms_;
};

}  // namespace parents
