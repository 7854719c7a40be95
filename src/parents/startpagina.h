#pragma once

#include <wx/dialog.h>

#include <memory>
#include "parents/ParentsWindows.h"

class wxStaticText;
class wxTextCtrl;

namespace widgets {
class chameleonButton;
}

namespace parents {

class TypingLimit;

// The start page editor behind the panel's "Change startpage". The panel empties its start-page
// list before it opens this dialog; Save puts a new record there, Cancel the stored one back.
class startpagina : public wxDialog {
public:
    explicit startpagina(ParentsWindows& forms);
    ~startpagina() override;

    void Form_Load() {}
    void cmdsave_Click();
    void cmdcancel_Click();
    // A close from the title bar (or Escape) while the dialog is open.
    void Form_Unload();
    void txtname_KeyPress(int& keyAscii);
    void txtname_Change();
    void txtaddress_KeyPress(int& keyAscii);
    void txtaddress_Change();

    wxStaticText* lbladres = nullptr;  // the caption of the name box, despite its name
    wxTextCtrl* txtname = nullptr;     // at most 20 characters
    wxStaticText* lblname = nullptr;   // the caption of the address box
    wxStaticText* Label3 = nullptr;    // "http://", put in front of the address on Save
    wxTextCtrl* txtaddress = nullptr;  // at most 70 characters, without the scheme
    widgets::chameleonButton* cmdsave = nullptr;
    widgets::chameleonButton* cmdcancel = nullptr;

private:
    ParentsWindows& forms_;
    std::unique_ptr<TypingLimit> nameLimit_;
    std::unique_ptr<TypingLimit> addressLimit_;
};

}  // namespace parents
