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
    int signal = 0;                            // the signal that ended it, when one did
    std::string output;                        // what it printed
    std::chrono::microseconds actingToEnd{0};  // from "acting" to the end of the process
    // From "acting" to the next line printed (the message after a save), or zero if none came.
    std::chrono::microseconds actingToNextLine{0};

    bool Printed(const std::string& line) const;
    std::string Describe() const;
};

struct DriverOptions {
    std::chrono::milliseconds deadline = std::chrono::seconds(30);
    // SIGKILL this long after the driver prints "acting".
    std::optional<std::chrono::microseconds> killAfterActing;
    // Any file the process writes may hold no byte: each write fails with EFBIG, for every
    // user. SIGXFSZ is ignored so the failure reaches the program instead of ending it.
    bool noFileSize = false;
};

DriverRun RunDriver(const std::vector<std::string>& args, const DriverOptions& options = {});

}  // namespace testsupport
