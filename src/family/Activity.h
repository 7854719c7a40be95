#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "basics/CivilTime.h"
#include "formats/WeekTime.h"
#include "storage/DataFiles.h"
#include "storage/Settings.h"

namespace family {

// The log's dates and times are written as the user's regional settings write them, so the
// order of day, month and year is learnt from how the clock writes today. A sample that cannot
// tell (the 12th of December: "12/12/26") falls back on the usual order for its separator: the
// year first when it has four digits, month first with "/", else day first.
class StampReader {
public:
    StampReader(std::string_view todayText, basics::Date today);
    std::optional<basics::Date> ReadDate(std::string_view text) const;
    // Seconds since midnight from "21:45:09", "9:45:09 PM" and the like.
    static std::optional<int> ReadTime(std::string_view text);

private:
    int yearAt_ = 2;
    int monthAt_ = 1;
    int dayAt_ = 0;
    int century_ = 2000;
};

// One of the last seven days: the minutes used and that weekday's limit as it stands now.
struct DayBar {
    basics::Date date;
    int minutes = 0;
    std::optional<int> limit;
};

// A row of today: a listed site, a host of no listed site, or a refused try.
struct ActivityRow {
    std::string name;     // the listed site's name, else the host
    std::string address;  // the listed site's address, the host, or the address last refused
    std::optional<std::size_t> site;  // the site's place in the list, for its picture
    int minutes = 0;
    int tries = 0;  // refused rows: how many times
    bool refused = false;
};

struct Activity {
    std::array<DayBar, 7> week;  // oldest first, today last
    // The sites and hosts of today, most used first, then the refused tries, most tried first.
    std::vector<ActivityRow> today;
};

struct ActivityInput {
    const std::vector<std::string>* log = nullptr;  // the visit log's lines, oldest first
    std::vector<formats::DayMinutes> counted;       // the minutes the week's file holds
    std::optional<int> countedToday;                // the running count of today, if any
    storage::WeekMinutes limits;
    std::vector<std::string> sites;  // the site records, as listed
    basics::Date today;
    std::string todayText;  // today as the clock writes it in the log
};

// A page counts from its entry to the run's next one, but no more than kMaxEntrySeconds: the
// log says when a page opened, never when the child stopped looking, and a run cut off without
// its line of hyphens must not run on into the next. A run's last page, and a page followed by
// one of an earlier time or another day, counts one minute. A day's bar shows the larger of
// these minutes and those the week's file or today's count hold.
inline constexpr int kMaxEntrySeconds = 5 * 60;
inline constexpr int kLastEntrySeconds = 60;

Activity SummarizeActivity(const ActivityInput& input);

// The week's file with today's count in, where the settings file exists.
std::vector<formats::DayMinutes> ReadWeekTime(const storage::DataFiles& files);
storage::WriteResult RecordWeekTime(const storage::DataFiles& files, basics::Date today,
                                    int minutes);

}  // namespace family
