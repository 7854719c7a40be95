#include "formats/LoginCount.h"

#include <charconv>
#include <string_view>

#include "basics/CivilTime.h"

namespace formats {

namespace {

constexpr std::string_view kWrongName = "fouten=";
constexpr std::string_view kLastName = "laatstefout=";

std::optional<int> ParseCount(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0 || text.empty() ||
        text.front() == '+') {
        return std::nullopt;
    }
    return value;
}

std::optional<long long> ParseMoment(std::string_view text) {
    const auto space = text.find(' ');
    if (space == std::string_view::npos) {
        return std::nullopt;
    }
    const auto date = basics::ParseDate(text.substr(0, space));
    const auto time = basics::ParseTimeOfDay(text.substr(space + 1));
    if (!date || !time) {
        return std::nullopt;
    }
    return basics::LocalSeconds({*date, *time});
}

}  // namespace

std::vector<std::string> LoginCountLines(const LoginCount& count) {
    const auto moment = basics::LocalTimeFromSeconds(count.lastWrong);
    return {std::string(kWrongName) + std::to_string(count.wrong),
            std::string(kLastName) + basics::DateText(moment.date) + " " +
                basics::TimeOfDayText(moment.secondsOfDay)};
}

namespace {

struct Read {
    std::optional<int> wrong;
    std::optional<long long> last;
};

std::optional<Read> ReadLines(const std::vector<std::string>& lines) {
    Read read;
    for (const std::string_view line : lines) {
        if (line.starts_with(kWrongName)) {
            read.wrong = ParseCount(line.substr(kWrongName.size()));
        } else if (line.starts_with(kLastName)) {
            read.last = ParseMoment(line.substr(kLastName.size()));
        } else if (!line.empty()) {
            return std::nullopt;
        }
    }
    return read;
}

}  // namespace

std::optional<LoginCount> ParseLoginCount(const std::vector<std::string>& lines) {
    const auto read = ReadLines(lines);
    if (!read || !read->wrong || !read->last) {
        return std::nullopt;
    }
    return LoginCount{*read->wrong, *read->last};
}

std::optional<int> ParseWrongTries(const std::vector<std::string>& lines) {
    const auto read = ReadLines(lines);
    return read ? read->wrong : std::nullopt;
}

}  // namespace formats
