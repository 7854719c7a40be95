#include "storage/Settings.h"

#include <algorithm>

#include "basics/TextEncoding.h"
#include "storage/DataPath.h"

namespace storage {

namespace {

struct Split {
    std::string name;
    std::string value;
};

// A line without `=`, or with nothing before it, is no setting.
std::optional<Split> SplitLine(std::string_view line) {
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
        return std::nullopt;
    }
    Split split{basics::TrimSpaces(line.substr(0, eq)), basics::TrimSpaces(line.substr(eq + 1))};
    if (split.name.empty()) {
        return std::nullopt;
    }
    return split;
}

}  // namespace

std::optional<std::string> NameValueLines::Get(std::string_view name) const {
    std::optional<std::string> value;
    for (const auto& line : lines_) {
        if (auto split = SplitLine(line); split && split->name == name) {
            value = std::move(split->value);
        }
    }
    return value;
}

void NameValueLines::Set(std::string_view name, std::string_view value) {
    const std::string line = std::string(name) + "=" + std::string(value);
    bool found = false;
    for (auto& existing : lines_) {
        if (auto split = SplitLine(existing); split && split->name == name) {
            existing = line;
            found = true;
        }
    }
    if (!found) {
        lines_.push_back(line);
    }
}

void NameValueLines::Remove(std::string_view name) {
    std::erase_if(lines_, [&](const std::string& line) {
        const auto split = SplitLine(line);
        return split && split->name == name;
    });
}

std::optional<long long> ParseBoundedNumber(std::string_view text, long long min, long long max) {
    // More digits than this cannot be in range and would overflow.
    if (text.empty() || text.size() > 18) {
        return std::nullopt;
    }
    long long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    if (value < min || value > max) {
        return std::nullopt;
    }
    return value;
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
