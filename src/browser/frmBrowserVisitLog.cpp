// The visit log lives in the control panel's List2; the browser window fills, extends and saves it.

#include "app/Forms.h"
#include "browser/VisitLog.h"
#include "browser/frmBrowser.h"
#include "parents/LogList.h"
#include "parents/Parents.h"
#include "storage/DataPath.h"

namespace browser {

namespace {
// A killed run loses at most this much of its log; a long log is not rewritten at every page.
constexpr int kLogSaveDelayMs = 3000;
}  // namespace

void frmBrowser::LoadVisitLog(const std::string& file) {
    auto lines = forms_.Data().Read(file);
    if (!lines || lines->empty()) {
        return;
    }
    forms_.Panel().List2->Append(std::move(*lines));
}

void frmBrowser::SaveVisitLog(const std::string& file) {
    logSave_.Stop();  // the full write below supersedes a pending one
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

void frmBrowser::SaveVisitLogSoon() {
    if (!logSave_.IsRunning()) {
        logSave_.StartOnce(kLogSaveDelayMs);
    }
}

void frmBrowser::SaveVisitLogNow() {
    // Without the run separator: that marks a run that ended normally, and this one goes on.
    // A failure stays silent here; the write at close reports it.
    if (auto* panel = forms_.PanelIfLoaded(); panel != nullptr && !closing_) {
        forms_.Data().Write(storage::files::kVisitLog, panel->List2->Entries());
    }
}

void frmBrowser::AddBareAddress(const std::string& address) {
    forms_.Panel().List2->Append(address);
    SaveVisitLogSoon();
}

void frmBrowser::AddReachedPage(const std::string& address) {
    auto& clock = forms_.Machine().clock;
    forms_.Panel().List2->Append(ReachedPageEntry(address, clock.DateText(), clock.TimeText()));
    SaveVisitLogSoon();
}

}  // namespace browser
