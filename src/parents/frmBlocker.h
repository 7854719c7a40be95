#pragma once

#include <wx/dialog.h>

#include <string>

#include "i18n/CaptionTables.h"
#include "parents/ParentsWindows.h"

class wxListBox;
class wxStaticText;
class wxTextCtrl;

namespace widgets {
class chameleonButton;
}

namespace parents {

// The blocked-words editor behind the panel's "Block sites". Each Save writes the whole list to
// the word file at once; the browser reads that file at every check, so a new word is in force
// from the next address on.
class frmBlocker : public wxDialog {
public:
    explicit frmBlocker(ParentsWindows& forms);

    // Reads the word file once; later openings show the list as it stands.
    void Form_Load();
    // Adds the typed word unless it is empty or listed already; either refusal is said.
    void cmdsave_Click();
    // Takes the selected word out of the list and the file at once.
    void cmdremove_Click();
    void cmdcancel_Click();

    wxStaticText* lblname = nullptr;
    wxListBox* lstwords = nullptr;  // the words, in file order
    wxStaticText* lblwords = nullptr;
    wxTextCtrl* txtinternetaddress = nullptr;  // the word to add
    widgets::chameleonButton* cmdsave = nullptr;
    widgets::chameleonButton* cmdremove = nullptr;
    widgets::chameleonButton* cmdcancel = nullptr;

private:
    // Whether the list holds everything the file held (or there was no file). Until it does, a
    // write would wipe words that are still only in the file.
    bool TakeInStoredWords();
    // Replaces the word file with the list; false (the parent told why) when it could not.
    bool WriteWords();
    void Tell(i18n::Message message, const std::string& value = {});

    ParentsWindows& forms_;
    bool storedWordsIn_ = false;
};

}  // namespace parents
