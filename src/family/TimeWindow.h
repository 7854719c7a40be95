#pragma once

#include <optional>

#include "storage/Settings.h"

namespace family {

// How long the child may still browse by the times of day, from `secondsOfDay` on `weekday`
// (0 is Monday): 0 outside the day's window; nothing when no window closes ahead (the day has
// none, or the window runs on into a day that has none). A window that reaches midnight goes on
// into the next day's window when that one opens at midnight.
std::optional<long long> WindowSecondsLeft(const storage::WeekWindows& week, int weekday,
                                           long long secondsOfDay);

// How long the open stretch around `secondsOfDay` has been open that day: 0 outside the day's
// window, nothing when the day has none.
std::optional<long long> WindowSecondsOpen(const storage::WeekWindows& week, int weekday,
                                           long long secondsOfDay);

// Whether any day has a window that closes some of it.
bool AnyWindow(const storage::WeekWindows& week);

// The length of the day's window in minutes, for the clock's disc; nothing without one.
std::optional<int> WindowMinutes(const storage::DayWindow& window);

}  // namespace family
