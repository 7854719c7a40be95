#include "account/Login.h"

#include <algorithm>

namespace account {

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

Attempts ParseAttempts(const std::vector<std::string>& lines, long long now) {
    if (const auto count = formats::ParseLoginCount(lines)) {
        return *count;
    }
    // Damaging the moment buys no shorter wait: a readable number beyond the free tries stays.
    return {std::max(kFreeTries, formats::ParseWrongTries(lines).value_or(0)), now};
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
