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

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kSignature = "\x89PNG\r\n\x1a\n";

fs::path FolderOf(const DataFiles& files) {
    return fs::path(files.PathOf(kFolder));
}

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
    const fs::path path = FolderOf(files) / FileNameOf(address);
    std::error_code error;
    if (!fs::is_regular_file(path, error) || fs::file_size(path, error) > kMaxBytes || error) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad() || bytes.size() > kMaxBytes || !bytes.starts_with(kSignature)) {
        return std::nullopt;
    }
    return bytes;
}

WriteResult Write(const DataFiles& files, std::string_view address, std::string_view png) {
    if (png.size() > kMaxBytes || (!png.empty() && !png.starts_with(kSignature))) {
        return {false, "no PNG picture of at most 64 KB"};
    }
    std::error_code error;
    fs::create_directories(FolderOf(files), error);
    if (error) {
        return {false, error.message()};
    }
    return WriteAllBytes((FolderOf(files) / FileNameOf(address)).string(), png);
}

bool Stored(const DataFiles& files, std::string_view address) {
    std::error_code error;
    return fs::exists(FolderOf(files) / FileNameOf(address), error);
}

WriteResult Remove(const DataFiles& files, std::string_view address) {
    std::error_code error;
    fs::remove(FolderOf(files) / FileNameOf(address), error);
    return error ? WriteResult{false, error.message()} : WriteResult{};
}

void KeepOnly(const DataFiles& files, const std::vector<std::string>& addresses) {
    std::set<std::string> kept;
    for (const auto& address : addresses) {
        kept.insert(FileNameOf(address));
    }
    std::error_code error;
    for (fs::directory_iterator entry(FolderOf(files), error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code ignored;
        if (entry->is_regular_file(ignored) && !kept.contains(entry->path().filename().string())) {
            fs::remove(entry->path(), ignored);
        }
    }
}

}  // namespace storage::pictures
