#include "family/TimeWindow.h"

#include <algorithm>

#include "basics/CivilTime.h"

namespace family {

namespace {

constexpr long long kDay = basics::kSecondsPerDay;

struct Bounds {
    long long from;
    long long until;
};

// A day without a "from" and an "until", or with the two the same, is open all day.
std::optional<Bounds> BoundsOf(const storage::DayWindow& window) {
    if (!window.from && !window.until) {
        return std::nullopt;
    }
    const Bounds bounds{window.from.value_or(0) * 60LL,
                        window.until.value_or(storage::kMaxMinutesPerDay) * 60LL};
    if (bounds.from == bounds.until) {
        return std::nullopt;
    }
    return bounds;
}

// Where the open stretch around `s` ends on that day (kDay: at midnight); nothing when `s` lies
// outside the window.
std::optional<long long> StretchEnd(const Bounds& b, long long s) {
    if (b.from < b.until) {
        return b.from <= s && s < b.until ? std::optional(b.until) : std::nullopt;
    }
    if (s >= b.from) {
        return kDay;
    }
    return s < b.until ? std::optional(b.until) : std::nullopt;
}

}  // namespace

std::optional<long long> WindowSecondsLeft(const storage::WeekWindows& week, int weekday,
                                           long long secondsOfDay) {
    long long left = 0;
    int day = ((weekday % 7) + 7) % 7;
    long long s = std::clamp<long long>(secondsOfDay, 0, kDay - 1);
    // A week of open days in a row has no end ahead.
    for (int step = 0; step < 8; ++step) {
        const auto bounds = BoundsOf(week[day]);
        if (!bounds) {
            return std::nullopt;
        }
        const auto end = StretchEnd(*bounds, s);
        if (!end) {
            return left;
        }
        left += *end - s;
        if (*end < kDay) {
            return left;
        }
        day = (day + 1) % 7;
        s = 0;
    }
    return std::nullopt;
}

std::optional<long long> WindowSecondsOpen(const storage::WeekWindows& week, int weekday,
                                           long long secondsOfDay) {
    const auto bounds = BoundsOf(week[((weekday % 7) + 7) % 7]);
    if (!bounds) {
        return std::nullopt;
    }
    const long long s = std::clamp<long long>(secondsOfDay, 0, kDay - 1);
    if (!StretchEnd(*bounds, s)) {
        return 0;
    }
    return s >= bounds->from ? s - bounds->from : s;
}

bool AnyWindow(const storage::WeekWindows& week) {
    return std::any_of(week.begin(), week.end(),
                       [](const auto& window) { return BoundsOf(window).has_value(); });
}

std::optional<int> WindowMinutes(const storage::DayWindow& window) {
    const auto bounds = BoundsOf(window);
    if (!bounds) {
        return std::nullopt;
    }
    const long long length = bounds->until - bounds->from;
    return static_cast<int>((length > 0 ? length : length + kDay) / 60);
}

}  // namespace family
