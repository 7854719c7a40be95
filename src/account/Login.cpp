#include "account/Login.h"

#include <algorithm>
#include <charconv>

#include "basics/CivilTime.h"

namespace account {

namespace {

constexpr std::string_view kWrongName = "fouten=";
constexpr std::string_view kLastName = "laatstefout=";

std::optional<int> ParseCount(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0 || text.empty() ||
        text.front() == '+') {
        return std::nullopt;
    }
    return value;
}

std::optional<long long> ParseMoment(std::string_view text) {
    const auto space = text.find(' ');
    if (space == std::string_view::npos) {
        return std::nullopt;
    }
    const auto date = basics::ParseDate(text.substr(0, space));
    const auto time = basics::ParseTimeOfDay(text.substr(space + 1));
    if (!date || !time) {
        return std::nullopt;
    }
    return basics::LocalSeconds({*date, *time});
}

}  // namespace

std::optional<PasswordFault> CheckNewPassword(std::string_view password) {
    if (password == kShippedPassword) {
        return PasswordFault::Shipped;
    }
    // Characters, not bytes: "ééé" is three, and too short.
    const auto characters = std::count_if(password.begin(), password.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    });
    if (static_cast<std::size_t>(characters) < kMinPasswordLength) {
        return PasswordFault::TooShort;
    }
    return std::nullopt;
}

std::vector<Outcome> Compare(const std::vector<std::string>& names,
                             const std::vector<std::string>& passwords, std::string_view name,
                             std::string_view password) {
    std::vector<Outcome> outcomes;
    for (const auto& storedName : names) {
        if (storedName != name) {
            outcomes.push_back(Outcome::UserWrong);
            continue;
        }
        for (const auto& storedPassword : passwords) {
            outcomes.push_back(storedPassword == password ? Outcome::Right
                                                          : Outcome::PasswordWrong);
        }
    }
    return outcomes;
}

bool AnyRight(const std::vector<Outcome>& outcomes) {
    return std::find(outcomes.begin(), outcomes.end(), Outcome::Right) != outcomes.end();
}

double WaitAfter(int wrongInRow) {
    if (wrongInRow < kFreeTries) {
        return 0;
    }
    double wait = kFirstWaitSeconds;
    for (int i = kFreeTries; i < wrongInRow && wait < kLongestWaitSeconds; ++i) {
        wait *= 2;
    }
    return std::min(wait, kLongestWaitSeconds);
}

std::vector<std::string> AttemptLines(const Attempts& attempts) {
    const auto moment = basics::LocalTimeFromSeconds(attempts.lastWrong);
    return {std::string(kWrongName) + std::to_string(attempts.wrong),
            std::string(kLastName) + basics::DateText(moment.date) + " " +
                basics::TimeOfDayText(moment.secondsOfDay)};
}

Attempts ParseAttempts(const std::vector<std::string>& lines, long long now) {
    std::optional<int> wrong;
    std::optional<long long> last;
    for (const std::string_view line : lines) {
        if (line.starts_with(kWrongName)) {
            wrong = ParseCount(line.substr(kWrongName.size()));
        } else if (line.starts_with(kLastName)) {
            last = ParseMoment(line.substr(kLastName.size()));
        } else if (!line.empty()) {
            wrong.reset();
            break;
        }
    }
    if (!wrong || !last) {
        return {std::max(kFreeTries, wrong.value_or(0)), now};
    }
    return {*wrong, *last};
}

double RemainingWait(const Attempts& attempts, long long now) {
    const double wait = WaitAfter(attempts.wrong);
    const double passed = static_cast<double>(now - attempts.lastWrong);
    if (passed < 0) {
        return wait;
    }
    return std::max(0.0, wait - passed);
}

}  // namespace account
