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
// table's texts into the windows, creating (hidden) the ones that do not exist yet. Returns the
// language applied; with any other line, or no file, nothing changes and nothing is created.
std::optional<i18n::Language> ApplyLanguage(app::Forms& forms);

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
