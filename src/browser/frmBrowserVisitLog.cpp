// The visit log lives in the control panel's List2; the browser window fills, extends and saves it.
#include <wx/arrstr.h>
#include <wx/listbox.h>

#include "app/Forms.h"
#include "browser/VisitLog.h"
#include "browser/frmBrowser.h"
#include "parents/Parents.h"

namespace browser {

void frmBrowser::LoadVisitLog(const std::string& file) {
    const auto lines = forms_.Data().Read(file);
    if (!lines) {
        return;
    }
    wxArrayString entries;
    entries.reserve(lines->size());
    for (const auto& line : *lines) {
        entries.Add(wxString::FromUTF8(line));
    }
    if (!entries.empty()) {
        forms_.Panel().List2->Append(entries);
    }
}

void frmBrowser::SaveVisitLog(const std::string& file) {
    std::vector<std::string> lines;
    if (auto* panel = forms_.PanelIfLoaded()) {
        const unsigned int count = panel->List2->GetCount();
        lines.reserve(count + 1);
        for (unsigned int i = 0; i < count; ++i) {
            lines.push_back(panel->List2->GetString(i).utf8_string());
        }
    }
    lines.push_back(kRunSeparator);
    const auto result = forms_.Data().Write(file, lines);
    if (!result.ok) {
        app::ShowWriteFailure(forms_.Machine().messages, forms_.Data().PathOf(file), result.reason);
    }
}

void frmBrowser::AddBareAddress(const std::string& address) {
    forms_.Panel().List2->Append(wxString::FromUTF8(address));
}

void frmBrowser::AddReachedPage(const std::string& address) {
    auto& clock = forms_.Machine().clock;
    forms_.Panel().List2->Append(
        wxString::FromUTF8(ReachedPageEntry(address, clock.DateText(), clock.TimeText())));
}

}  // namespace browser
