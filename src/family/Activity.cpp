#include "family/Activity.h"

#include <algorithm>
#include <map>
#include <unordered_map>

#include "filter/AllowedSites.h"
#include "formats/Files.h"
#include "formats/VisitLogLines.h"
#include "storage/Records.h"

namespace family {

namespace {

std::vector<int> Numbers(std::string_view text) {
    std::vector<int> numbers;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] < '0' || text[i] > '9') {
            ++i;
            continue;
        }
        int value = 0;
        std::size_t digits = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
            value = digits < 6 ? value * 10 + (text[i] - '0') : value;
        }
        numbers.push_back(digits <= 6 ? value : -1);
    }
    return numbers;
}

bool Exists(const basics::Date& date) {
    return date.month >= 1 && date.month <= 12 && date.day >= 1 &&
           basics::DateFromDays(basics::DaysSinceEpoch(date)) == date;
}

// The host a log entry's address opened, "www." left off so a redirect to it or from it counts
// as the same site.
std::string HostOf(std::string_view address) {
    auto host = filter::WebHost(address).value_or("");
    if (host.starts_with("www.")) {
        host.erase(0, 4);
    }
    return host;
}

struct Entry {
    std::string_view address;
    std::optional<basics::Date> date;  // none: a bare address
    int seconds = 0;
};

}  // namespace

StampReader::StampReader(std::string_view todayText, basics::Date today)
    : century_(today.year - today.year % 100) {
    const auto numbers = Numbers(todayText);
    const bool yearFirst = !todayText.empty() && todayText.find_first_not_of("0123456789") == 4;
    const bool slash = todayText.find('/') != std::string_view::npos;
    // {year, month, day} places, the likeliest first.
    std::vector<std::array<int, 3>> orders = {{2, 1, 0}, {2, 0, 1}, {0, 1, 2}};
    if (yearFirst) {
        std::rotate(orders.begin(), orders.begin() + 2, orders.end());
    } else if (slash) {
        std::swap(orders[0], orders[1]);
    }
    for (const auto& [year, month, day] : orders) {
        if (numbers.size() == 3 &&
            (numbers[year] == today.year || numbers[year] == today.year % 100) &&
            numbers[month] == today.month && numbers[day] == today.day) {
            yearAt_ = year;
            monthAt_ = month;
            dayAt_ = day;
            return;
        }
    }
    yearAt_ = orders[0][0];
    monthAt_ = orders[0][1];
    dayAt_ = orders[0][2];
}

std::optional<basics::Date> StampReader::ReadDate(std::string_view text) const {
    const auto numbers = Numbers(text);
    if (numbers.size() != 3) {
        return std::nullopt;
    }
    int year = numbers[yearAt_];
    if (year >= 0 && year < 100) {
        year += century_;
    }
    const basics::Date date{year, numbers[monthAt_], numbers[dayAt_]};
    return Exists(date) ? std::optional(date) : std::nullopt;
}

std::optional<int> StampReader::ReadTime(std::string_view text) {
    const auto numbers = Numbers(text);
    if (numbers.size() < 2 || numbers.size() > 3) {
        return std::nullopt;
    }
    int hour = numbers[0];
    const int minute = numbers[1];
    const int second = numbers.size() == 3 ? numbers[2] : 0;
    const bool pm =
        text.find("PM") != std::string_view::npos || text.find("pm") != std::string_view::npos;
    const bool am =
        text.find("AM") != std::string_view::npos || text.find("am") != std::string_view::npos;
    if ((pm || am) && (hour < 1 || hour > 12)) {
        return std::nullopt;
    }
    if (pm && hour < 12) {
        hour += 12;
    } else if (am && hour == 12) {
        hour = 0;
    }
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 60) {
        return std::nullopt;
    }
    return hour * 3600 + minute * 60 + std::min(second, 59);
}

