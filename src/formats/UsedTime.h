#pragma once

#include <optional>
#include <string>
#include <vector>

#include "basics/CivilTime.h"

namespace formats {

// What "tijdgebruik.txt" keeps between runs: the last moment a run saw, whose date is the day
// the used seconds and the extra minutes belong to.
struct UsedTime {
    basics::LocalTime lastSeen;
    long long secondsUsed = 0;
    int extraMinutes = 0;
};

// A day holds no more seconds than this, and a parent grants no more minutes than a day has.
inline constexpr long long kMaxUsedSeconds = basics::kSecondsPerDay;
inline constexpr int kMaxExtraMinutes = 1440;

// "datum=", "tijd=", "seconden=" and "extraminuten=" lines, names and values as
// NameValueLines reads them. Nothing when one is missing or out of its range: the record is then
// damaged, and the day starts afresh.
std::optional<UsedTime> ParseUsedTime(const std::vector<std::string>& lines);
std::vector<std::string> UsedTimeLines(const UsedTime& used);

}  // namespace formats
