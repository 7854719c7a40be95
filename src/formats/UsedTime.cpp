#include "formats/UsedTime.h"

#include "formats/NameValueLines.h"
#include "formats/Numbers.h"

namespace formats {

namespace {
constexpr const char* kDate = "datum";
constexpr const char* kTime = "tijd";
constexpr const char* kSeconds = "seconden";
constexpr const char* kExtra = "extraminuten";
}  // namespace

std::optional<UsedTime> ParseUsedTime(const std::vector<std::string>& lines) {
    const NameValueLines values(lines);
    const auto date = basics::ParseDate(values.Get(kDate).value_or(""));
    const auto time = basics::ParseTimeOfDay(values.Get(kTime).value_or(""));
    const auto seconds = ParseBoundedNumber(values.Get(kSeconds).value_or(""), 0, kMaxUsedSeconds);
    const auto extra = ParseBoundedNumber(values.Get(kExtra).value_or(""), 0, kMaxExtraMinutes);
    if (!date || !time || !seconds || !extra) {
        return std::nullopt;
    }
    return UsedTime{{*date, *time}, *seconds, static_cast<int>(*extra)};
}

std::vector<std::string> UsedTimeLines(const UsedTime& used) {
    return {std::string(kDate) + "=" + basics::DateText(used.lastSeen.date),
            std::string(kTime) + "=" + basics::TimeOfDayText(used.lastSeen.secondsOfDay),
            std::string(kSeconds) + "=" + std::to_string(used.secondsUsed),
            std::string(kExtra) + "=" + std::to_string(used.extraMinutes)};
}

}  // namespace formats
