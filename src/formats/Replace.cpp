#include "formats/Replace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

#ifdef __unix__
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace formats {

namespace {

namespace fs = std::filesystem;

// A save's copy is named ".words.txt.lanternwick-save-A1b2C3": hidden, the whole name of the
// file it replaces, the program's own word and six random letters or digits. A parent keeps
// copies of the lists beside them ("wordsBackup", "words.txt.bak"), and start-up removes what
// it takes for a killed save's copy, so the name must be one nobody types.
constexpr std::string_view kSaveMarker = ".lanternwick-save-";
constexpr std::size_t kRandomChars = 6;
constexpr std::string_view kRandomAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

std::function<void(std::string_view)>& StepHook() {
    static std::function<void(std::string_view)> hook;
    return hook;
}

std::string CopyPathOf(const std::string& path) {
#ifdef _WIN32
    const size_t cut = path.find_last_of("/\\:");
#else
    const size_t cut = path.find_last_of('/');
#endif
    const size_t nameStart = cut == std::string::npos ? 0 : cut + 1;
    thread_local std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<size_t> pick(0, kRandomAlphabet.size() - 1);
    std::string copy = path.substr(0, nameStart) + "." + path.substr(nameStart);
    copy += kSaveMarker;
    for (size_t i = 0; i < kRandomChars; ++i) {
        copy += kRandomAlphabet[pick(random)];
    }
    return copy;
}

std::string ErrorText(int error) {
    return error == 0 ? std::string("unknown error") : std::string(std::strerror(error));
}

#ifdef __unix__

// Writes the copy and puts it on disk; the copy is never more open than the file it becomes:
// `keep`, the old file's permissions, or for a new file what the umask leaves of 0666, which
// the system applies itself. Asking for the umask with umask() sets it, for a moment, for the
// web engine's threads too, and a file one of them makes meanwhile would be open to everyone.
WriteResult WriteCopy(const std::string& path, std::string_view bytes, std::optional<unsigned> mode,
                      std::string& copyPath) {
    struct stat old {};
    const bool replacing = ::stat(path.c_str(), &old) == 0;
    const mode_t keep = mode        ? static_cast<mode_t>(*mode & 07777)
                        : replacing ? (old.st_mode & 07777)
                                    : 0666;
    constexpr int kTries = 100;
    int fd = -1;
    for (int i = 0; i < kTries && fd < 0; ++i) {
        copyPath = CopyPathOf(path);
        fd = ::open(copyPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                    mode ? 0600 : keep);
        if (fd < 0 && errno != EEXIST) {
            return {false, ErrorText(errno)};
        }
    }
    if (fd < 0) {
        return {false, ErrorText(EEXIST)};
    }
    // The umask may have taken bits the old file had; it gets them back. Where the file system
    // keeps no permissions this fails, and the copy is written anyway, unless the mode was
    // asked for: then a copy without it is refused.
    if ((mode || replacing) && ::fchmod(fd, keep) != 0 && mode) {
        const int error = errno;
        ::close(fd);
        return {false, ErrorText(error)};
    }
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            const int error = put < 0 ? errno : ENOSPC;
            ::close(fd);
            return {false, ErrorText(error)};
        }
        done += static_cast<std::size_t>(put);
    }
    // On disk before it takes the old file's place, so a machine that goes down right after
    // the rename does not bring back an empty file.
    if (::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        return {false, ErrorText(error)};
    }
    if (::close(fd) != 0) {
        return {false, ErrorText(errno)};
    }
    return {};
}

#else

WriteResult WriteCopy(const std::string& path, std::string_view bytes, std::optional<unsigned>,
                      std::string& copyPath) {
    std::error_code error;
    const fs::file_status old = fs::status(path, error);
    constexpr int kTries = 100;
    std::FILE* file = nullptr;
    for (int i = 0; i < kTries && file == nullptr; ++i) {
        copyPath = CopyPathOf(path);
        // "x": only where no file is, as O_EXCL.
        file = std::fopen(copyPath.c_str(), "wbx");
        if (file == nullptr && !fs::exists(copyPath, error)) {
            return {false, ErrorText(errno)};
        }
    }
    if (file == nullptr) {
        return {false, ErrorText(EEXIST)};
    }
    const bool written =
        std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0;
    const int writeError = errno;
    if (std::fclose(file) != 0 || !written) {
        return {false, ErrorText(written ? errno : writeError)};
    }
    if (fs::exists(old)) {
        fs::permissions(copyPath, old.permissions(), error);
    }
    return {};
}

#endif

}  // namespace

WriteResult ReplaceFile(const std::string& path, std::string_view bytes,
                        std::optional<unsigned> mode) {
    std::string copyPath;
    WriteResult result = WriteCopy(path, bytes, mode, copyPath);
    std::error_code error;
    if (result.ok) {
        if (const auto& hook = StepHook()) {
            hook(path);
        }
        // A rename over the old file swaps the two in one step; removing the old one first
        // would leave no file at all to a process killed in between.
        fs::rename(copyPath, path, error);
        if (!error) {
            return result;
        }
        result = {false, error.message()};
    }
    if (!copyPath.empty()) {
        std::error_code ignored;
        fs::remove(copyPath, ignored);
    }
    return result;
}

void AtWriteStep(std::string_view path) {
    if (const auto& hook = StepHook()) {
        hook(path);
    }
}

void SetWriteStepHook(std::function<void(std::string_view file)> hook) {
    StepHook() = std::move(hook);
}

std::optional<std::string_view> UnfinishedWriteTarget(std::string_view entry) {
    const std::size_t markerAt =
        entry.size() - std::min(entry.size(), kRandomChars + kSaveMarker.size());
    if (entry.size() < 2 + kSaveMarker.size() + kRandomChars || entry.front() != '.' ||
        entry.substr(markerAt, kSaveMarker.size()) != kSaveMarker ||
        entry.substr(markerAt + kSaveMarker.size()).find_first_not_of(kRandomAlphabet) !=
            std::string_view::npos) {
        return std::nullopt;
    }
    return entry.substr(1, markerAt - 1);
}

bool IsUnfinishedWriteOf(std::string_view entry, std::string_view file) {
    return UnfinishedWriteTarget(entry) == file;
}

int RemoveUnfinishedWrites(const std::string& folder,
                           const std::function<bool(std::string_view file)>& ours) {
    int removed = 0;
    std::error_code error;
    // A missing or unlistable folder has nothing to clean.
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        const auto target = UnfinishedWriteTarget(name);
        std::error_code ignored;
        // Plain files only: a link in a copy's name is no copy of ours, and is never followed.
        if (target && ours(*target) &&
            entry->symlink_status(ignored).type() == fs::file_type::regular &&
            fs::remove(entry->path(), ignored)) {
            ++removed;
        }
    }
    return removed;
}

}  // namespace formats
