#pragma once

#include <string>
#include <string_view>

namespace basics {

bool IsValidUtf8(std::string_view bytes);

// Windows-1252 bytes to UTF-8. The five bytes that code page leaves undefined map to the
// C1 control characters of the same value, so no byte is ever lost.
std::string Windows1252ToUtf8(std::string_view bytes);

// Files from the older program are in Windows-1252; files this program writes are UTF-8.
// A file that is valid UTF-8 is taken as UTF-8 (a leading byte-order mark is dropped).
std::string DecodeFileText(std::string_view bytes);

}  // namespace basics

namespace basics {

// Lengths and column windows count characters (code points), not bytes, so a name with
// accented letters still fits its 20 columns.
size_t CharCount(std::string_view utf8);
std::string CharSubstr(std::string_view utf8, size_t first, size_t count = std::string_view::npos);

// Removes spaces (only spaces, as the stored formats pad with them) at the given ends.
std::string TrimSpaces(std::string_view text);
std::string TrimTrailingSpaces(std::string_view text);

}  // namespace basics
