#pragma once

#include "engine/WxWebView.h"
#include "platform/Platform.h"

namespace app {

class WxMessages : public platform::Messages {
public:
    void Show(const std::string& text, const std::string& title, Icon icon) override;
};

class ExitProcess : public platform::ProcessEnder {
public:
    void EndNow() override;
};

class SystemClock : public basics::Clock {
public:
    std::string DateText() override;
    std::string TimeText() override;
    double SteadySeconds() override;
    basics::LocalTime Now() override;
};

// The real adapters, owned together for the program's whole run.
class RealPlatform {
public:
    platform::Platform& Get() { return platform_; }

private:
    WxMessages messages_;
    ExitProcess ender_;
    SystemClock clock_;
    engine::WxWebViewFactory webViews_;
    platform::Platform platform_{messages_, ender_, clock_, webViews_};
};

}  // namespace app
