#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

// A folder of its own for one test's data files, removed afterwards.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Path() const { return path_.string(); }
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    void Put(const std::string& name, const std::string& bytes) const;
    std::string Get(const std::string& name) const;

private:
    std::filesystem::path path_;
};

}  // namespace testsupport
