#include "storage/HelperFiles.h"

#include <fcntl.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <poll.h>
#include <pthread.h>
#include <signal.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "formats/Lines.h"
#include "formats/VisitLogLines.h"
#include "storage/DataPath.h"

extern char** environ;

namespace storage {

namespace {

constexpr const char* kHelperName = "lanternwick-helper";
constexpr const char* kRunFolderPrefix = "lanternwick-";
constexpr const char* kWordsMark = "words-changed";

std::vector<std::string>& RunFolders() {
    static std::vector<std::string> folders;
    return folders;
}

// Folders of this user's runs that ended without removing theirs (a crash, a kill): named with
// the run's process number, which no longer lives. An older build named its folders without one
// and left a copy of the words in them.
void RemoveStaleRunFolders(const std::string& base) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(base, error)) {
        const std::string name = entry.path().filename().string();
        struct stat info {};
        if (!name.starts_with(kRunFolderPrefix) || lstat(entry.path().c_str(), &info) != 0 ||
            !S_ISDIR(info.st_mode) || info.st_uid != getuid()) {
            continue;
        }
        // NUMBER-XXXXXX, or XXXXXX for the older build; anything else is no run's.
        const std::string rest = name.substr(std::strlen(kRunFolderPrefix));
        const auto dash = rest.find('-');
        const bool older = dash == std::string::npos && rest.size() == 6;
        const bool numbered = dash != std::string::npos && dash > 0 && rest.size() == dash + 7 &&
                              std::all_of(rest.begin(), rest.begin() + static_cast<long>(dash),
                                          [](unsigned char c) { return std::isdigit(c) != 0; });
        const long pid = numbered ? std::atol(rest.substr(0, dash).c_str()) : 0;
        const bool ended = pid > 0 && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
        if (older || ended) {
            std::error_code ignored;
            std::filesystem::remove_all(entry.path(), ignored);
        }
    }
}

std::string FirstLine(const std::string& text) {
    const auto end = text.find_first_of("\r\n");
    return text.substr(0, end);
}

}  // namespace

std::optional<std::string> HelperFiles::HelperBeside(const std::string& programFolder) {
    const std::string path = DataPath(programFolder) + kHelperName;
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != 0 ||
        (info.st_mode & S_ISGID) == 0) {
        return std::nullopt;
    }
    return path;
}

std::string HelperFiles::FamilyFolder(const std::string& programFolder) {
    const passwd* user = getpwuid(getuid());
    const std::filesystem::path root =
        std::filesystem::path(programFolder).lexically_normal().parent_path().parent_path();
    return (root / "var/lib/lanternwick" / (user != nullptr ? user->pw_name : "")).string();
}

std::optional<HelperFiles::Family> HelperFiles::FamilyFor(const std::string& programFolder,
                                                          const std::string& installFolder) {
    if (auto helper = HelperBeside(programFolder)) {
        return Family{*helper, FamilyFolder(programFolder), programFolder};
    }
    auto helper = HelperBeside(installFolder);
    if (!helper) {
        return std::nullopt;
    }
    // The account's folder is closed to it, but the folder above lets it see that it is there.
    const std::string folder = FamilyFolder(installFolder);
    struct stat info {};
    if (lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != 0) {
        return std::nullopt;
    }
    return Family{*helper, folder, installFolder};
}

std::optional<std::string> HelperFiles::ParentsFolder(const std::string& installFolder,
                                                      const std::string& child) {
    if (child.empty() || child.find('/') != std::string::npos || child[0] == '.' ||
        getpwnam(child.c_str()) == nullptr) {
        return std::nullopt;
    }
    const std::filesystem::path root =
        std::filesystem::path(installFolder).lexically_normal().parent_path().parent_path();
    const std::string folder = (root / "var/lib/lanternwick" / child).string();
    struct stat info {};
    if (lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != 0 ||
        access(folder.c_str(), R_OK | W_OK | X_OK) != 0) {
        return std::nullopt;
    }
    return folder;
}

