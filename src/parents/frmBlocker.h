#pragma once

#include <wx/dialog.h>

class wxListBox;
class wxStaticText;
class wxTextCtrl;

namespace app {
class Forms;
}
namespace widgets {
class chameleonButton;
}

namespace parents {

// The blocked-words editor behind the panel's "Block sites". Each Save writes the whole list to
// the word file at once; the browser reads that file at every check, so a new word is in force
// from the next address on.
class frmBlocker : public wxDialog {
public:
    explicit frmBlocker(app::Forms& forms);

    // Reads the word file once; later openings show the list as it stands.
    void Form_Load();
    void cmdsave_Click();
    void cmdcancel_Click();

    wxStaticText* lblname = nullptr;
    wxListBox* lstwords = nullptr;  // the words, in file order
    wxStaticText* lblwords = nullptr;
    wxTextCtrl* txtinternetaddress = nullptr;  // the word to add
    widgets::chameleonButton* cmdsave = nullptr;
    widgets::chameleonButton* cmdcancel = nullptr;

private:
    // Whether the list holds everything the file held (or there was no file). Until it does, a
    // write would wipe words that are still only in the file.
    bool TakeInStoredWords();

    app::Forms& forms_;
    bool storedWordsIn_ = false;
};

}  // namespace parents
