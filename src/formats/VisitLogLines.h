#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace formats::visitlog {

// Written after a run's entries each time the browser window closes.
inline constexpr std::string_view kRunSeparator = "-----------------------";
// "address --> Datum: date Tijd: time": the stamp words every log file has had, so old and new
// files read alike.
inline constexpr std::string_view kDateWord = " --> Datum: ";
inline constexpr std::string_view kTimeWord = " Tijd: ";
// Longer than any address the engine reports is no address: it is the log being filled.
inline constexpr std::size_t kMaxLineBytes = 8192;

// Whether `line` is one of the forms the program writes to the log: a reached page with its
// date and time as the clock writes them, a bare address (a refused or unreachable one), or the
// run separator. An address holds no blank and no control character.
bool IsLine(std::string_view line);

// The entry as the log takes it: its address with blanks and control characters percent-escaped
// and cut to the longest line, so an odd address the engine reports never stops the log. Empty
// when nothing of it can be written (an empty line).
std::string Acceptable(std::string_view line);

}  // namespace formats::visitlog