HelperFiles::HelperFiles(std::string helper, std::string folder, double answerSeconds)
    : DataFiles(std::move(folder)), helper_(std::move(helper)), answerSeconds_(answerSeconds) {
    std::string base = "/tmp";
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
        base = runtime;
    }
    RemoveStaleRunFolders(base);
    std::string made =
        base + "/" + kRunFolderPrefix + std::to_string(static_cast<long>(getpid())) + "-XXXXXX";
    if (mkdtemp(made.data()) != nullptr) {
        runFolder_ = made;
        RunFolders().push_back(made);
    }
    Read(files::kBlockedWords);
}

HelperFiles::~HelperFiles() {
    if (!runFolder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(runFolder_, ignored);
        std::erase(RunFolders(), runFolder_);
    }
}

void HelperFiles::RemoveRunFolders() {
    for (const std::string& folder : RunFolders()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
}

std::string HelperFiles::PathOf(const std::string& name) const {
    if (name == files::kBlockedWords && !runFolder_.empty()) {
        return runFolder_ + "/" + kWordsMark;
    }
    return DataFiles::PathOf(name);
}

HelperFiles::Run HelperFiles::Ask(const std::vector<std::string>& args,
                                  const std::string& input) const {
    Run run;
    std::array<int, 2> in{-1, -1}, out{-1, -1}, err{-1, -1};
    if (pipe2(in.data(), O_CLOEXEC) != 0 || pipe2(out.data(), O_CLOEXEC) != 0 ||
        pipe2(err.data(), O_CLOEXEC) != 0) {
        for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) {
            if (fd >= 0) {
                close(fd);
            }
        }
        return run;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    std::vector<std::string> all{helper_};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& arg : all) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, helper_.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    close(out[1]);
    close(err[1]);
    if (spawned != 0) {
        for (int fd : {in[1], out[0], err[0]}) {
            close(fd);
        }
        run.errors = std::strerror(spawned);
        return run;
    }
    // A helper that stopped reading must not end this process with SIGPIPE: the signal is held
    // for this thread while it writes, and one it raised is taken before it is let through.
    sigset_t pipeSignal, before;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &before);
    fcntl(in[1], F_SETFL, O_NONBLOCK);
    int inFd = input.empty() ? (close(in[1]), -1) : in[1];
    int outFd = out[0];
    int errFd = err[0];
    std::size_t given = 0;
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::duration<double>(answerSeconds_);
    bool late = false;
    std::array<char, 65536> chunk{};
    // Input, answer and errors at once, never waiting on one while another fills: the helper
    // may answer before it has read everything, and the wait has a bound.
    while (outFd >= 0 || errFd >= 0) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            late = true;
            break;
        }
        std::array<pollfd, 3> watched{{{inFd, POLLOUT, 0}, {outFd, POLLIN, 0}, {errFd, POLLIN, 0}}};
        if (poll(watched.data(), watched.size(), static_cast<int>(left)) < 0 && errno != EINTR) {
            break;
        }
        if (inFd >= 0 && watched[0].revents != 0) {
            const ssize_t put = write(inFd, input.data() + given, input.size() - given);
            if (put > 0) {
                given += static_cast<std::size_t>(put);
            }
            if ((put < 0 && errno != EAGAIN && errno != EINTR) || given == input.size()) {
                close(inFd);
                inFd = -1;
            }
        }
        for (auto [fd, into] : {std::pair{&outFd, &run.output}, std::pair{&errFd, &run.errors}}) {
            const auto& seen = fd == &outFd ? watched[1] : watched[2];
            if (*fd >= 0 && seen.revents != 0) {
                const ssize_t got = read(*fd, chunk.data(), chunk.size());
                if (got > 0) {
                    into->append(chunk.data(), static_cast<std::size_t>(got));
                } else if (got == 0 || (errno != EAGAIN && errno != EINTR)) {
                    close(*fd);
                    *fd = -1;
                }
            }
        }
    }
    for (int fd : {inFd, outFd, errFd}) {
        if (fd >= 0) {
            close(fd);
        }
    }
    const timespec none{};
    while (sigtimedwait(&pipeSignal, nullptr, &none) == SIGPIPE) {
    }
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    if (late) {
        kill(pid, SIGKILL);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (late) {
        run.errors = "the helper did not answer in time";
        return run;
    }
    if (WIFEXITED(status)) {
        run.exitCode = WEXITSTATUS(status);
    }
    return run;
}

