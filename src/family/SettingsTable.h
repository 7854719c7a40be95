#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "storage/Settings.h"

namespace family {

// What the settings file says, as this version of the program reads it.
struct SettingValues {
    bool allowedSitesOnly = false;
    bool sitePictures = false;
    bool readAloud = false;
    storage::WeekMinutes week{};
    storage::WeekWindows windows{};
    friend bool operator==(const SettingValues&, const SettingValues&) = default;
};

// One setting of the settings file: its name there, how it is read into the values (a missing
// or unreadable value gives the default) and how the values put it back. The file's other lines
// are no row's business and stay as they stand.
struct SettingRow {
    std::string_view name;
    std::function<void(const storage::Settings& file, SettingValues& values)> read;
    std::function<void(const SettingValues& values, storage::Settings& file)> write;
};

// Every setting the program reads and writes, the switches first, then the days Monday first,
// then each day's times Monday first.
const std::vector<SettingRow>& SettingsTable();

SettingValues ReadSettings(const storage::Settings& file);

// The file's lines with each setting that differs between `from` and `to` put in as `to` has
// it; a setting the parent left alone keeps what the file says, even if it changed meanwhile.
storage::Settings WithChanges(storage::Settings file, const SettingValues& from,
                              const SettingValues& to);

}  // namespace family
