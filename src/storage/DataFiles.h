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
