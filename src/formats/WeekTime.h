#pragma once

#include <string>
#include <vector>

#include "basics/CivilTime.h"

namespace formats {

// What "tijdperweek.txt" keeps: the minutes used on each of the last days, so a parent sees the
// week while "tijdgebruik.txt" holds only today.
struct DayMinutes {
    basics::Date date;
    int minutes = 0;
    friend bool operator==(const DayMinutes&, const DayMinutes&) = default;
};

// No more days than this are kept: two weeks, so the week shown is whole after a day missed.
inline constexpr int kWeekTimeDays = 14;

// "YYYY-MM-DD=minutes" lines, oldest first. A line that is not one of them, or a day given
// twice, is passed over alone: one damaged day must not cost the parent the others.
std::vector<DayMinutes> ParseWeekTime(const std::vector<std::string>& lines);
std::vector<std::string> WeekTimeLines(const std::vector<DayMinutes>& days);

// The days with `today`'s minutes in: only ever more (two runs at once each write what they
// counted), and only the kWeekTimeDays days up to `today`, so a file never grows and a clock
// that was once set ahead leaves nothing behind.
std::vector<DayMinutes> WithToday(std::vector<DayMinutes> days, basics::Date today, int minutes);

}  // namespace formats
