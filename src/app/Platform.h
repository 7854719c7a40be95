#pragma once

#include <string>

#include "app/CivilTime.h"
#include "browser/WebView.h"

namespace app {

// Message boxes: always one OK button; the information icon or none.
class Messages {
public:
    enum class Icon { None, Information };
    virtual ~Messages() = default;
    // Waits until the user has closed the box.
    virtual void Show(const std::string& text, const std::string& title, Icon icon) = 0;
};

// Ends the process at once: no close handler and no other code runs after it.
class ProcessEnder {
public:
    virtual ~ProcessEnder() = default;
    virtual void EndNow() = 0;
};

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

// The seams between the windows and the machine they run on.
struct Platform {
    Messages& messages;
    ProcessEnder& ender;
    Clock& clock;
    browser::WebViewFactory& webViews;
};

}  // namespace app
