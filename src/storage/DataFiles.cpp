#include "storage/DataFiles.h"

#include <filesystem>
#include <system_error>

#include "storage/DataPath.h"

namespace storage {

DataFiles::DataFiles(std::string folder) : path_(DataPath(folder)) {}

std::string DataFiles::PathOf(const std::string& name) const {
    return path_ + name;
}

std::optional<std::vector<std::string>> DataFiles::Read(const std::string& name) const {
    if (onRead_) {
        onRead_(name);
    }
    return ReadAllLines(PathOf(name));
}

WriteResult DataFiles::Write(const std::string& name, const std::vector<std::string>& lines) const {
    if (onWrite_) {
        onWrite_(name);
    }
    return WriteAllLines(PathOf(name), lines);
}

int DataFiles::RemoveUnfinishedWrites() const {
    namespace fs = std::filesystem;
    static constexpr const char* kNames[] = {
        files::kSites,    files::kBlockedWords, files::kVisitLog, files::kStartPage,
        files::kLanguage, files::kPassword,     files::kUserName, files::kSettings,
        files::kUsedTime, files::kLoginTries};
    int removed = 0;
    std::error_code error;
    // A missing or unlistable folder has nothing to clean; the reads after this report nothing
    // either, as at any start with missing files.
    for (fs::directory_iterator entry(path_, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        for (const char* file : kNames) {
            std::error_code ignored;
            if (IsUnfinishedWriteOf(name, file) && entry->is_regular_file(ignored) &&
                fs::remove(entry->path(), ignored)) {
                ++removed;
            }
        }
    }
    return removed;
}

}  // namespace storage
