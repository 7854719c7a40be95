#pragma once

namespace browser {

// What the child's clock in the toolbar band shows. The picture is drawn again only when this
// changes, which is once a minute at most, so the countdown costs no CPU between minutes.
struct TimeLook {
    bool limited = false;    // a limit holds today; without one there is no clock
    int minutesLeft = 0;     // rounded up, so 1 shows until the very end
    int minutesAllowed = 0;  // today's limit with the extra time granted

    static constexpr int kLastMinutes = 5;

    // The part of the disc still coloured, 0 to 1, by whole minutes like the number beside it.
    double FractionLeft() const;
    // The clock changes colour for the last five minutes.
    bool LastMinutes() const { return limited && minutesLeft <= kLastMinutes; }

    friend bool operator==(const TimeLook&, const TimeLook&) = default;
};

}  // namespace browser
