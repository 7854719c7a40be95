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

    int status = 0;
    bool stopped = false;
    bool reaped = false;
    const auto deadline = Clock::now() + options.deadline;
    std::optional<Clock::time_point> killAt;
    for (;;) {
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
        if (ppoll(&fd, 1, &wait, nullptr) <= 0) {
            continue;
        }
        char buffer[4096];
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0) {
            break;  // the process has ended (or closed its output)
        }
        run.output.append(buffer, static_cast<size_t>(n));
        if (!killAt && options.killAfterActing &&
            run.output.find("acting\n") != std::string::npos) {
            killAt = Clock::now() + *options.killAfterActing;
        }
        const size_t stopping = run.output.find("stopping at ");
        if (options.killWhereStopped && stopping != std::string::npos &&
            run.output.find('\n', stopping) != std::string::npos) {
            // The line comes just before the stop. Killed only once stopped, the process is
            // known to have gone no further than the moment it stopped at.
            while (!stopped && Clock::now() < deadline) {
                const pid_t seen = waitpid(pid, &status, WUNTRACED | WNOHANG);
                if (seen == pid) {
                    stopped = WIFSTOPPED(status);
                    reaped = !stopped;
                    break;
                }
                const timespec moment{0, 1000000};
                nanosleep(&moment, nullptr);
            }
            if (reaped) {
                break;
            }
            kill(pid, SIGKILL);
            (stopped ? run.killed : run.hung) = true;
            break;
        }
    }
    close(out[0]);
    if (!reaped) {
        waitpid(pid, &status, 0);
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