Activity SummarizeActivity(const ActivityInput& input) {
    namespace log = formats::visitlog;
    const StampReader reader(input.todayText, input.today);
    std::vector<std::string> siteAddresses;
    for (const auto& record : input.sites) {
        siteAddresses.push_back(storage::SiteAddress(record));
    }

    std::map<basics::Date, long long> logSeconds;  // per day, all pages
    // Today's rows by key: "#n" for listed site n, else the host.
    std::map<std::string, ActivityRow> rows;
    std::map<std::string, ActivityRow> refused;
    std::unordered_map<std::string_view, std::string> keyOf;  // a page's address to its row key

    auto rowFor = [&](std::string_view address) -> ActivityRow* {
        auto known = keyOf.find(address);
        if (known == keyOf.end()) {
            std::string key;
            if (const auto site = filter::BestListedSite(address, siteAddresses)) {
                key = "#" + std::to_string(*site);
                auto& row = rows[key];
                row.site = *site;
                row.name = storage::SiteName(input.sites[*site]);
                row.address = siteAddresses[*site];
            } else if (auto host = HostOf(address); !host.empty()) {
                key = host;
                auto& row = rows[key];
                row.name = host;
                row.address = host;
            }
            known = keyOf.emplace(address, std::move(key)).first;
        }
        return known->second.empty() ? nullptr : &rows[known->second];
    };
    auto credit = [&](const Entry& page, int seconds) {
        logSeconds[*page.date] += seconds;
        if (*page.date == input.today) {
            if (ActivityRow* row = rowFor(page.address)) {
                row->minutes += seconds;  // seconds until the end, minutes after
            }
        }
    };
    auto refuse = [&](std::string_view address, const basics::Date& date) {
        // The empty page and the program's own pages are no site a parent could allow.
        auto host = HostOf(address);
        if (date != input.today || host.empty()) {
            return;
        }
        auto& row = refused[host];
        row.name = host;
        row.address = std::string(address);
        row.refused = true;
        ++row.tries;
    };

    // A bare address is written when the child asks for a page (a site button, a link that
    // goes through the program) and when one is refused or cannot be reached. It opened when the
    // run's very next entry is a page reached on its host; otherwise it was not opened. It took
    // place on the day of its run's pages around it; a run of bare addresses alone counts as
    // today only when it is the log's last, the run going on now.
    std::optional<Entry> last;            // the run's last page
    std::optional<basics::Date> runDate;  // the day of the run's last page
    std::vector<std::string_view> bare;   // bare addresses not yet known to have opened
    auto endRun = [&](bool now) {
        if (last) {
            credit(*last, kLastEntrySeconds);
        }
        const auto date = runDate ? runDate : (now ? std::optional(input.today) : std::nullopt);
        if (date) {
            for (const auto address : bare) {
                refuse(address, *date);
            }
        }
        bare.clear();
        last.reset();
        runDate.reset();
    };

    for (const std::string& line : *input.log) {
        if (line == log::kRunSeparator) {
            endRun(false);
            continue;
        }
        // A damaged line is passed over as if it were not there.
        if (!log::IsLine(line)) {
            continue;
        }
        const std::string_view text = line;
        const auto stamp = text.find(log::kDateWord);
        if (stamp == std::string_view::npos) {
            bare.push_back(text);
            continue;
        }
        const auto rest = text.substr(stamp + log::kDateWord.size());
        const auto at = rest.rfind(log::kTimeWord);
        const auto date = reader.ReadDate(rest.substr(0, at));
        const auto time = StampReader::ReadTime(rest.substr(at + log::kTimeWord.size()));
        if (!date || !time) {
            continue;
        }
        const Entry page{text.substr(0, stamp), date, *time};
        if (!bare.empty()) {
            const bool opened = HostOf(bare.back()) == HostOf(page.address);
            if (opened) {
                bare.pop_back();
            }
            for (const auto address : bare) {
                refuse(address, *date);
            }
            bare.clear();
        }
        if (last) {
            const int gap = page.seconds - last->seconds;
            credit(*last, *last->date == *date && gap >= 0 ? std::min(gap, kMaxEntrySeconds)
                                                           : kLastEntrySeconds);
        }
        last = page;
        runDate = date;
    }
    endRun(true);

    Activity activity;
    const long long todayDays = basics::DaysSinceEpoch(input.today);
    for (int i = 0; i < 7; ++i) {
        DayBar& bar = activity.week[i];
        bar.date = basics::DateFromDays(todayDays - 6 + i);
        bar.limit = input.limits[basics::Weekday(bar.date)];
        const auto counted =
            std::find_if(input.counted.begin(), input.counted.end(),
                         [&](const formats::DayMinutes& d) { return d.date == bar.date; });
        std::optional<int> minutes;
        if (counted != input.counted.end()) {
            minutes = counted->minutes;
        }
        if (i == 6 && input.countedToday) {
            minutes = std::max(minutes.value_or(0), *input.countedToday);
        }
        // Each source can miss time the other saw: the count runs only while some day has a
        // limit, and the log knows nothing of a page looked at longer than its cap. The larger
        // is the nearer to the truth.
        const auto seconds = logSeconds.find(bar.date);
        const int logged =
            seconds == logSeconds.end() ? 0 : static_cast<int>((seconds->second + 30) / 60);
        bar.minutes = std::max(minutes.value_or(0), logged);
    }

    std::vector<ActivityRow> used;
    for (auto& [key, row] : rows) {
        if (row.minutes > 0) {
            // Any time at all shows as a minute, so a page looked at briefly is not lost.
            row.minutes = std::max(1, (row.minutes + 30) / 60);
            used.push_back(std::move(row));
        }
    }
    std::stable_sort(used.begin(), used.end(), [](const ActivityRow& a, const ActivityRow& b) {
        return a.minutes > b.minutes;
    });
    std::vector<ActivityRow> tries;
    for (auto& [key, row] : refused) {
        tries.push_back(std::move(row));
    }
    std::stable_sort(tries.begin(), tries.end(),
                     [](const ActivityRow& a, const ActivityRow& b) { return a.tries > b.tries; });
    activity.today = std::move(used);
    activity.today.insert(activity.today.end(), tries.begin(), tries.end());
    return activity;
}

std::vector<formats::DayMinutes> ReadWeekTime(const storage::DataFiles& files) {
    const auto lines = files.Read(formats::files::kWeekTime);
    return lines ? formats::ParseWeekTime(*lines) : std::vector<formats::DayMinutes>{};
}

storage::WriteResult RecordWeekTime(const storage::DataFiles& files, basics::Date today,
                                    int minutes) {
    const auto lines = files.Read(formats::files::kWeekTime);
    const auto days = formats::WithToday(
        lines ? formats::ParseWeekTime(*lines) : std::vector<formats::DayMinutes>{}, today,
        minutes);
    return files.Write(formats::files::kWeekTime, formats::WeekTimeLines(days));
}

}  // namespace family
