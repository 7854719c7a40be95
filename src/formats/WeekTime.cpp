#include "formats/WeekTime.h"

#include <algorithm>

#include "formats/Numbers.h"
#include "formats/UsedTime.h"

namespace formats {

std::vector<DayMinutes> ParseWeekTime(const std::vector<std::string>& lines) {
    std::vector<DayMinutes> days;
    for (const auto& line : lines) {
        const auto equals = line.find('=');
        if (equals == std::string::npos) {
            continue;
        }
        const auto date = basics::ParseDate(line.substr(0, equals));
        const auto minutes = ParseBoundedNumber(line.substr(equals + 1), 0, kMaxUsedSeconds / 60);
        if (!date || !minutes) {
            continue;
        }
        const bool seen = std::any_of(days.begin(), days.end(),
                                      [&](const DayMinutes& d) { return d.date == *date; });
        if (!seen) {
            days.push_back({*date, static_cast<int>(*minutes)});
        }
    }
    std::sort(days.begin(), days.end(),
              [](const DayMinutes& a, const DayMinutes& b) { return a.date < b.date; });
    return days;
}

std::vector<std::string> WeekTimeLines(const std::vector<DayMinutes>& days) {
    std::vector<std::string> lines;
    for (const auto& day : days) {
        lines.push_back(basics::DateText(day.date) + "=" + std::to_string(day.minutes));
    }
    return lines;
}

std::vector<DayMinutes> WithToday(std::vector<DayMinutes> days, basics::Date today, int minutes) {
    const long long last = basics::DaysSinceEpoch(today);
    std::erase_if(days, [&](const DayMinutes& d) {
        const long long day = basics::DaysSinceEpoch(d.date);
        return day > last || day <= last - kWeekTimeDays;
    });
    const auto found = std::find_if(days.begin(), days.end(),
                                    [&](const DayMinutes& d) { return d.date == today; });
    if (found == days.end()) {
        days.push_back({today, minutes});
    } else {
        found->minutes = std::max(found->minutes, minutes);
    }
    std::sort(days.begin(), days.end(),
              [](const DayMinutes& a, const DayMinutes& b) { return a.date < b.date; });
    return days;
}

}  // namespace formats