std::string HelperFiles::Account() const {
    return parentName_ + "\n" + parentPassword_ + "\n";
}

void HelperFiles::Mark(const std::optional<std::string>& bytes) const {
    if (runFolder_.empty()) {
        return;
    }
    const std::string path = runFolder_ + "/" + kWordsMark;
    std::error_code ignored;
    if (!bytes) {
        std::filesystem::remove(path, ignored);
        marked_.reset();
        return;
    }
    if (marked_ == bytes && std::filesystem::exists(path, ignored)) {
        return;
    }
    // Put in place anew each time, so the file's identity changes even where its times are coarse.
    if (WriteAllLines(path, {std::to_string(++marks_)}).ok) {
        marked_ = bytes;
    }
}

std::optional<std::vector<std::string>> HelperFiles::Read(const std::string& name) const {
    Told(onRead_, name);
    const Run run = Ask({"read", name});
    if (run.exitCode != 0) {
        if (name == files::kBlockedWords) {
            Mark(std::nullopt);
        }
        return std::nullopt;
    }
    if (name == files::kBlockedWords) {
        Mark(run.output);
    }
    auto lines = formats::DecodeLines(run.output);
    if (name == files::kVisitLog) {
        logKnown_ = lines;
    }
    return lines;
}

WriteResult HelperFiles::Write(const std::string& name,
                               const std::vector<std::string>& lines) const {
    Told(onWrite_, name);
    auto answer = [](const Run& run) {
        return run.exitCode == 0 ? WriteResult{}
                                 : WriteResult{false, run.errors.empty() ? "the helper failed"
                                                                         : FirstLine(run.errors)};
    };
    const bool parentHere = !parentName_.empty();
    if (name == files::kVisitLog && !parentHere) {
        // The child's run only adds to the log: what is new beyond what the file already held.
        const auto& known = logKnown_.value_or(std::vector<std::string>{});
        if (lines.size() < known.size() || !std::equal(known.begin(), known.end(), lines.begin())) {
            return {false, "only a parent can shorten the visit log"};
        }
        const std::vector<std::string> added(lines.begin() + static_cast<long>(known.size()),
                                             lines.end());
        if (added.empty()) {
            return {};
        }
        auto result = AppendLog(added);
        if (result.ok) {
            logKnown_ = lines;
        }
        return result;
    }
    if (name == files::kUsedTime && !parentHere) {
        for (const auto& line : lines) {
            if (line.starts_with("seconden=")) {
                return answer(Ask({"used-time", line.substr(9)}));
            }
        }
        return {false, "no used time to record"};
    }
    if (name == files::kWeekTime && !parentHere) {
        // The helper's "used-time" keeps the week's file along with today's count.
        return {};
    }
    if (!parentHere) {
        return {false, "only a parent can change this file"};
    }
    auto result = answer(Ask({"write", name}, Account() + formats::CrLfText(lines)));
    if (result.ok && name == files::kPassword && !lines.empty()) {
        parentPassword_ = lines[0];
    }
    if (result.ok && name == files::kVisitLog) {
        logKnown_ = lines;
    }
    if (result.ok && name == files::kBlockedWords) {
        Mark(formats::CrLfText(lines));
    }
    return result;
}

