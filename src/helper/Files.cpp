#include "helper/Files.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <thread>

#include "basics/CivilTime.h"
#include "formats/Files.h"
#include "formats/Pictures.h"
#include "formats/Replace.h"
#include "helper/Commands.h"

namespace helper {

// The data folder is the group's; what this program writes is too, whatever the caller's umask.
constexpr unsigned kFileMode = 0660;

std::optional<std::string> ReadFile(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT) {
            return std::nullopt;
        }
        Fail(kDamaged, path + " cannot be opened: " + std::strerror(errno));
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        Fail(kDamaged, path + " is not a plain file");
    }
    std::string bytes;
    std::array<char, 65536> chunk{};
    for (ssize_t got; (got = read(fd, chunk.data(), chunk.size())) != 0;) {
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            const int error = errno;
            close(fd);
            Fail(kDamaged, path + " cannot be read: " + std::strerror(error));
        }
        bytes.append(chunk.data(), static_cast<std::size_t>(got));
    }
    close(fd);
    return bytes;
}

void Replace(const std::string& folder, std::string_view file, std::string_view bytes) {
    const auto written = formats::ReplaceFile(folder + std::string(file), bytes, kFileMode);
    if (!written.ok) {
        Fail(kWriteFailed, std::string(file) + " cannot be saved: " + written.reason);
    }
}

std::string ReadInput(int fd, std::size_t max, double seconds, bool binary) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    std::string input;
    std::array<char, 65536> chunk{};
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd ready{fd, POLLIN, 0};
        const int polled = left > 0 ? poll(&ready, 1, static_cast<int>(left)) : 0;
        if (polled < 0 && errno == EINTR) {
            continue;
        }
        if (polled <= 0) {
            Fail(kDamaged, "the input did not end in time");
        }
        const ssize_t got = read(fd, chunk.data(), chunk.size());
        if (got < 0 && (errno == EINTR || errno == EAGAIN)) {
            continue;
        }
        if (got < 0) {
            Fail(kDamaged, std::string("the input cannot be read: ") + std::strerror(errno));
        }
        if (got == 0) {
            break;
        }
        input.append(chunk.data(), static_cast<std::size_t>(got));
        if (input.size() > max) {
            Fail(kDamaged, "the input is too long");
        }
    }
    if (!binary && input.find('\0') != std::string::npos) {
        Fail(kDamaged, "the input holds a NUL byte");
    }
    return input;
}

FolderLock::FolderLock(const std::string& folder, double seconds) {
    using Clock = std::chrono::steady_clock;
    fd_ = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) {
        Fail(kNoFolder, "the data folder cannot be opened");
    }
    // Never waits without a bound: a run that keeps the folder (stopped, or slowed on purpose)
    // must not hang the parent's login behind it.
    const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    while (flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || Clock::now() >= deadline) {
            close(fd_);
            Fail(kBusy, "the data folder is in use: try again later");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

FolderLock::~FolderLock() {
    close(fd_);
}

int RemoveUnfinishedWrites(const std::string& folder) {
    const auto& all = formats::files::kAll;
    int removed = formats::RemoveUnfinishedWrites(folder, [&](std::string_view file) {
        return std::find(all.begin(), all.end(), file) != all.end();
    });
    const std::string pictures = folder + formats::pictures::kFolder;
    struct stat info {};
    if (lstat(pictures.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        removed += formats::RemoveUnfinishedWrites(pictures, formats::pictures::IsFileName);
    }
    return removed;
}

std::string PictureFolder(const std::string& folder, bool make) {
    const std::string pictures = folder + formats::pictures::kFolder + "/";
    if (make && mkdir(pictures.c_str(), 0770) != 0 && errno != EEXIST) {
        Fail(kWriteFailed,
             "the pictures' folder cannot be made: " + std::string(std::strerror(errno)));
    }
    struct stat info {};
    if (lstat(pictures.substr(0, pictures.size() - 1).c_str(), &info) != 0) {
        Fail(kMissing, "no pictures are stored");
    }
    if (!S_ISDIR(info.st_mode)) {
        Fail(kDamaged, "the pictures' folder is not a folder");
    }
    return pictures;
}

std::string_view PictureName(std::string_view name) {
    if (!formats::pictures::IsFileName(name)) {
        Fail(kBadArguments, "not a picture this program keeps: " + std::string(name));
    }
    return name;
}

long long LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return basics::LocalSeconds({{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday},
                                 local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec});
}

}  // namespace helper
