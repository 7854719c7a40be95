#include "storage/SitePictures.h"

#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "basics/TextEncoding.h"
#include "storage/LineFile.h"

namespace storage::pictures {

namespace {

constexpr std::string_view kSignature = "\x89PNG\r\n\x1a\n";

}  // namespace

std::string FileNameOf(std::string_view address) {
    const std::string trimmed = basics::TrimSpaces(address);
    // Readable for a parent looking into the folder, and told apart by a checksum of the whole
    // address (64-bit FNV-1a), since the readable part drops what a file name cannot hold.
    std::string readable;
    for (const char c : trimmed) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x80 && std::isalnum(u)) {
            readable += static_cast<char>(std::tolower(u));
        } else if (!readable.empty() && readable.back() != '-') {
            readable += '-';
        }
        if (readable.size() >= 40) {
            break;
        }
    }
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : trimmed) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    static constexpr char kHex[] = "0123456789abcdef";
    std::string name = readable.empty() || readable.back() == '-' ? readable : readable + "-";
    for (int shift = 60; shift >= 0; shift -= 4) {
        name += kHex[(hash >> shift) & 0xF];
    }
    return name + ".png";
}

std::optional<std::string> Read(const DataFiles& files, std::string_view address) {
    auto bytes = files.ReadPicture(FileNameOf(address));
    if (!bytes || bytes->size() > kMaxBytes || !bytes->starts_with(kSignature)) {
        return std::nullopt;
    }
    return bytes;
}

bool Acceptable(std::string_view png) {
    return png.size() <= kMaxBytes && (png.empty() || png.starts_with(kSignature));
}

WriteResult Write(const DataFiles& files, std::string_view address, std::string_view png) {
    if (!Acceptable(png)) {
        return {false, "no PNG picture of at most 64 KB"};
    }
    return files.WritePicture(FileNameOf(address), png, true);
}

WriteResult Add(const DataFiles& files, std::string_view address, std::string_view png) {
    if (png.empty() || !Acceptable(png)) {
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
