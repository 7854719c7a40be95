// The visit log lives in the family model; the browser window adds to it and writes it.

#include "browser/frmBrowser.h"
#include "context/WindowContext.h"
#include "family/VisitLog.h"
#include "storage/DataPath.h"

namespace browser {

namespace {
// A killed run loses at most this much of its log; a long log is not rewritten at every page.
constexpr int kLogSaveDelayMs = 3000;
}  // namespace

void frmBrowser::SaveVisitLog(const std::string& file) {
    logSave_.Stop();  // the full write below supersedes a pending one
    const auto result = context_.Family().WriteVisitLog(true);
    if (!result.ok) {
        context_.ShowWriteFailure(file, result.reason);
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
    if (!closing_) {
        context_.Family().WriteVisitLog(false);
    }
}

}  // namespace browser
