#pragma once

#include <chrono>
#include <functional>

namespace testsupport {

// Lets the event loop run until `done` holds or `timeout` passes; returns whether it held.
bool WaitUntil(const std::function<bool()>& done,
               std::chrono::milliseconds timeout = std::chrono::seconds(10));

// Lets the event loop run for `span`, for checks that something does NOT happen.
void PumpFor(std::chrono::milliseconds span);

}  // namespace testsupport
