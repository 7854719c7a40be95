#pragma once

#include <optional>
#include <string>

#include "i18n/CaptionTables.h"

class wxTopLevelWindow;
class wxWindow;

namespace app {
class Forms;
}

namespace app {

// Reads the first line of the language file and, for exactly "Dutch" or "English", writes that
// table's texts into the windows that exist; the owner of the windows writes them into each
// window it makes later in the run. Returns the language applied; with any other line, or no
// file, nothing changes.
std::optional<i18n::Language> ApplyLanguage(app::Forms& forms);

// Writes the table's texts for one window, which exists.
void ApplyCaptions(app::Forms& forms, i18n::Language language, std::string_view window);

// The language step of "Log out and save", for the language the parent chose in the panel.
// Dutch or English: stores it twice, asks for a restart and ends the program. German, French or
// Spanish: refused, back to the login. Anything else: nothing. Returns false only when the
// language file could not be written (the parent has been told which file and why).
bool SaveLanguageChoice(app::Forms& forms);

// The window a table row names, created hidden with its load steps when it does not exist yet.
wxTopLevelWindow& WindowNamed(app::Forms& forms, std::string_view window);

// The control a table row names within its window, or null.
wxWindow* ControlNamed(wxTopLevelWindow& window, std::string_view control);

}  // namespace app
