#include "parents/TextBoxes.h"

#include <wx/textctrl.h>

#include <algorithm>
#include <limits>
#include <memory>

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

namespace parents {

wxString FitInsertion(const wxString& before, const wxString& after, std::size_t maxChars,
                      bool& cut, std::size_t& caret) {
    // The change is whatever lies between the longest common start and end of the two texts;
    // what it removed stays removed, what it inserted is trimmed.
    const std::size_t shorter = std::min(before.length(), after.length());
    std::size_t head = 0;
    while (head < shorter && before[head] == after[head]) {
        ++head;
    }
    std::size_t tail = 0;
    while (tail < shorter - head &&
           before[before.length() - 1 - tail] == after[after.length() - 1 - tail]) {
        ++tail;
    }
    wxString inserted = after.substr(head, after.length() - tail - head);
    const std::size_t lineBreak = inserted.find_first_of(wxS("\r\n"));
    if (lineBreak != wxString::npos) {
        inserted.erase(lineBreak);
    }
    const std::size_t kept = head + tail;
    const std::size_t room = maxChars > kept ? maxChars - kept : 0;
    cut = inserted.length() > room;
    if (cut) {
        inserted.erase(room);
    }
    caret = head + inserted.length();
    return after.substr(0, head) + inserted + after.substr(after.length() - tail);
}

TypingLimit::TypingLimit(wxTextCtrl* box, std::size_t maxChars, std::string message,
                         std::function<void(const std::string&)> tell)
    : box_(box),
      maxChars_(maxChars),
      message_(std::move(message)),
      tell_(std::move(tell)),
      accepted_(box->GetValue()) {}

void TypingLimit::KeyPress(int& keyAscii) {
    // Control keys (backspace, Ctrl+V and the like) are never characters of the text.
    if (keyAscii < 32 || keyAscii == 127) {
        return;
    }
    long from = 0;
    long to = 0;
    box_->GetSelection(&from, &to);
    const std::size_t replaced = static_cast<std::size_t>(to - from);
    // A typed character replaces the selection, so a full box with a selection still takes it.
    if (box_->GetValue().length() - replaced + 1 > maxChars_) {
        keyAscii = 0;
        tell_(message_);
    }
}

void TypingLimit::Change() {
    if (mending_) {
        return;
    }
    const wxString now = box_->GetValue();
    bool cut = false;
    std::size_t caret = 0;
    const wxString fitted = FitInsertion(accepted_, now, maxChars_, cut, caret);
    if (fitted != now) {
        mending_ = true;
        box_->ChangeValue(fitted);
        box_->SetInsertionPoint(static_cast<long>(caret));
        mending_ = false;
    }
    accepted_ = fitted;
    if (cut) {
        tell_(message_);
    }
}

void BindTypingLimit(wxTextCtrl* box, std::function<void(int&)> keyPress,
                     std::function<void()> change) {
    box->Bind(wxEVT_CHAR, [keyPress](wxKeyEvent& event) {
        // Keys without a character (arrows, Home, F-keys) never change the length.
        // Neither do shortcuts such as Ctrl+V (a paste is measured when the text changes).
        if (event.GetUnicodeKey() == WXK_NONE || event.GetModifiers() == wxMOD_CONTROL) {
            event.Skip();
            return;
        }
        int keyAscii = static_cast<int>(event.GetUnicodeKey());
        keyPress(keyAscii);
        if (keyAscii != 0) {
            event.Skip();
        }
    });
    box->Bind(wxEVT_TEXT, [change](wxCommandEvent& event) {
        change();
        event.Skip();
    });
}

void KeepOnOneLine(wxTextCtrl* box) {
    auto limit = std::make_shared<TypingLimit>(box, std::numeric_limits<std::size_t>::max(), "",
                                               [](const std::string&) {});
    box->Bind(wxEVT_TEXT, [limit](wxCommandEvent& event) {
        limit->Change();
        event.Skip();
    });
}

void UseXAsPasswordCharacter(wxTextCtrl* box) {
#ifdef __WXGTK__
    if (GtkWidget* widget = box->GetHandle(); widget != nullptr && GTK_IS_ENTRY(widget)) {
        gtk_entry_set_invisible_char(GTK_ENTRY(widget), 'X');
    }
#else
    (void)box;
#endif
}

}  // namespace parents
