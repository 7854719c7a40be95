#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/Lines.h"
#include "formats/Replace.h"

namespace storage {

// Splitting into lines and the unfinished copies' names are formats', shared with the family
// install's helper.
using formats::IsUnfinishedWriteOf;
using formats::SplitLines;
using WriteResult = formats::WriteResult;

// The lines of a file, decoded to UTF-8; nothing when the file is missing or unreadable.
std::optional<std::vector<std::string>> ReadAllLines(const std::string& path);

// Replaces the file with the lines, each ending in CR LF, in UTF-8, as formats::ReplaceFile
// does: a crash or a full disk leaves either the old file or the new one, never half of one. A
// replaced file keeps its permissions; a new one gets what the umask leaves of read and write
// for everyone.
WriteResult WriteAllLines(const std::string& path, const std::vector<std::string>& lines);
// The same for bytes as they are.
WriteResult WriteAllBytes(const std::string& path, std::string_view content);
// Adds the lines at the end of the file, made if missing, in one write: lines another run adds
// at the same time are never interleaved with them, and nothing it added is lost. A failure may
// leave part of the lines behind, which the caller mends by replacing the file.
WriteResult AppendLines(const std::string& path, const std::vector<std::string>& lines);

}  // namespace storage
