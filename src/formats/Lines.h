#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace formats {

// Splits text into lines. A line ends at CR LF, at CR or at a lone LF; the terminator is not
// part of the line and nothing else is removed. A final terminator yields no extra empty line.
std::vector<std::string> SplitLines(std::string_view text);

// The lines of a file's bytes as stored (UTF-8 or Windows-1252), decoded to UTF-8.
std::vector<std::string> DecodeLines(std::string_view bytes);

// The lines, each ending in CR LF, as every data file is written.
std::string CrLfText(const std::vector<std::string>& lines);

}  // namespace formats
