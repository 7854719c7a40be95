#include "family/VisitLog.h"

namespace family {

std::string ReachedPageEntry(std::string_view address, std::string_view date,
                             std::string_view time) {
    std::string entry(address);
    entry += " --> Datum: ";
    entry += date;
    entry += " Tijd: ";
    entry += time;
    return entry;
}

bool LogPace::Admits(std::string_view kind, std::string_view address, double steadySeconds) {
    while (!lastMinute_.empty() && steadySeconds - lastMinute_.front().at >= kMinute) {
        lastMinute_.pop_front();
    }
    std::string key(kind);
    key += ' ';
    key += address;
    for (const Entry& entry : lastMinute_) {
        if (entry.key == key) {
            return false;
        }
    }
    if (lastMinute_.size() >= kMaxPerMinute) {
        return false;
    }
    lastMinute_.push_back({std::move(key), steadySeconds});
    return true;
}

}  // namespace family
