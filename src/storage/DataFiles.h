#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "storage/LineFile.h"

namespace storage {

// The data folder and the reads and writes of its files, by file name.
class DataFiles {
public:
    explicit DataFiles(std::string folder);

    // The data path followed by the file name.
    std::string PathOf(const std::string& name) const;

    std::optional<std::vector<std::string>> Read(const std::string& name) const;
    WriteResult Write(const std::string& name, const std::vector<std::string>& lines) const;

    // Removes what a write cut short (the process killed, the machine down) left beside the data
    // files: a half-written copy that never replaced its file. Returns how many were removed;
    // one that cannot be removed stays, and is never read, as reads take only the exact names.
    // Only names of IsUnfinishedWriteOf's form go: the copies an earlier version left, named
    // like a parent's own "wordsBackup", stay, as there is no telling the two apart.
    int RemoveUnfinishedWrites() const;

    // Called with the file name before every read or write; lets a caller follow which files
    // are used, in which order.
    void OnRead(std::function<void(const std::string&)> observer) { onRead_ = std::move(observer); }
    void OnWrite(std::function<void(const std::string&)> observer) {
        onWrite_ = std::move(observer);
    }

private:
    std::string path_;
    std::function<void(const std::string&)> onRead_;
    std::function<void(const std::string&)> onWrite_;
};

}  // namespace storage
