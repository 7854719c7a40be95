// The visit log lives in the control panel's List2; the browser window fills, extends and saves it.

#include "app/Forms.h"
#include "browser/VisitLog.h"
#include "browser/frmBrowser.h"
#include "parents/LogList.h"
#include "parents/Parents.h"

namespace browser {

void frmBrowser::LoadVisitLog(const std::string& file) {
    auto lines = forms_.Data().Read(file);
    if (!lines || lines->empty()) {
        return;
    }
    forms_.Panel().List2->Append(std::move(*lines));
}

void frmBrowser::SaveVisitLog(const std::string& file) {
    std::vector<std::string> lines;
    if (auto* panel = forms_.PanelIfLoaded()) {
        lines = panel->List2->Entries();
    }
    lines.push_back(kRunSeparator);
    const auto result = forms_.Data().Write(file, lines);
    if (!result.ok) {
        forms_.ShowWriteFailure(file, result.reason);
    }
}

void frmBrowser::AddBareAddress(const std::string& address) {
    forms_.Panel().List2->Append(address);
}

void frmBrowser::AddReachedPage(const std::string& address) {
    auto& clock = forms_.Machine().clock;
    forms_.Panel().List2->Append(ReachedPageEntry(address, clock.DateText(), clock.TimeText()));
}

}  // namespace browser
