#include "storage/LineFile.h"

#include <wx/file.h>
#include <wx/filefn.h>
#include <wx/log.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

#ifdef __unix__
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

#include "basics/TextEncoding.h"
#include "storage/WriteSteps.h"

namespace storage {

namespace {

namespace fs = std::filesystem;

// A save's copy is named ".words.txt.lanternwick-save-A1b2C3": hidden, the whole name of the
// file it replaces, the program's own word and six random letters or digits. A parent keeps
// copies of the lists beside them ("wordsBackup", "words.txt.bak"), and start-up removes what
// it takes for a killed save's copy, so the name must be one nobody types.
constexpr std::string_view kSaveMarker = ".lanternwick-save-";
constexpr size_t kRandomChars = 6;
constexpr std::string_view kRandomAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

std::string CopyPrefix(std::string_view file) {
    std::string prefix = ".";
    prefix += file;
    prefix += kSaveMarker;
    return prefix;
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
    std::string copy = path.substr(0, nameStart) + CopyPrefix(path.substr(nameStart));
    for (size_t i = 0; i < kRandomChars; ++i) {
        copy += kRandomAlphabet[pick(random)];
    }
    return copy;
}

// Creates the copy a write of `path` goes to, never opening a file that is already there (a
// second save at the same moment, or a link someone put in its place). It is never more open
// than the file it becomes: `keep`, the old file's permissions, or for a new file (`keep` is
// fs::perms::unknown) what the umask leaves of 0666, which the system applies itself. Asking
// for the umask with umask() sets it, for a moment, for the web engine's threads too, and a
// file one of them makes meanwhile would be open to everyone.
bool CreateCopy(const std::string& path, fs::perms keep, wxFile& file, std::string& copyPath) {
    constexpr int kTries = 100;
    for (int i = 0; i < kTries; ++i) {
        copyPath = CopyPathOf(path);
#ifdef __unix__
        const bool replacing = keep != fs::perms::unknown;
        const mode_t mode = replacing ? static_cast<mode_t>(keep & fs::perms::all) : 0666;
        const int fd = ::open(copyPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) {
            file.Attach(fd);
            // The umask may have taken bits the old file had; it gets them back. Where the
            // file system keeps no permissions this fails, and the copy is written anyway.
            if (replacing) {
                ::fchmod(fd, static_cast<mode_t>(keep & fs::perms::mask));
            }
            return true;
        }
        if (errno != EEXIST) {
            return false;
        }
#else
        if (file.Create(wxString::FromUTF8(copyPath), false, wxS_DEFAULT)) {
            return true;
        }
        if (!wxFileExists(wxString::FromUTF8(copyPath))) {
            return false;
        }
#endif
    }
    return false;
}

std::string LastSystemError() {
    const unsigned long code = wxSysErrorCode();
    return code == 0 ? std::string("unknown error") : wxSysErrorMsgStr(code).utf8_string();
}

}  // namespace

WriteResult WriteAllLines(const std::string& path, const std::vector<std::string>& lines) {
    std::string content;
    for (const auto& line : lines) {
        content += line;
        content += "\r\n";
    }
    return WriteAllBytes(path, content);
}

WriteResult WriteAllBytes(const std::string& path, std::string_view content) {
    // The reason goes into our own message; the toolkit's log would show a second one.
    wxLogNull quiet;
    std::error_code error;
    const fs::file_status old = fs::status(path, error);
    const fs::perms keep = fs::exists(old) ? old.permissions() : fs::perms::unknown;
    // Not wxTempFile's Commit: it deletes the old file before renaming the new one into place,
    // so a process killed in between leaves no file at all. A rename over the old file swaps
    // the two in one step.
    wxFile temp;
    std::string tempPath;
    if (!CreateCopy(path, keep, temp, tempPath)) {
        return {false, LastSystemError()};
    }
    auto fail = [&](std::string reason) {
        temp.Close();
        std::error_code ignored;
        fs::remove(tempPath, ignored);
        return WriteResult{false, std::move(reason)};
    };
    // On disk before it takes the old file's place, so a machine that goes down right after
    // the rename does not bring back an empty file.
    if (temp.Write(content.data(), content.size()) != content.size() || !temp.Flush()) {
        return fail(LastSystemError());
    }
    temp.Close();
#ifndef __unix__
    if (keep != fs::perms::unknown) {
        fs::permissions(tempPath, keep, error);
    }
#endif
    WriteStepReached(path);
    fs::rename(tempPath, path, error);
    if (error) {
        return fail(error.message());
    }
    return {};
}

bool IsUnfinishedWriteOf(std::string_view entry, std::string_view file) {
    const std::string prefix = CopyPrefix(file);
    return entry.size() == prefix.size() + kRandomChars && entry.starts_with(prefix) &&
           entry.substr(prefix.size()).find_first_not_of(kRandomAlphabet) == std::string::npos;
}

}  // namespace storage
