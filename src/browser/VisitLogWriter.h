#pragma once

#include <wx/timer.h>

namespace context {
class WindowContext;
}

namespace browser {

// Writes the run's visit log: a few seconds after it changes, so a killed run keeps it, and
// whole, with the run's separator, when the window closes.
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
