#include "storage/DataFiles.h"

#include <algorithm>

#include "formats/Requests.h"
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

WriteResult DataFiles::Append(const std::string& name,
                              const std::vector<std::string>& lines) const {
    Told(onWrite_, name);
    if (name != files::kVisitLog) {
        return {false, "only the visit log is added to"};
    }
    return AppendLog(lines);
}

WriteResult DataFiles::AppendLog(const std::vector<std::string>& lines) const {
    return AppendLines(PathOf(files::kVisitLog), lines);
}

WriteResult DataFiles::AddRequest(const std::string& address) const {
    auto lines = Read(files::kRequests);
    auto list = formats::requests::Parse(lines.value_or(std::vector<std::string>{}));
    switch (formats::requests::Add(list, address)) {
        case formats::requests::Added::Added:
            return Write(files::kRequests, list);
        case formats::requests::Added::AlreadyThere:
            return {};
        case formats::requests::Added::Full:
            return {false, "the list of requests is full"};
        case formats::requests::Added::NotAnAddress:
            break;
    }
    return {false, "not an address"};
}

int DataFiles::RemoveUnfinishedWrites() const {
    return formats::RemoveUnfinishedWrites(path_, [](std::string_view file) {
        return std::find_if(files::kAll.begin(), files::kAll.end(),
                            [&](const char* name) { return file == name; }) != files::kAll.end();
    });
}

}  // namespace storage
