#include "helper/Account.h"

#include "account/Login.h"
#include "formats/Files.h"
#include "formats/Lines.h"
#include "formats/Replace.h"
#include "helper/Files.h"

namespace helper {

long long WholeSeconds(double seconds) {
    return static_cast<long long>(seconds + 0.999);
}

// One line of `input` from `start`, without its CR LF or LF; moves `start` past it.
std::string TakeLine(const std::string& input, std::size_t& start) {
    const auto end = input.find('\n', start);
    if (end == std::string::npos) {
        Fail(kBadArguments, "no name and password lines on standard input");
    }
    std::string line = input.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    start = end + 1;
    return line;
}

Account TakeAccount(const std::string& input) {
    std::size_t start = 0;
    Account account;
    account.name = TakeLine(input, start);
    account.password = TakeLine(input, start);
    account.rest = input.substr(start);
    return account;
}

account::Attempts StoredAttempts(const Request& request) {
    const auto stored = ReadFile(request.folder + formats::files::kLoginTries);
    return stored ? account::ParseAttempts(formats::DecodeLines(*stored), request.now)
                  : account::Attempts{};
}

int CheckLogin(Request& request, const Account& given) {
    const account::Attempts attempts = StoredAttempts(request);
    if (const double wait = account::RemainingWait(attempts, request.now); wait > 0) {
        request.output += "wait " + std::to_string(WholeSeconds(wait)) + "\n";
        Fail(kWaiting, "too many wrong tries: wait");
    }
    const auto names = ReadFile(request.folder + formats::files::kUserName);
    const auto passwords = ReadFile(request.folder + formats::files::kPassword);
    if (!names || !passwords || formats::DecodeLines(*names).empty() ||
        formats::DecodeLines(*passwords).empty()) {
        Fail(kDamaged, "the parent's account cannot be read");
    }
    // Counted as wrong before it is compared: a try whose count cannot be kept (a full disk, a
    // file size limit) is never compared, or a child could guess without end.
    const account::Attempts counted{attempts.wrong + 1, request.now};
    const auto written =
        formats::ReplaceFile(request.folder + formats::files::kLoginTries,
                             formats::CrLfText(account::AttemptLines(counted)), 0660);
    if (!written.ok) {
        request.output += "later\n";
        Fail(kNotCounted, "the try cannot be counted: " + written.reason);
    }
    const auto outcomes = account::Compare(
        formats::DecodeLines(*names), formats::DecodeLines(*passwords), given.name, given.password);
    if (!account::AnyRight(outcomes)) {
        // One answer for any wrong login: which of the two was wrong would halve the guessing.
        request.output +=
            "wrong\nwait " + std::to_string(WholeSeconds(account::WaitAfter(counted.wrong))) + "\n";
        Fail(kRefused, "wrong name or password");
    }
    Replace(request.folder, formats::files::kLoginTries,
            formats::CrLfText(account::AttemptLines({})));
    return attempts.wrong;
}

}  // namespace helper
