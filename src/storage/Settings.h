#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/NameValueLines.h"
#include "formats/Numbers.h"
#include "storage/DataFiles.h"

namespace storage {

// The settings' lines and their numbers are read as formats reads them, for the family install's
// helper reads them too.
using formats::NameValueLines;
using formats::ParseBoundedNumber;

// Minutes per day for each day of the week, Monday first; nothing means no limit that day.
using WeekMinutes = std::array<std::optional<int>, 7>;

inline constexpr int kMaxMinutesPerDay = 1440;

// When on a weekday the child may browse, as minutes after midnight. A missing "from" is
// midnight, a missing "until" the end of the day; an "until" before the "from" runs past
// midnight (22:00 to 07:00 leaves that day's 07:00 to 22:00 closed). Neither, or both the same,
// leaves the whole day open.
struct DayWindow {
    std::optional<int> from;
    std::optional<int> until;
    friend bool operator==(const DayWindow&, const DayWindow&) = default;
};
using WeekWindows = std::array<DayWindow, 7>;

// `H:MM` or `HH:MM` from 0:00 to 24:00, as minutes after midnight; nothing for any other text.
std::optional<int> ParseClockTime(std::string_view text);
std::string ClockTimeText(int minutes);

// The settings beyond the seven original files. A missing or unreadable file, a missing name
// and a value that cannot be read all mean the default, which is how the program behaved before
// the setting existed.
class Settings {
public:
    static constexpr const char* kAllowedSitesOnly = "alleentoegestaan";
    static constexpr const char* kSitePictures = "plaatjes";
    static constexpr const char* kReadAloud = "voorlezen";
    // The names of the daily limits, Monday first.
    static constexpr std::array<const char*, 7> kMinutesPerDay = {
        "minutenmaandag", "minutendinsdag",  "minutenwoensdag", "minutendonderdag",
        "minutenvrijdag", "minutenzaterdag", "minutenzondag"};
    // The times of day, Monday first.
    static constexpr std::array<const char*, 7> kFromPerDay = {
        "vanafmaandag", "vanafdinsdag",  "vanafwoensdag", "vanafdonderdag",
        "vanafvrijdag", "vanafzaterdag", "vanafzondag"};
    static constexpr std::array<const char*, 7> kUntilPerDay = {
        "totmaandag", "totdinsdag",  "totwoensdag", "totdonderdag",
        "totvrijdag", "totzaterdag", "totzondag"};

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
    // Site names and the program's pages read aloud: `1` on, anything else off; off by default,
    // so an older installation stays silent.
    bool ReadAloud() const;
    void SetReadAloud(bool on);

    // Whole minutes from 0 to 1440; an empty or other value is no limit. `weekday` is 0 for
    // Monday to 6 for Sunday. Setting nothing removes the line; a number out of range is
    // brought into it.
    std::optional<int> MinutesPerDay(int weekday) const;
    void SetMinutesPerDay(int weekday, std::optional<int> minutes);
    WeekMinutes Week() const;

    // Read like the minutes: a value that is no time of day is no limit. Setting nothing
    // removes the line.
    DayWindow WindowPerDay(int weekday) const;
    void SetWindowPerDay(int weekday, const DayWindow& window);

    const NameValueLines& Lines() const { return lines_; }

private:
    NameValueLines lines_;
    bool found_ = false;
};

}  // namespace storage
