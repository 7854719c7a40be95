#include "storage/DataFiles.h"

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

}  // namespace storage
