#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// "verzoeken.txt": the addresses the child asked a grown-up to look at later, one per line, the
// oldest first. The child's run adds to it (in a family install through the helper, without the
// parent's password), the parent's panel takes addresses out of it.
namespace formats::requests {

inline constexpr std::size_t kMaxRequests = 50;
// Longer than this is no address a child followed a link to.
inline constexpr std::size_t kMaxAddressBytes = 2048;

// The list the file's lines hold: each address once, in file order, at most kMaxRequests; a
// line that is no address (a blank, a control character, too long) is left out.
std::vector<std::string> Parse(const std::vector<std::string>& lines);

enum class Added { Added, AlreadyThere, Full, NotAnAddress };
// Puts `address` at the end of `list` unless it is there already or the list is full.
Added Add(std::vector<std::string>& list, std::string_view address);

}  // namespace formats::requests
