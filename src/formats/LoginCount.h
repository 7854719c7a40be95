#pragma once

#include <optional>
#include <string>
#include <vector>

namespace formats {

// "inlogpogingen.txt": the wrong tries at the parent's login since the last right one, and when
// the last one was, in local seconds (basics::LocalSeconds), so a restart keeps the wait.
struct LoginCount {
    int wrong = 0;
    long long lastWrong = 0;
    friend bool operator==(const LoginCount&, const LoginCount&) = default;
};

// "fouten=N" and "laatstefout=YYYY-MM-DD HH:MM:SS".
std::vector<std::string> LoginCountLines(const LoginCount& count);
// Nothing when a line is missing, holds anything else, or a line of another kind is there: what
// a damaged count means is the login's rule, not the file's.
std::optional<LoginCount> ParseLoginCount(const std::vector<std::string>& lines);
// The number of wrong tries alone, where the moment is missing or damaged; nothing when that
// number cannot be read or a line of another kind is there.
std::optional<int> ParseWrongTries(const std::vector<std::string>& lines);

}  // namespace formats
