#include "storage/Settings.h"

#include <algorithm>

#include "storage/DataPath.h"

namespace storage {

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

}  // namespace storage
