#include "app/RealPlatform.h"

#include <wx/app.h>
#include <wx/datetime.h>
#include <wx/msgdlg.h>

#include <cstdio>
#include <cstdlib>

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

}  // namespace app
