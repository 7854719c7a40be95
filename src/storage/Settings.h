#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/DataFiles.h"

namespace storage {

// Lines of `name=value`, as "instellingen.txt" and "tijdgebruik.txt" hold them. Every line is
// kept as it stands, so a rewrite keeps names this version does not know, their order, and lines
// that are no setting at all. Names are compared exactly; spaces around a name or a value are
// not part of it. When a name occurs more than once, the last line wins.
class NameValueLines {
public:
    NameValueLines() = default;
    explicit NameValueLines(std::vector<std::string> lines) : lines_(std::move(lines)) {}

    std::optional<std::string> Get(std::string_view name) const;
    // Replaces the value on every line of that name, or adds a line at the end.
    void Set(std::string_view name, std::string_view value);
    // Removes every line of that name.
    void Remove(std::string_view name);

    const std::vector<std::string>& Lines() const { return lines_; }

private:
    std::vector<std::string> lines_;
};

// Minutes per day for each day of the week, Monday first; nothing means no limit that day.
using WeekMinutes = std::array<std::optional<int>, 7>;

inline constexpr int kMaxMinutesPerDay = 1440;

// The settings beyond the seven original files. A missing or unreadable file, a missing name
// and a value that cannot be read all mean the default, which is how the program behaved before
// the setting existed.
class Settings {
public:
    static constexpr const char* kAllowedSitesOnly = "alleentoegestaan";
    static constexpr const char* kSitePictures = "plaatjes";
    // The names of the daily limits, Monday first.
    static constexpr std::array<const char*, 7> kMinutesPerDay = {
        "minutenmaandag", "minutendinsdag",  "minutenwoensdag", "minutendonderdag",
        "minutenvrijdag", "minutenzaterdag", "minutenzondag"};

    Settings() = default;
    explicit Settings(NameValueLines lines) : lines_(std::move(lines)) {}

    static Settings Load(const DataFiles& files);
    // Whether Load found the file: without it the features it holds settings for stay as they
    // were before them.
    bool Found() const { return found_; }
    WriteResult Save(const DataFiles& files) const;

    // `1` on, `0` (or anything else) off; off by default.
    bool AllowedSitesOnly() const;
    void SetAllowedSitesOnly(bool on);
    // Pictures on the site buttons: `1` on, anything else off; off by default, so an older
    // installation looks as it did until a parent turns them on.
    bool SitePictures() const;
    void SetSitePictures(bool on);

    // Whole minutes from 0 to 1440; an empty or other value is no limit. `weekday` is 0 for
    // Monday to 6 for Sunday. Setting nothing removes the line; a number out of range is
    // brought into it.
    std::optional<int> MinutesPerDay(int weekday) const;
    void SetMinutesPerDay(int weekday, std::optional<int> minutes);
    WeekMinutes Week() const;

    const NameValueLines& Lines() const { return lines_; }

private:
    NameValueLines lines_;
    bool found_ = false;
};

// A whole number from `min` to `max` written with digits only; nothing otherwise.
std::optional<long long> ParseBoundedNumber(std::string_view text, long long min, long long max);

}  // namespace storage
