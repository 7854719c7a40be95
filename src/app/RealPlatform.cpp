#include "app/RealPlatform.h"

#include <wx/app.h>
#include <wx/datetime.h>
#include <wx/msgdlg.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "storage/HelperFiles.h"

#ifdef LANTERNWICK_ESPEAK
#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>
#endif

namespace app {

void WxMessages::Show(const std::string& text, const std::string& title, Icon icon) {
    const long style = wxOK | (icon == Icon::Information ? wxICON_INFORMATION : wxICON_NONE);
    wxMessageBox(wxString::FromUTF8(text), wxString::FromUTF8(title), style);
}

platform::Messages::Answer WxMessages::Ask(const std::string& text, const std::string& title,
                                           const Choices& choices) {
    wxMessageDialog dialog(nullptr, wxString::FromUTF8(text), wxString::FromUTF8(title),
                           wxYES_NO | wxCANCEL | wxICON_QUESTION);
    dialog.SetYesNoCancelLabels(wxString::FromUTF8(choices.first),
                                wxString::FromUTF8(choices.second),
                                wxString::FromUTF8(choices.cancel));
    switch (dialog.ShowModal()) {
        case wxID_YES:
            return Answer::First;
        case wxID_NO:
            return Answer::Second;
        default:
            return Answer::Cancel;
    }
}

void ExitProcess::EndNow() {
    std::fflush(nullptr);
    // No destructor runs from here on, the run folders' among them.
    storage::HelperFiles::RemoveRunFolders();
    std::_Exit(code_);
}

void RestartSelf::Remember(std::string program, std::vector<std::string> arguments) {
    program_ = std::move(program);
    arguments_ = std::move(arguments);
}

bool RestartSelf::StartAgain() {
    if (program_.empty()) {
        return false;
    }
    // The family session's launcher starts the program again as soon as this one ends.
    if (std::ranges::find(arguments_, std::string("--session")) != arguments_.end()) {
        return true;
    }
    std::vector<char*> argv;
    argv.push_back(program_.data());
    for (std::string& argument : arguments_) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    // The child tells through this pipe why its exec failed; a pipe closed by a successful exec
    // says it started.
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) {
        return false;
    }
    const pid_t pid = fork();
    if (pid < 0) {
        close(report[0]);
        close(report[1]);
        return false;
    }
    if (pid == 0) {
        // Only what may run between fork and exec in a program with threads. The new copy gets
        // none of this run's files, sockets or connections to the engine's processes.
        const int keep = report[1];
        for (int fd = 3; fd < keep; ++fd) {
            close(fd);
        }
        close_range(static_cast<unsigned>(keep) + 1, ~0U, 0);
        execv(argv[0], argv.data());
        const int failure = errno;
        (void)!write(keep, &failure, sizeof failure);
        _exit(127);
    }
    close(report[1]);
    int failure = 0;
    ssize_t got;
    do {
        got = read(report[0], &failure, sizeof failure);
    } while (got < 0 && errno == EINTR);
    close(report[0]);
    if (got > 0) {
        waitpid(pid, nullptr, 0);
        return false;
    }
    return true;
}

std::string SystemClock::DateText() {
    return wxDateTime::Now().FormatDate().utf8_string();
}

std::string SystemClock::TimeText() {
    return wxDateTime::Now().FormatTime().utf8_string();
}

double SystemClock::SteadySeconds() {
#ifdef CLOCK_BOOTTIME
    // The steady clock stops while the machine sleeps; this one does not.
    timespec now{};
    if (clock_gettime(CLOCK_BOOTTIME, &now) == 0) {
        return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
    }
#endif
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

basics::LocalTime SystemClock::Now() {
    const wxDateTime now = wxDateTime::Now();
    return {{now.GetYear(), static_cast<int>(now.GetMonth()) + 1, now.GetDay()},
            now.GetHour() * 3600 + now.GetMinute() * 60 + now.GetSecond()};
}

#ifdef LANTERNWICK_ESPEAK

namespace {

std::function<void(const short*, int)>& Samples() {
    static std::function<void(const short*, int)> samples;
    return samples;
}

int OnSound(short* wave, int count, espeak_EVENT*) {
    // While playing, the engine calls this for its events only, without sound.
    if (wave != nullptr && count > 0 && Samples()) {
        Samples()(wave, count);
    }
    return 0;  // go on reading
}

}  // namespace

bool espeak::Built() {
    return true;
}

bool espeak::Start(std::function<void(const short*, int)> samples) {
    espeak_ng_InitializePath(nullptr);
    espeak_ng_ERROR_CONTEXT context = nullptr;
    // Unlike espeak_Initialize, this one does not end the process when the data is missing.
    if (espeak_ng_Initialize(&context) != ENS_OK) {
        espeak_ng_ClearErrorContext(&context);
        return false;
    }
    const bool play = !samples;
    Samples() = std::move(samples);
    espeak_SetSynthCallback(OnSound);
    return espeak_ng_InitializeOutput(play ? ENOUTPUT_MODE_SPEAK_AUDIO : ENOUTPUT_MODE_SYNCHRONOUS,
                                      0, nullptr) == ENS_OK;
}

bool espeak::Read(const std::string& text, const std::optional<std::string>& language) {
    espeak_ng_Cancel();
    if (espeak_ng_SetVoiceByName(language == "nl" ? "nl" : "en") != ENS_OK) {
        return false;
    }
    return espeak_ng_Synthesize(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0,
                                espeakCHARS_UTF8, nullptr, nullptr) == ENS_OK;
}

std::string espeak::VoiceLanguage() {
    // The languages come as a priority byte, then the name, each ended by a zero byte.
    const espeak_VOICE* voice = espeak_GetCurrentVoice();
    return voice != nullptr && voice->languages != nullptr ? voice->languages + 1 : "";
}

void espeak::End() {
    espeak_ng_Cancel();
    espeak_ng_Terminate();
}

void EspeakSpeech::Say(const std::string& text, std::optional<std::string> language) {
    std::lock_guard lock(mutex_);
    if (!worker_.joinable()) {
        worker_ = std::thread([this] { Run(); });
    }
    next_ = Text{text, std::move(language)};
    wake_.notify_one();
}

void EspeakSpeech::Run() {
    if (!espeak::Start()) {
        return;  // the texts that come are dropped
    }
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return ending_ || next_.has_value(); });
        if (ending_) {
            break;
        }
        const Text text = std::move(*next_);
        next_.reset();
        lock.unlock();
        // In the background mode the engine returns once the text is queued; a device that
        // will not open costs only this thread's time.
        espeak::Read(text.text, text.language);
        lock.lock();
    }
    lock.unlock();
    espeak::End();
}

#else

bool espeak::Built() {
    return false;
}

bool espeak::Start(std::function<void(const short*, int)>) {
    return false;
}

bool espeak::Read(const std::string&, const std::optional<std::string>&) {
    return false;
}

std::string espeak::VoiceLanguage() {
    return "";
}

void espeak::End() {}

void EspeakSpeech::Say(const std::string&, std::optional<std::string>) {}

void EspeakSpeech::Run() {}

#endif

EspeakSpeech::~EspeakSpeech() {
    {
        std::lock_guard lock(mutex_);
        ending_ = true;
    }
    wake_.notify_one();
    if (worker_.joinable()) {
        worker_.join();
    }
}

}  // namespace app
