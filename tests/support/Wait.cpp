#include "support/Wait.h"

#include <wx/app.h>
#include <wx/utils.h>

#include <memory>

namespace testsupport {

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        wxTheApp->Yield(true);
        wxMilliSleep(2);  // pace the poll; the condition, not the sleep, ends the wait
    }
    return true;
}

void PumpFor(std::chrono::milliseconds span) {
    WaitUntil([] { return false; }, span);
}

bool Settle() {
    // Queued twice: a call queued before may itself queue one more. Shared, since a wait that
    // gives up leaves the calls queued.
    auto done = std::make_shared<int>(0);
    wxTheApp->CallAfter([done] {
        ++*done;
        wxTheApp->CallAfter([done] { ++*done; });
    });
    return WaitUntil([&] { return *done == 2; });
}

}  // namespace testsupport
