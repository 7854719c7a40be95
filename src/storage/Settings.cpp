#include "storage/Settings.h"

#include <algorithm>

#include "storage/DataPath.h"

namespace storage {

std::optional<int> ParseClockTime(std::string_view text) {
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon < 1 || colon > 2 || text.size() != colon + 3) {
        return std::nullopt;
    }
    const auto hours = ParseBoundedNumber(text.substr(0, colon), 0, 24);
    const auto minutes = ParseBoundedNumber(text.substr(colon + 1), 0, 59);
    if (!hours || !minutes || (*hours == 24 && *minutes != 0)) {
        return std::nullopt;
    }
    return static_cast<int>(*hours * 60 + *minutes);
}

std::string ClockTimeText(int minutes) {
    const int m = std::clamp(minutes, 0, kMaxMinutesPerDay);
    const std::string hours = std::to_string(m / 60);
    const std::string rest = std::to_string(m % 60);
    return (hours.size() < 2 ? "0" : "") + hours + ":" + (rest.size() < 2 ? "0" : "") + rest;
}

Settings Settings::Load(const DataFiles& files) {
    auto lines = files.Read(files::kSettings);
    Settings settings(NameValueLines(lines ? std::move(*lines) : std::vector<std::string>{}));
    settings.found_ = lines.has_value();
    return settings;
}

WriteResult Settings::Save(const DataFiles& files) const {
    return files.Write(files::kSettings, lines_.Lines());
}

bool Settings::AllowedSitesOnly() const {
    return lines_.Get(kAllowedSitesOnly) == "1";
}

void Settings::SetAllowedSitesOnly(bool on) {
    lines_.Set(kAllowedSitesOnly, on ? "1" : "0");
}

bool Settings::SitePictures() const {
    return lines_.Get(kSitePictures) == "1";
}

void Settings::SetSitePictures(bool on) {
    lines_.Set(kSitePictures, on ? "1" : "0");
}

bool Settings::ReadAloud() const {
    return lines_.Get(kReadAloud) == "1";
}

void Settings::SetReadAloud(bool on) {
    lines_.Set(kReadAloud, on ? "1" : "0");
}

std::optional<int> Settings::MinutesPerDay(int weekday) const {
    if (weekday < 0 || weekday >= 7) {
        return std::nullopt;
    }
    const auto value = lines_.Get(kMinutesPerDay[weekday]);
    if (!value) {
        return std::nullopt;
    }
    const auto minutes = ParseBoundedNumber(*value, 0, kMaxMinutesPerDay);
    return minutes ? std::optional<int>(static_cast<int>(*minutes)) : std::nullopt;
}

void Settings::SetMinutesPerDay(int weekday, std::optional<int> minutes) {
    if (weekday < 0 || weekday >= 7) {
        return;
    }
    if (minutes) {
        lines_.Set(kMinutesPerDay[weekday],
                   std::to_string(std::clamp(*minutes, 0, kMaxMinutesPerDay)));
    } else {
        lines_.Remove(kMinutesPerDay[weekday]);
    }
}

WeekMinutes Settings::Week() const {
    WeekMinutes week;
    for (int day = 0; day < 7; ++day) {
        week[day] = MinutesPerDay(day);
    }
    return week;
}

namespace {

std::optional<int> ClockSetting(const NameValueLines& lines, const char* name) {
    const auto value = lines.Get(name);
    return value ? ParseClockTime(*value) : std::nullopt;
}

void SetClockSetting(NameValueLines& lines, const char* name, std::optional<int> minutes) {
    if (minutes) {
        lines.Set(name, ClockTimeText(*minutes));
    } else {
        lines.Remove(name);
    }
}

}  // namespace

DayWindow Settings::WindowPerDay(int weekday) const {
    if (weekday < 0 || weekday >= 7) {
        return {};
    }
    return {ClockSetting(lines_, kFromPerDay[weekday]),
            ClockSetting(lines_, kUntilPerDay[weekday])};
}

void Settings::SetWindowPerDay(int weekday, const DayWindow& window) {
    if (weekday < 0 || weekday >= 7) {
        return;
    }
    SetClockSetting(lines_, kFromPerDay[weekday], window.from);
    SetClockSetting(lines_, kUntilPerDay[weekday], window.until);
}

}  // namespace storage
