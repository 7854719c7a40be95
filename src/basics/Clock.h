#pragma once

#include <string>

#include "basics/CivilTime.h"

namespace basics {

// The current date and time as the user's regional settings write them, and the two readings
// the daily time budget counts with.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::string DateText() = 0;  // short date
    virtual std::string TimeText() = 0;  // hours, minutes and seconds, no time zone
    // Seconds from an arbitrary origin that never jump when the wall clock is changed, and go on
    // while the machine sleeps (so a night in standby still ends the day).
    virtual double SteadySeconds() = 0;
    // The wall clock's local date and time of day; read once at the start by the budget.
    virtual LocalTime Now() = 0;
};

}  // namespace basics
