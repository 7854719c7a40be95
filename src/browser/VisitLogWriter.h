#pragma once

#include <wx/timer.h>

namespace context {
class WindowContext;
}

namespace browser {

// Adds the run's new visit-log entries to the file a few seconds after they come, so a killed
// run keeps them, and the run's separator after them when the window closes.
class VisitLogWriter : private wxTimer {
public:
    explicit VisitLogWriter(context::WindowContext& context);
    ~VisitLogWriter() override;

    void Changed();   // the log changed: written soon
    void EndOfRun();  // at close; a failure is shown, naming the file
    bool Pending() const { return IsRunning(); }

private:
    void Notify() override;

    context::WindowContext& context_;
    bool ended_ = false;
};

}  // namespace browser
