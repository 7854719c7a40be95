#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>

// Calendar dates and local times of day without a time zone library: what the wall clock says,
// as plain numbers, so the daily time budget can be counted and tested without a real clock.
namespace basics {

struct Date {
    int year = 1970;
    int month = 1;  // 1 to 12
    int day = 1;    // 1 to 31
    auto operator<=>(const Date&) const = default;
};

// The wall clock's reading: the local date and the seconds since its midnight (0 to 86399).
struct LocalTime {
    Date date;
    int secondsOfDay = 0;
};

inline constexpr long long kSecondsPerDay = 86400;

// Days since 1970-01-01 (negative before it), and back.
long long DaysSinceEpoch(Date date);
Date DateFromDays(long long days);

// 0 for Monday to 6 for Sunday.
int Weekday(Date date);

// Local seconds since 1970-01-01 00:00 (no time zone applied), and back.
long long LocalSeconds(LocalTime time);
LocalTime LocalTimeFromSeconds(long long seconds);

// "2026-12-07" and "21:45:09", and their strict readings; a date that does not exist, or any
// other text, reads as nothing.
std::string DateText(Date date);
std::optional<Date> ParseDate(std::string_view text);
std::string TimeOfDayText(int secondsOfDay);
std::optional<int> ParseTimeOfDay(std::string_view text);

}  // namespace basics
