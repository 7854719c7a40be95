#include "DriverRun.h"

#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <sstream>

namespace testsupport {

using Clock = std::chrono::steady_clock;

bool DriverRun::Printed(const std::string& line) const {
    std::istringstream in(output);
    for (std::string got; std::getline(in, got);) {
        if (got == line) {
            return true;
        }
    }
    return false;
}

std::string DriverRun::Describe() const {
    std::ostringstream s;
    s << (hung     ? "hung"
          : killed ? "killed"
          : exited ? "exited " + std::to_string(exitCode)
                   : "ended by signal " + std::to_string(signal))
      << "; output:\n"
      << output.substr(0, 2000);
    return s.str();
}

DriverRun RunDriver(const std::vector<std::string>& args, const DriverOptions& options) {
    DriverRun run;
    int out[2];
    if (pipe(out) != 0) {
        run.output = "pipe failed";
        return run;
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(LANTERNWICK_SAFETY_DRIVER));
    for (const auto& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);

    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        if (options.noFileSize) {
            signal(SIGXFSZ, SIG_IGN);  // an ignored signal stays ignored across exec
            const rlimit none{0, 0};
            setrlimit(RLIMIT_FSIZE, &none);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(out[1]);

    const auto deadline = Clock::now() + options.deadline;
    std::optional<Clock::time_point> acting;
    std::optional<Clock::time_point> killAt;
    bool open = true;
    while (open) {
        auto until = killAt ? std::min(*killAt, deadline) : deadline;
        const auto left =
            std::chrono::duration_cast<std::chrono::microseconds>(until - Clock::now());
        if (left.count() <= 0) {
            kill(pid, SIGKILL);
            (killAt && Clock::now() >= *killAt ? run.killed : run.hung) = true;
            break;
        }
        // ppoll for a sub-millisecond kill moment.
        pollfd fd{out[0], POLLIN, 0};
        const timespec wait{static_cast<time_t>(left.count() / 1000000),
                            static_cast<long>(left.count() % 1000000) * 1000};
        if (ppoll(&fd, 1, &wait, nullptr) > 0) {
            char buffer[4096];
            const ssize_t n = read(out[0], buffer, sizeof buffer);
            if (n <= 0) {
                open = false;  // the process has ended (or closed its output)
            } else {
                run.output.append(buffer, static_cast<size_t>(n));
                const size_t mark = run.output.find("acting\n");
                if (acting && !run.actingToNextLine.count() &&
                    run.output.find('\n', mark + 7) != std::string::npos) {
                    run.actingToNextLine = std::chrono::duration_cast<std::chrono::microseconds>(
                        Clock::now() - *acting);
                }
                if (!acting && mark != std::string::npos) {
                    acting = Clock::now();
                    if (options.killAfterActing) {
                        killAt = *acting + *options.killAfterActing;
                    }
                }
            }
        }
    }
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (acting) {
        run.actingToEnd =
            std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - *acting);
    }
    if (WIFEXITED(status)) {
        run.exited = !run.killed && !run.hung;
        run.exitCode = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        run.signal = WTERMSIG(status);
    }
    return run;
}

}  // namespace testsupport
