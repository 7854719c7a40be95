#include "browser/VisitLogWriter.h"

#include "context/WindowContext.h"
#include "storage/DataPath.h"

namespace browser {

namespace {
// A killed run loses at most this much of its log; a long log is not rewritten at every page.
constexpr int kLogSaveDelayMs = 3000;
}  // namespace

VisitLogWriter::VisitLogWriter(context::WindowContext& context) : context_(context) {}

VisitLogWriter::~VisitLogWriter() {
    Stop();
}

void VisitLogWriter::Changed() {
    if (!ended_ && !IsRunning()) {
        StartOnce(kLogSaveDelayMs);
    }
}

void VisitLogWriter::Notify() {
    // Without the run separator: that marks a run that ended normally, and this one goes on.
    // A failure stays silent here; the write at close reports it.
    if (!ended_) {
        context_.Family().WriteVisitLog(false);
    }
}

void VisitLogWriter::EndOfRun() {
    Stop();  // the full write below supersedes a pending one
    ended_ = true;
    const auto result = context_.Family().WriteVisitLog(true);
    if (!result.ok) {
        context_.ShowWriteFailure(storage::files::kVisitLog, result.reason);
    }
}

}  // namespace browser
