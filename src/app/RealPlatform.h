#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
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

// espeak-ng as this program sets it up: one engine per process, the same for reading aloud and
// for checking what it makes.
namespace espeak {
// Whether this build has the library; without it nothing is read aloud.
bool Built();
// Starts the engine, once per process. Without `samples` it plays what it reads by itself, in
// the background; with them it reads at the caller's pace and hands each piece of sound to
// `samples` instead of playing it. False when it cannot start (its voice data is missing).
bool Start(std::function<void(const short* samples, int count)> samples = {});
// Stops what is being read, takes the voice for `language` ("nl" Dutch, anything else English)
// and reads `text`. False when the voice or the text was refused.
bool Read(const std::string& text, const std::optional<std::string>& language);
// The language of the voice in use, as the engine names it ("nl", "en-gb").
std::string VoiceLanguage();
void End();
}  // namespace espeak

// Reads aloud through espeak-ng. The engine starts on a thread of its own at the first text,
// so a run that never reads aloud never opens the sound device, and the windows never wait for
// the engine: only the newest text waiting is read, cutting off the one before.
class EspeakSpeech : public platform::Speech {
public:
    EspeakSpeech() = default;
    ~EspeakSpeech() override;
    void Say(const std::string& text, std::optional<std::string> language) override;

private:
    struct Text {
        std::string text;
        std::optional<std::string> language;
    };
    void Run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<Text> next_;
    bool ending_ = false;
    std::thread worker_;
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
    EspeakSpeech speech_;
    platform::Platform platform_{messages_, ender_, starter_, clock_, webViews_, speech_};
};

}  // namespace app
