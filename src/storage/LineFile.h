#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace storage {

// Splits text into lines. A line ends at CR LF, at CR or at a lone LF; the terminator is not
// part of the line and nothing else is removed. A final terminator yields no extra empty line.
std::vector<std::string> SplitLines(std::string_view text);

// The lines of a file, decoded to UTF-8; nothing when the file is missing or unreadable.
std::optional<std::vector<std::string>> ReadAllLines(const std::string& path);

struct WriteResult {
    bool ok = true;
    std::string reason;  // why the write failed, for the message the user sees
};

// Replaces the file with the lines, each ending in CR LF, in UTF-8. The new content goes to a
// temporary file in the same folder that then replaces the old one, so a crash or a full disk
// leaves either the old file or the new one, never half of one.
WriteResult WriteAllLines(const std::string& path, const std::vector<std::string>& lines);

// Whether `entry` is the name a replacement of `file` writes to before it takes the file's place:
// the file's name without its extension, followed by six letters or digits.
bool IsUnfinishedWriteOf(std::string_view entry, std::string_view file);

}  // namespace storage
