#include "support/Wait.h"

#include <wx/app.h>
#include <wx/utils.h>

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

}  // namespace testsupport
