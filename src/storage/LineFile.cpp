#include "storage/LineFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace storage {

WriteResult WriteAllLines(const std::string& path, const std::vector<std::string>& lines) {
    return formats::ReplaceFile(path, formats::CrLfText(lines));
}

WriteResult WriteAllBytes(const std::string& path, std::string_view content) {
    return formats::ReplaceFile(path, content);
}

WriteResult AppendLines(const std::string& path, const std::vector<std::string>& lines) {
    const std::string bytes = formats::CrLfText(lines);
    const int fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        return {false, std::strerror(errno)};
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return {false, "not a file"};
    }
    formats::AtWriteStep(path);
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    const int error = errno;
    const bool whole = written == static_cast<ssize_t>(bytes.size()) && fsync(fd) == 0;
    close(fd);
    if (!whole) {
        return {false, written < 0 ? std::strerror(error) : "the disk took only part of it"};
    }
    return {};
}

}  // namespace storage
