#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <utility>

namespace family {

// Written after a run's entries each time the browser window closes.
inline constexpr const char* kRunSeparator = "-----------------------";

// "address --> Datum: date Tijd: time", the stamp words kept from the older program so old and
// new log files read alike.
std::string ReachedPageEntry(std::string_view address, std::string_view date,
                             std::string_view time);

// A page that reloads itself, or leads itself on and on, would write the log full: the same
// entry again within a minute is written once, with its first time, and no more than
// kMaxPerMinute entries come in any minute.
class LogPace {
public:
    static constexpr double kMinute = 60;
    static constexpr std::size_t kMaxPerMinute = 20;

    // Whether an entry of `kind` ("bare", "reached") for `address` at `steadySeconds` is written.
    bool Admits(std::string_view kind, std::string_view address, double steadySeconds);

private:
    struct Entry {
        std::string key;
        double at;
    };
    std::deque<Entry> lastMinute_;
};

}  // namespace family
