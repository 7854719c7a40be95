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
// leaves either the old file or the new one, never half of one. A replaced file keeps its
// permissions; a new one gets what the umask leaves of read and write for everyone.
WriteResult WriteAllLines(const std::string& path, const std::vector<std::string>& lines);
// The same for bytes as they are.
WriteResult WriteAllBytes(const std::string& path, std::string_view content);

// Whether `entry` is the name a replacement of `file` writes to before it takes the file's place:
// a dot, the file's whole name, ".lanternwick-save-" and six letters or digits
// (".words.txt.lanternwick-save-A1b2C3"). No name a person gives a file is taken for one.
bool IsUnfinishedWriteOf(std::string_view entry, std::string_view file);

}  // namespace storage
