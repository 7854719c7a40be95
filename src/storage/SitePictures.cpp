#include "storage/SitePictures.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "storage/LineFile.h"

namespace storage::pictures {

std::optional<std::string> Read(const DataFiles& files, std::string_view address) {
    auto bytes = files.ReadPicture(FileNameOf(address));
    if (!bytes || !formats::pictures::IsAcceptable(*bytes, false)) {
        return std::nullopt;
    }
    return bytes;
}

WriteResult Write(const DataFiles& files, std::string_view address, std::string_view png) {
    if (!formats::pictures::IsAcceptable(png, true)) {
        return {false, "no PNG picture of at most 64 KB"};
    }
    return files.WritePicture(FileNameOf(address), png, true);
}

WriteResult Add(const DataFiles& files, std::string_view address, std::string_view png) {
    if (!formats::pictures::IsAcceptable(png, false)) {
        return {false, "no PNG picture of at most 64 KB"};
    }
    return files.WritePicture(FileNameOf(address), png, false);
}

bool Stored(const DataFiles& files, std::string_view address) {
    return files.ReadPicture(FileNameOf(address)).has_value();
}

void KeepOnly(const DataFiles& files, const std::vector<std::string>& addresses) {
    std::vector<std::string> kept;
    for (const auto& address : addresses) {
        kept.push_back(FileNameOf(address));
    }
    files.KeepPictures(kept);
}

}  // namespace storage::pictures

namespace storage {

namespace fs = std::filesystem;

std::optional<std::string> DataFiles::ReadPicture(const std::string& fileName) const {
    const fs::path path = fs::path(PathOf(pictures::kFolder)) / fileName;
    std::error_code error;
    if (!fs::is_regular_file(path, error) || fs::file_size(path, error) > pictures::kMaxBytes ||
        error) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return std::nullopt;
    }
    return bytes;
}

WriteResult DataFiles::WritePicture(const std::string& fileName, std::string_view bytes,
                                    bool replace) const {
    const fs::path folder(PathOf(pictures::kFolder));
    std::error_code error;
    if (!replace && fs::exists(folder / fileName, error)) {
        return {false, "the site has a picture already"};
    }
    fs::create_directories(folder, error);
    if (error) {
        return {false, error.message()};
    }
    return WriteAllBytes((folder / fileName).string(), bytes);
}

void DataFiles::KeepPictures(const std::vector<std::string>& fileNames) const {
    const std::set<std::string> kept(fileNames.begin(), fileNames.end());
    std::error_code error;
    for (fs::directory_iterator entry(PathOf(pictures::kFolder), error), end;
         !error && entry != end; entry.increment(error)) {
        std::error_code ignored;
        if (entry->is_regular_file(ignored) && !kept.contains(entry->path().filename().string())) {
            fs::remove(entry->path(), ignored);
        }
    }
}

}  // namespace storage
