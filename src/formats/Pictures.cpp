#include "formats/Pictures.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

#include "basics/TextEncoding.h"

namespace formats::pictures {

namespace {
// The readable part is cut at this length; the checksum after it takes 16.
constexpr std::size_t kReadableChars = 40;
constexpr std::size_t kHashChars = 16;
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
        if (readable.size() >= kReadableChars) {
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

bool IsFileName(std::string_view name) {
    constexpr std::string_view kExtension = ".png";
    // The longest FileNameOf gives: the readable part, its "-", the checksum and ".png".
    constexpr std::size_t kLongest = kReadableChars + 1 + kHashChars + kExtension.size();
    if (name.size() <= kExtension.size() || name.size() > kLongest || !name.ends_with(kExtension) ||
        name.front() == '-') {
        return false;
    }
    const auto stem = name.substr(0, name.size() - kExtension.size());
    return std::all_of(stem.begin(), stem.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
    });
}

bool IsAcceptable(std::string_view bytes, bool noneAllowed) {
    if (bytes.empty()) {
        return noneAllowed;
    }
    return bytes.size() <= kMaxBytes && bytes.starts_with(kSignature);
}

}  // namespace formats::pictures
