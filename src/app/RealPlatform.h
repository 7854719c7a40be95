#pragma once

#include <string>
#include <vector>

#include "engine/WxWebView.h"
#include "platform/Platform.h"

namespace app {

class WxMessages : public platform::Messages {
public:
    void Show(const std::string& text, const std::string& title, Icon icon) override;
    Answer Ask(const std::string& text, const std::string& title, const Choices& choices) override;
};

class ExitProcess : public platform::ProcessEnder {
public:
    void EndNow() override;
};

// Starts the program file this run came from (it may have been replaced by a newer install
// since), with the same arguments and working folder.
class RestartSelf : public platform::ProgramStarter {
public:
    void Remember(std::string program, std::vector<std::string> arguments);
    bool StartAgain() override;

private:
    std::string program_;
    std::vector<std::string> arguments_;
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
    RestartSelf& Restarter() { return starter_; }

private:
    WxMessages messages_;
    ExitProcess ender_;
    RestartSelf starter_;
    SystemClock clock_;
    engine::WxWebViewFactory webViews_;
    platform::Platform platform_{messages_, ender_, starter_, clock_, webViews_};
};

}  // namespace app
