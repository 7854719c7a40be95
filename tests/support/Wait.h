#pragma once

#include <chrono>
#include <functional>

namespace testsupport {

// Lets the event loop run until `done` holds or `timeout` passes; returns whether it held.
bool WaitUntil(const std::function<bool()>& done,
               std::chrono::milliseconds timeout = std::chrono::seconds(10));

// Lets the event loop run for `span`: pacing for a gesture on the display (a drag's moves, a
// pointer that must rest), never a check that something does not happen.
void PumpFor(std::chrono::milliseconds span);

// Lets the event loop run until the work already queued on it (events, CallAfter) is done: what
// the last action would have brought about on this side has happened by then.
bool Settle();

}  // namespace testsupport
