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

}  // namespace formats::visitlog
