#pragma once

#include <string>

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

// The current date and time as the user's regional settings write them.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::string DateText() = 0;  // short date
    virtual std::string TimeText() = 0;  // hours, minutes and seconds, no time zone
};

// The seams between the windows and the machine they run on.
struct Platform {
    Messages& messages;
    ProcessEnder& ender;
    Clock& clock;
    browser::WebViewFactory& webViews;
};

}  // namespace app
