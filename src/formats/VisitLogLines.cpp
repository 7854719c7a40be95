#include "formats/VisitLogLines.h"

#include <algorithm>

namespace formats::visitlog {

namespace {

bool IsControl(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F;
}

bool IsAddress(std::string_view text) {
    return !text.empty() &&
           std::none_of(text.begin(), text.end(), [](char c) { return c == ' ' || IsControl(c); });
}

// The clock's date or time in the user's own format: short, with no control character.
bool IsStamp(std::string_view text) {
    constexpr std::size_t kLongestStamp = 40;
    return !text.empty() && text.size() <= kLongestStamp &&
           std::none_of(text.begin(), text.end(), IsControl);
}

}  // namespace

bool IsLine(std::string_view line) {
    if (line.size() > kMaxLineBytes) {
        return false;
    }
    if (line == kRunSeparator) {
        return true;
    }
    const auto date = line.find(kDateWord);
    if (date == std::string_view::npos) {
        return IsAddress(line);
    }
    const auto stamp = line.substr(date + kDateWord.size());
    const auto time = stamp.rfind(kTimeWord);
    return IsAddress(line.substr(0, date)) && time != std::string_view::npos &&
           IsStamp(stamp.substr(0, time)) && IsStamp(stamp.substr(time + kTimeWord.size()));
}

std::string Acceptable(std::string_view line) {
    if (IsLine(line)) {
        return std::string(line);
    }
    std::string_view address = line;
    std::string_view stamp;
    if (const auto date = line.find(kDateWord); date != std::string_view::npos) {
        const auto rest = line.substr(date + kDateWord.size());
        const auto time = rest.rfind(kTimeWord);
        if (time != std::string_view::npos && IsStamp(rest.substr(0, time)) &&
            IsStamp(rest.substr(time + kTimeWord.size()))) {
            address = line.substr(0, date);
            stamp = line.substr(date);
        }
    }
    constexpr std::string_view kHex = "0123456789ABCDEF";
    std::string escaped;
    for (const char c : address) {
        if (c == ' ' || IsControl(c)) {
            const auto u = static_cast<unsigned char>(c);
            escaped += '%';
            escaped += kHex[u >> 4];
            escaped += kHex[u & 0xF];
        } else {
            escaped += c;
        }
    }
    const std::size_t room = kMaxLineBytes - std::min(kMaxLineBytes, stamp.size());
    if (escaped.size() > room) {
        escaped.resize(room);
        // A cut through an escape would leave a "%" or "%2" that means something else.
        if (const auto percent = escaped.rfind('%', escaped.size() - 1);
            percent != std::string::npos && escaped.size() - percent < 3) {
            escaped.resize(percent);
        }
    }
    std::string acceptable = escaped + std::string(stamp);
    return IsLine(acceptable) ? acceptable : std::string();
}

}  // namespace formats::visitlog
