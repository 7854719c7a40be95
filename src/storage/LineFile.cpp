#include "storage/LineFile.h"

#include <wx/file.h>
#include <wx/filefn.h>
#include <wx/log.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "storage/TextEncoding.h"

namespace storage {

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) {
        lines.emplace_back(text.substr(start));
    }
    return lines;
}

std::optional<std::vector<std::string>> ReadAllLines(const std::string& path) {
    // A folder, a device or a pipe in a data file's place is no data file.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    try {
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            return std::nullopt;
        }
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad()) {
            return std::nullopt;
        }
        return SplitLines(DecodeFileText(bytes));
    } catch (const std::exception&) {
        return std::nullopt;  // a read error part-way is an unreadable file, not half a list
    }
}

namespace {

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
    // The reason goes into our own message; the toolkit's log would show a second one.
    wxLogNull quiet;
    const wxString file = wxString::FromUTF8(path);
    wxTempFile temp;
    if (!temp.Open(file)) {
        return {false, LastSystemError()};
    }
    if (!temp.Write(content.data(), content.size())) {
        const std::string reason = LastSystemError();
        temp.Discard();
        return {false, reason};
    }
    // On disk before it takes the old file's place, so a machine that goes down right after
    // the rename does not bring back an empty file.
    if (!temp.Flush()) {
        const std::string reason = LastSystemError();
        temp.Discard();
        return {false, reason};
    }
    if (!temp.Commit()) {
        // wxTempFile keeps its copy when the rename fails (a folder in the file's place); it
        // would lie beside the data files until the next start.
        const std::string reason = LastSystemError();
        temp.Discard();
        return {false, reason};
    }
    return {};
}

bool IsUnfinishedWriteOf(std::string_view entry, std::string_view file) {
    // wxTempFile makes the name with mkstemp: the target's name without its extension and six
    // random characters ("words.txt" gives "wordsA1b2C3").
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
