#include "storage/LineFile.h"

#include <wx/file.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/log.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#ifdef __unix__
#include <sys/stat.h>
#endif

#include "basics/TextEncoding.h"

namespace storage {

namespace {

// What a new file gets from the process's umask.
std::filesystem::perms DefaultFilePerms() {
#ifdef __unix__
    const mode_t mask = umask(0);
    umask(mask);
    return static_cast<std::filesystem::perms>(0666 & ~mask);
#else
    return std::filesystem::perms::owner_read | std::filesystem::perms::owner_write;
#endif
}

std::string LastSystemError() {
    const unsigned long code = wxSysErrorCode();
    return code == 0 ? std::string("unknown error") : wxSysErrorMsgStr(code).utf8_string();
}

}  // namespace

WriteResult WriteAllLines(const std::string& path, const std::vector<std::string>& lines) {
    namespace fs = std::filesystem;
    std::string content;
    for (const auto& line : lines) {
        content += line;
        content += "\r\n";
    }
    // The reason goes into our own message; the toolkit's log would show a second one.
    wxLogNull quiet;
    // Not wxTempFile's Commit: it deletes the old file before renaming the new one into place,
    // so a process killed in between leaves no file at all. A rename over the old file swaps
    // the two in one step.
    wxFile temp;
    const std::string tempPath =
        wxFileName::CreateTempFileName(wxString::FromUTF8(path), &temp).utf8_string();
    if (tempPath.empty()) {
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
    std::error_code error;
    // The copy is made private to its owner; the file keeps the permissions it had.
    const fs::file_status old = fs::status(path, error);
    const fs::perms perms = fs::exists(old) ? old.permissions() : DefaultFilePerms();
    fs::permissions(tempPath, perms, error);
    fs::rename(tempPath, path, error);
    if (error) {
        return fail(error.message());
    }
    return {};
}

bool IsUnfinishedWriteOf(std::string_view entry, std::string_view file) {
    // wxFileName::CreateTempFileName makes the name with mkstemp: the target's name without
    // its extension and six random characters ("words.txt" gives "wordsA1b2C3").
    constexpr size_t kRandomChars = 6;
    const std::string_view stem = file.substr(0, file.rfind('.'));
    if (entry.size() != stem.size() + kRandomChars || !entry.starts_with(stem)) {
        return false;
    }
    for (const char c : entry.substr(stem.size())) {
        const bool alnum =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!alnum) {
            return false;
        }
    }
    return true;
}

}  // namespace storage
