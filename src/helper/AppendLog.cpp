#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "basics/CivilTime.h"
#include "formats/Files.h"
#include "formats/Lines.h"
#include "formats/NameValueLines.h"
#include "formats/Numbers.h"
#include "formats/VisitLogLines.h"
#include "helper/Commands.h"
#include "helper/Files.h"

namespace helper {

// "loggroei.txt": how many bytes the log grew by on which day, so a child running this by hand
// cannot fill the disk, while a parent's clearing of the log gives no day more.
constexpr const char* kGrowthDate = "datum";
constexpr const char* kGrowthBytes = "bytes";

// Reserves `bytes` of today's growth before they are written; stops when the day has no more.
void ReserveLogGrowth(const Request& request, std::size_t bytes) {
    const std::string today = basics::DateText(basics::LocalTimeFromSeconds(request.now).date);
    long long grown = 0;
    if (const auto stored = ReadFile(request.folder + formats::files::kLogGrowth)) {
        const formats::NameValueLines record(formats::DecodeLines(*stored));
        const auto counted =
            formats::ParseBoundedNumber(record.Get(kGrowthBytes).value_or(""), 0, kMaxLogPerDay);
        if (!counted) {
            Fail(kDamaged, std::string(formats::files::kLogGrowth) + " cannot be read");
        }
        grown = record.Get(kGrowthDate) == today ? *counted : 0;
    }
    if (grown + static_cast<long long>(bytes) > kMaxLogPerDay) {
        Fail(kTooMuch, "the visit log grew by as much as it may today");
    }
    formats::NameValueLines record;
    record.Set(kGrowthDate, today);
    record.Set(kGrowthBytes, std::to_string(grown + static_cast<long long>(bytes)));
    Replace(request.folder, formats::files::kLogGrowth, formats::CrLfText(record.Lines()));
}

void AppendLogCommand(Request& request) {
    const auto lines = formats::SplitLines(request.input);
    for (const auto& line : lines) {
        if (!formats::visitlog::IsLine(line)) {
            Fail(kDamaged, "not a line of the visit log: " + line.substr(0, 80));
        }
    }
    const std::string bytes = formats::CrLfText(lines);
    if (bytes.empty()) {
        return;
    }
    ReserveLogGrowth(request, bytes.size());
    const std::string path = request.folder + formats::files::kVisitLog;
    const int fd = open(path.c_str(),
                        O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0660);
    struct stat info {};
    if (fd < 0 || fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        if (fd >= 0) {
            close(fd);
        }
        Fail(kWriteFailed, "the visit log cannot be opened");
    }
    // Whole lines from every run, never interleaved: one write, under the folder's lock.
    const bool written =
        write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) &&
        fsync(fd) == 0;
    close(fd);
    if (!written) {
        Fail(kWriteFailed, "the visit log cannot be written");
    }
}

}  // namespace helper