WriteResult HelperFiles::AppendLog(const std::vector<std::string>& lines) const {
    // An address the engine reports with a blank in it must not stop the log for the run.
    std::vector<std::string> sent;
    for (const auto& line : lines) {
        if (auto acceptable = formats::visitlog::Acceptable(line); !acceptable.empty()) {
            sent.push_back(std::move(acceptable));
        }
    }
    if (sent.empty()) {
        return {};
    }
    const Run run = Ask({"append-log"}, formats::CrLfText(sent));
    if (run.exitCode != 0) {
        return {false, run.errors.empty() ? "the helper failed" : FirstLine(run.errors)};
    }
    if (logKnown_) {
        logKnown_->insert(logKnown_->end(), lines.begin(), lines.end());
    }
    return {};
}

WriteResult HelperFiles::AddRequest(const std::string& address) const {
    Told(onWrite_, files::kRequests);
    const Run run = Ask({"add-request"}, address + "\r\n");
    return run.exitCode == 0 ? WriteResult{}
                             : WriteResult{false, run.errors.empty() ? "the helper failed"
                                                                     : FirstLine(run.errors)};
}

std::optional<std::string> HelperFiles::ReadPicture(const std::string& fileName) const {
    const Run run = Ask({"read-picture", fileName});
    return run.exitCode == 0 ? std::optional(run.output) : std::nullopt;
}

WriteResult HelperFiles::WritePicture(const std::string& fileName, std::string_view bytes,
                                      bool replace) const {
    // The child's run only adds a picture a site gave where none is; the rest is the parent's.
    const Run run = !replace ? Ask({"add-picture", fileName}, std::string(bytes))
                    : !parentName_.empty()
                        ? Ask({"write-picture", fileName}, Account() + std::string(bytes))
                        : Run{1, "", "only a parent can change a site's picture"};
    return run.exitCode == 0 ? WriteResult{}
                             : WriteResult{false, run.errors.empty() ? "the helper failed"
                                                                     : FirstLine(run.errors)};
}

void HelperFiles::KeepPictures(const std::vector<std::string>& fileNames) const {
    if (!parentName_.empty()) {
        Ask({"keep-pictures"}, Account() + formats::CrLfText(fileNames));
    }
}

std::optional<HelperLogin> HelperFiles::Login(const std::string& name,
                                              const std::string& password) {
    // A name or password of more than one line could not be told from the lines after it.
    if (name.find_first_of("\r\n") != std::string::npos ||
        password.find_first_of("\r\n") != std::string::npos) {
        return HelperLogin{{"wrong"}, false, std::nullopt, 0, 0, false};
    }
    const Run run = Ask({"login"}, name + "\n" + password + "\n");
    HelperLogin login;
    for (const auto& line : SplitLines(run.output)) {
        if (line == "right" || line == "wrong") {
            login.outcomes.push_back(line);
        } else if (line.starts_with("wait ")) {
            login.wait = std::atof(line.c_str() + 5);
        } else if (line.starts_with("wrong-before ")) {
            login.wrongBefore = std::atoi(line.c_str() + 13);
        } else if (line == "shipped") {
            login.shipped = true;
        }
    }
    constexpr int kRefused = 1, kWaiting = 6, kNotCounted = 9;
    if (run.exitCode == kNotCounted) {
        login.outcomes.clear();
        login.notCounted = run.errors.empty() ? "the helper failed" : FirstLine(run.errors);
    }
    login.unreadable = run.exitCode != 0 && run.exitCode != kRefused && run.exitCode != kWaiting &&
                       run.exitCode != kNotCounted;
    if (run.exitCode == 0) {
        parentName_ = name;
        parentPassword_ = password;
    }
    return login;
}

std::optional<double> HelperFiles::LoginWait() {
    const Run run = Ask({"wait"});
    return run.exitCode == 0 ? std::atof(run.output.c_str()) : 0.0;
}

}  // namespace storage
