#pragma once

#include <wx/string.h>

#include <cstddef>
#include <functional>
#include <string>

class wxTextCtrl;

namespace parents {

// A single-line box that holds at most `maxChars` characters, however the text arrives: a typed
// character that would pass the limit is dropped, and a paste, a drop or a middle-click paste is
// cut to what still fits. Either way the parent is told with `message`. Line breaks never get in:
// they would split the stored line in two.
class TypingLimit {
public:
    TypingLimit(wxTextCtrl* box, std::size_t maxChars, std::string message,
                std::function<void(const std::string&)> tell);

    // Before a typed character goes in; sets `keyAscii` to 0 when it must be dropped.
    void KeyPress(int& keyAscii);
    // After the text changed by any route.
    void Change();

private:
    wxTextCtrl* box_;
    std::size_t maxChars_;
    std::string message_;
    std::function<void(const std::string&)> tell_;
    wxString accepted_;  // the text as it last stood within the limit
    bool mending_ = false;
};

// Sends the box's typed characters to `keyPress` (which drops one by setting it to 0) and every
// change of its text to `change`, so a window's own handlers see both.
void BindTypingLimit(wxTextCtrl* box, std::function<void(int&)> keyPress,
                     std::function<void()> change);

// Keeps line breaks out of a box without a length limit (a pasted line break would split the
// stored line in two).
void KeepOnOneLine(wxTextCtrl* box);

// The new text when `after` replaced `before` in a box of at most `maxChars` characters: the
// inserted part is kept up to its first line break and cut to what fits. `cut` tells whether the
// limit took anything away; `caret` is where the insertion now ends.
wxString FitInsertion(const wxString& before, const wxString& after, std::size_t maxChars,
                      bool& cut, std::size_t& caret);

// An X for every character of a password box, as parents know it from the older program, rather
// than the platform's dots.
void UseXAsPasswordCharacter(wxTextCtrl* box);

}  // namespace parents
