#include "app/RealPlatform.h"

#include <wx/app.h>
#include <wx/datetime.h>
#include <wx/msgdlg.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace app {

void WxMessages::Show(const std::string& text, const std::string& title, Icon icon) {
    const long style = wxOK | (icon == Icon::Information ? wxICON_INFORMATION : wxICON_NONE);
    wxMessageBox(wxString::FromUTF8(text), wxString::FromUTF8(title), style);
}

void ExitProcess::EndNow() {
    std::fflush(nullptr);
    std::_Exit(0);
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

}  // namespace app
