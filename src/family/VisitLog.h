#pragma once

#include <string>
#include <string_view>

namespace family {

// Written after a run's entries each time the browser window closes.
inline constexpr const char* kRunSeparator = "-----------------------";

// "address --> Datum: date Tijd: time", the stamp words kept from the older program so old and
// new log files read alike.
std::string ReachedPageEntry(std::string_view address, std::string_view date,
                             std::string_view time);

}  // namespace family
