#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/LoginCount.h"

namespace account {

// The password every installation starts with; a parent is asked to choose another before the
// panel opens, and a new one may not be this.
inline constexpr std::string_view kShippedPassword = "lanternwick";
inline constexpr std::size_t kMinPasswordLength = 4;

// Why a password a parent typed cannot be taken; nothing when it can.
enum class PasswordFault { Shipped, TooShort };
std::optional<PasswordFault> CheckNewPassword(std::string_view password);

// What one line of the account files said of the name and password typed.
enum class Outcome { Right, UserWrong, PasswordWrong };

// The login compared line by line, exactly and case-sensitively: every line of the name file that
// differs from `name` is a wrong user; one that matches compares every line of the password file
// with `password`. With the normal one-line files that is one outcome.
std::vector<Outcome> Compare(const std::vector<std::string>& names,
                             const std::vector<std::string>& passwords, std::string_view name,
                             std::string_view password);
bool AnyRight(const std::vector<Outcome>& outcomes);

// Wrong tries in a row are free up to this many; after that every further try waits.
inline constexpr int kFreeTries = 5;
inline constexpr double kFirstWaitSeconds = 30;
inline constexpr double kLongestWaitSeconds = 15 * 60;

// How long the next try waits after `wrongInRow` wrong tries: nothing for the first five, then
// 30 seconds, doubling with every wrong try, never more than 15 minutes.
double WaitAfter(int wrongInRow);

// The wrong tries since the last right login, as stored with the data (formats/LoginCount.h).
using Attempts = formats::LoginCount;

inline std::vector<std::string> AttemptLines(const Attempts& attempts) {
    return formats::LoginCountLines(attempts);
}
// A file that is there but cannot be read whole counts as the free tries used up, just now: a
// damaged count must not open the door to guessing again.
Attempts ParseAttempts(const std::vector<std::string>& lines, long long now);

// The seconds still to wait at `now` (local seconds) after the stored tries. A clock set back
// before the last wrong try waits the whole wait again rather than longer.
double RemainingWait(const Attempts& attempts, long long now);

}  // namespace account
