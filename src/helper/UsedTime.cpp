#include <algorithm>

#include "basics/CivilTime.h"
#include "formats/Files.h"
#include "formats/Lines.h"
#include "formats/Numbers.h"
#include "formats/UsedTime.h"
#include "formats/WeekTime.h"
#include "helper/Commands.h"
#include "helper/Files.h"

namespace helper {

namespace {

// The week's file follows today's count here, where the child's run cannot write it, and only
// where the settings file says the installation has the features beyond the original files. A
// damaged week costs only its damaged lines; the day's count stands whatever happens to it.
void KeepDayInWeek(const std::string& folder, const formats::UsedTime& record) {
    if (!ReadFile(folder + formats::files::kSettings)) {
        return;
    }
    const auto stored = ReadFile(folder + formats::files::kWeekTime);
    const auto days =
        formats::WithToday(stored ? formats::ParseWeekTime(formats::DecodeLines(*stored))
                                  : std::vector<formats::DayMinutes>{},
                           record.lastSeen.date, static_cast<int>(record.secondsUsed / 60));
    Replace(folder, formats::files::kWeekTime, formats::CrLfText(formats::WeekTimeLines(days)));
}

}  // namespace

// Only forwards: today's count rises, the day never goes back, extra time is the parent's. The
// bound is the record's own, so what this accepts the program reads back as it was written.
void UsedTimeCommand(Request& request) {
    const auto seconds = formats::ParseBoundedNumber(request.args[0], 0, formats::kMaxUsedSeconds);
    if (!seconds) {
        Fail(kBadArguments,
             "the seconds are not a number from 0 to " + std::to_string(formats::kMaxUsedSeconds));
    }
    const auto now = basics::LocalTimeFromSeconds(request.now);
    formats::UsedTime record{now, *seconds, 0};
    if (const auto stored = ReadFile(request.folder + formats::files::kUsedTime)) {
        const auto old = formats::ParseUsedTime(formats::DecodeLines(*stored));
        if (!old) {
            Fail(kDamaged, std::string(formats::files::kUsedTime) + " cannot be read");
        }
        if (old->lastSeen.date >= now.date) {
            record = *old;
            record.secondsUsed = std::max(old->secondsUsed, *seconds);
            if (basics::LocalSeconds(now) > basics::LocalSeconds(old->lastSeen)) {
                record.lastSeen = now;
            }
        }
    }
    Replace(request.folder, formats::files::kUsedTime,
            formats::CrLfText(formats::UsedTimeLines(record)));
    KeepDayInWeek(request.folder, record);
}

}  // namespace helper
