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

std::optional<LoginCount> ParseLoginCount(const std::vector<std::string>& lines) {
    std::optional<int> wrong;
    std::optional<long long> last;
    for (const std::string_view line : lines) {
        if (line.starts_with(kWrongName)) {
            wrong = ParseCount(line.substr(kWrongName.size()));
        } else if (line.starts_with(kLastName)) {
            last = ParseMoment(line.substr(kLastName.size()));
        } else if (!line.empty()) {
            return std::nullopt;
        }
    }
    if (!wrong || !last) {
        return std::nullopt;
    }
    return LoginCount{*wrong, *last};
}

}  // namespace formats
