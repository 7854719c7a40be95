#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace testsupport {

inline const std::vector<std::string> kDataFiles = {
    "adressen.txt",       "words.txt",      "bezochtesites.txt", "startpagina.txt",
    "languagechoose.txt", "paswoordNr.txt", "paswoordNaam.txt"};

inline std::string CrLf(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        bytes += line + "\r\n";
    }
    return bytes;
}

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Everything in a folder, by name: what kind of entry, its permission bits and its bytes, so
// two moments can be compared for any change at all.
struct Entry {
    char kind = '?';  // f file, d directory
    unsigned mode = 0;
    std::string bytes;
    bool operator==(const Entry&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const Entry& e) {
        return out << e.kind << " mode " << std::oct << e.mode << std::dec << ", " << e.bytes.size()
                   << " bytes";
    }
};
using Snapshot = std::map<std::string, Entry>;

inline Snapshot Snap(const std::filesystem::path& folder) {
    Snapshot snapshot;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        struct stat info {};
        lstat(entry.path().c_str(), &info);
        Entry e;
        e.kind = S_ISDIR(info.st_mode) ? 'd' : S_ISREG(info.st_mode) ? 'f' : '?';
        e.mode = info.st_mode & 07777;
        if (e.kind == 'f') {
            e.bytes = ReadBytes(entry.path());
        }
        snapshot[entry.path().filename().string()] = std::move(e);
    }
    return snapshot;
}

}  // namespace testsupport
