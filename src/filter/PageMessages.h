#pragma once

// The messages between the child's window and the filter in the engine's page processes, each
// a name and the GVariant type of its value. Both sides take them from here, so a change on one
// side cannot leave the other reading a message it no longer gets.
namespace filter::pagemessages {

// Page process to window: the top-level page it refused, by its address.
inline constexpr const char* kRefused = "refused";
inline constexpr const char* kRefusedType = "s";

// Window to page processes: the blocked words themselves, one line of the list each, or nothing
// when the window has no list to judge by (missing or unreadable), which refuses everything. A
// page process never reads the list from a file: a file it could read, the child's own run
// could empty.
inline constexpr const char* kWords = "words";
inline constexpr const char* kWordsType = "mas";

// Window to page processes: the switch of the allowed sites, their addresses, and the key of
// the program's own pages.
inline constexpr const char* kSettings = "settings";
inline constexpr const char* kSettingsType = "(bass)";

// Given to a page process when it starts: the words and the settings, as above.
inline constexpr const char* kStartType = "(mas(bass))";

}  // namespace filter::pagemessages
