#include "parents/frmBlocker.h"

#include <wx/listbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "parents/DialogLayout.h"
#include "parents/ParentsWindows.h"
#include "parents/TextBoxes.h"
#include "storage/DataPath.h"
#include "widgets/ChameleonButton.h"
#include "widgets/Named.h"

namespace parents {

namespace {
constexpr const char* kTitle = "Lanternwick";
}

frmBlocker::frmBlocker(ParentsWindows& forms)
    : wxDialog(nullptr, wxID_ANY, kTitle, wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU | wxRESIZE_BORDER),
      forms_(forms) {
    lblname = new wxStaticText(this, wxID_ANY,
                               "Webaddresses, which contain one of these words will be blocked:");
    lstwords = new wxListBox(this, wxID_ANY, wxDefaultPosition, FromDIP(wxSize(-1, 200)), 0,
                             nullptr, wxLB_SINGLE | wxLB_HSCROLL);
    lblwords = new wxStaticText(this, wxID_ANY, "Add new word:");
    txtinternetaddress = new wxTextCtrl(this, wxID_ANY);
    cmdsave = widgets::chameleonButton::CreateStored(this, "Save");
    cmdremove = widgets::chameleonButton::CreateStored(this, "Remove word");
    cmdcancel = widgets::chameleonButton::CreateStored(this, "Cancel");

    const int gap = FromDIP(8);
    auto* entry = new wxBoxSizer(wxHORIZONTAL);
    entry->Add(lblwords, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    entry->Add(txtinternetaddress, 1, wxEXPAND);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(lblname, 0, wxALL, gap);
    sizer->Add(lstwords, 1, wxEXPAND | wxLEFT | wxRIGHT, gap);
    sizer->Add(cmdremove, 0, wxALIGN_RIGHT | wxTOP | wxLEFT | wxRIGHT, gap);
    sizer->Add(entry, 0, wxEXPAND | wxALL, gap);
    sizer->Add(SaveCancelRow(cmdsave, cmdcancel, gap), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM,
               gap);
    SetSizer(sizer);
    widgets::NameControls({LW_NAMED(lblname), LW_NAMED(lstwords), LW_NAMED(lblwords),
                           LW_NAMED(txtinternetaddress), LW_NAMED(cmdsave), LW_NAMED(cmdremove),
                           LW_NAMED(cmdcancel)});
    SetMinClientSize(FromDIP(wxSize(440, -1)));
    Fit();
    CentreOnScreen();

    KeepOnOneLine(txtinternetaddress);
    // Opened to add a word, so the word box has the focus rather than the list, whose first
    // word would otherwise look picked out.
    Bind(wxEVT_SHOW, [this](wxShowEvent& event) {
        if (event.IsShown()) {
            CallAfter([this] {
                txtinternetaddress->SetFocus();
                lstwords->SetSelection(wxNOT_FOUND);
            });
        }
        event.Skip();
    });
    cmdsave->Click = [this] { cmdsave_Click(); };
    cmdremove->Click = [this] { cmdremove_Click(); };
    cmdcancel->Click = [this] { cmdcancel_Click(); };
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { cmdcancel_Click(); });
    BindEnterAndEscape(
        this, txtinternetaddress, [this] { cmdsave_Click(); }, [this] { cmdcancel_Click(); });
}

void frmBlocker::Form_Load() {
    // No word file yet is a normal start: the list begins empty and the first Save creates it.
    TakeInStoredWords();
}

bool frmBlocker::TakeInStoredWords() {
    if (storedWordsIn_) {
        return true;
    }
    const auto stored = forms_.Family().ReadBlockedWords();
    // Words added while the file could not be read stay after the stored ones.
    unsigned int at = 0;
    for (const auto& word : stored.words) {
        lstwords->Insert(wxString::FromUTF8(word), at++);
    }
    storedWordsIn_ = stored.readable;
    return storedWordsIn_;
}

void frmBlocker::Tell(i18n::Message message, const std::string& value) {
    forms_.Machine().messages.Show(forms_.Text(message, {value}), kTitle,
                                   platform::Messages::Icon::Information);
}

void frmBlocker::cmdsave_Click() {
    const wxString word = txtinternetaddress->GetValue();
    // An empty line would occur in every address and so block them all.
    if (word.empty()) {
        Tell(i18n::Message::EmptyWordRefused);
        return;
    }
    TakeInStoredWords();
    if (const int listed = lstwords->FindString(word, true); listed != wxNOT_FOUND) {
        lstwords->SetSelection(listed);
        Tell(i18n::Message::WordAlreadyListed, word.utf8_string());
        return;
    }
    lstwords->Append(word);
    if (WriteWords()) {
        lstwords->SetSelection(static_cast<int>(lstwords->GetCount()) - 1);  // the sign it took
    }
    // Not written: the word stays in the list, so the next Save or Remove writes it.
}

void frmBlocker::cmdremove_Click() {
    const int selected = lstwords->GetSelection();
    if (selected == wxNOT_FOUND) {
        Tell(i18n::Message::SelectWordFirst);
        return;
    }
    const wxString word = lstwords->GetString(static_cast<unsigned int>(selected));
    lstwords->Delete(static_cast<unsigned int>(selected));
    lstwords->SetSelection(wxNOT_FOUND);  // the next word is not chosen by the parent
    if (!WriteWords()) {
        // The file still blocks the word, so the list must still show it.
        lstwords->Insert(word, static_cast<unsigned int>(selected));
    }
}

bool frmBlocker::WriteWords() {
    const std::string name = storage::files::kBlockedWords;
    if (!TakeInStoredWords()) {
        // Writing now would replace the stored words with only the listed ones.
        forms_.ShowWriteFailure(name, forms_.Text(i18n::Message::WordsUnreadable));
        return false;
    }
    std::vector<std::string> words;
    words.reserve(lstwords->GetCount());
    for (unsigned int i = 0; i < lstwords->GetCount(); ++i) {
        words.push_back(lstwords->GetString(i).utf8_string());
    }
    // A failed write leaves the file as it was.
    if (const auto result = forms_.Family().StoreBlockedWords(words); !result.ok) {
        forms_.ShowWriteFailure(name, result.reason);
        return false;
    }
    return true;
}

void frmBlocker::cmdcancel_Click() {
    Hide();
}

}  // namespace parents
