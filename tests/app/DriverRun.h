#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

// One run of the safety driver (SafetyDriver.cpp) as a process of its own.
struct DriverRun {
    bool hung = false;    // still running at the deadline, so it was killed
    bool killed = false;  // killed by the test on purpose, after "acting"
    bool exited = false;  // ended by itself
    int exitCode = -1;
    int signal = 0;      // the signal that ended it, when one did
    std::string output;  // what it printed

    bool Printed(const std::string& line) const;
    std::string Describe() const;
};

struct DriverOptions {
    std::chrono::milliseconds deadline = std::chrono::seconds(30);
    // SIGKILL this long after the driver prints "acting".
    std::optional<std::chrono::microseconds> killAfterActing;
    // SIGKILL once the driver has stopped itself where its option --stop-at-write:N says, which
    // it announces with "stopping at NAME"; the kill waits until the process is seen stopped.
    bool killWhereStopped = false;
    // Any file the process writes may hold no byte: each write fails with EFBIG, for every
    // user. SIGXFSZ is ignored so the failure reaches the program instead of ending it.
    bool noFileSize = false;
};

DriverRun RunDriver(const std::vector<std::string>& args, const DriverOptions& options = {});

}  // namespace testsupport
