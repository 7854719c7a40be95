#include "family/SettingsTable.h"

namespace family {

namespace {

// Two values of a setting are the same when they would put the same line into the file.
bool Same(const SettingRow& row, const SettingValues& a, const SettingValues& b) {
    storage::Settings one, other;
    row.write(a, one);
    row.write(b, other);
    return one.Lines().Lines() == other.Lines().Lines();
}

}  // namespace

const std::vector<SettingRow>& SettingsTable() {
    static const std::vector<SettingRow> table = [] {
        using storage::Settings;
        std::vector<SettingRow> rows = {
            {Settings::kAllowedSitesOnly,
             [](const Settings& file, SettingValues& v) {
                 v.allowedSitesOnly = file.AllowedSitesOnly();
             },
             [](const SettingValues& v, Settings& file) {
                 file.SetAllowedSitesOnly(v.allowedSitesOnly);
             }},
            {Settings::kSitePictures,
             [](const Settings& file, SettingValues& v) { v.sitePictures = file.SitePictures(); },
             [](const SettingValues& v, Settings& file) { file.SetSitePictures(v.sitePictures); }},
            {Settings::kReadAloud,
             [](const Settings& file, SettingValues& v) { v.readAloud = file.ReadAloud(); },
             [](const SettingValues& v, Settings& file) { file.SetReadAloud(v.readAloud); }},
        };
        for (int day = 0; day < 7; ++day) {
            rows.push_back({Settings::kMinutesPerDay[day],
                            [day](const Settings& file, SettingValues& v) {
                                v.week[day] = file.MinutesPerDay(day);
                            },
                            [day](const SettingValues& v, Settings& file) {
                                file.SetMinutesPerDay(day, v.week[day]);
                            }});
        }
        // A day's "from" and "until" are one row: a window is changed as a whole.
        for (int day = 0; day < 7; ++day) {
            rows.push_back({Settings::kFromPerDay[day],
                            [day](const Settings& file, SettingValues& v) {
                                v.windows[day] = file.WindowPerDay(day);
                            },
                            [day](const SettingValues& v, Settings& file) {
                                file.SetWindowPerDay(day, v.windows[day]);
                            }});
        }
        return rows;
    }();
    return table;
}

SettingValues ReadSettings(const storage::Settings& file) {
    SettingValues values;
    for (const auto& row : SettingsTable()) {
        row.read(file, values);
    }
    return values;
}

storage::Settings WithChanges(storage::Settings file, const SettingValues& from,
                              const SettingValues& to) {
    for (const auto& row : SettingsTable()) {
        if (!Same(row, from, to)) {
            row.write(to, file);
        }
    }
    return file;
}

}  // namespace family
