#pragma once

#include "app/Platform.h"
#include "browser/WxWebView.h"

namespace app {

class WxMessages : public Messages {
public:
    void Show(const std::string& text, const std::string& title, Icon icon) override;
};

class ExitProcess : public ProcessEnder {
public:
    void EndNow() override;
};

class SystemClock : public Clock {
public:
    std::string DateText() override;
    std::string TimeText() override;
    double SteadySeconds() override;
    LocalTime Now() override;
};

// The real adapters, owned together for the program's whole run.
class RealPlatform {
public:
    Platform& Get() { return platform_; }

private:
    WxMessages messages_;
    ExitProcess ender_;
    SystemClock clock_;
    browser::WxWebViewFactory webViews_;
    Platform platform_{messages_, ender_, clock_, webViews_};
};

}  // namespace app
