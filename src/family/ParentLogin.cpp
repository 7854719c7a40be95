#include "family/ParentLogin.h"

#include <algorithm>
#include <utility>

#include "basics/CivilTime.h"
#include "storage/DataPath.h"

namespace family {

ParentLogin::ParentLogin(storage::DataFiles& data, basics::Clock& clock)
    : data_(data), clock_(clock) {}

void ParentLogin::Load() {
    if (loaded_) {
        return;
    }
    loaded_ = true;
    if (const auto wait = data_.LoginWait()) {
        waitUntil_ = clock_.SteadySeconds() + *wait;
        return;
    }
    const long long now = basics::LocalSeconds(clock_.Now());
    if (const auto lines = data_.Read(storage::files::kLoginTries)) {
        attempts_ = account::ParseAttempts(*lines, now);
    }
    waitUntil_ = clock_.SteadySeconds() + account::RemainingWait(attempts_, now);
}

double ParentLogin::SecondsToWait() {
    Load();
    const double left = waitUntil_ - clock_.SteadySeconds();
    return left > 0 ? left : 0;
}

ParentLogin::Result ParentLogin::Try(const std::string& name, const std::string& password) {
    Result result;
    if (SecondsToWait() > 0) {
        result.waiting = true;
        return result;
    }
    if (auto checked = data_.Login(name, password)) {
        return Checked(*checked);
    }
    const auto names = data_.Read(storage::files::kUserName);
    if (!names || names->empty()) {
        result.unreadable = storage::files::kUserName;
        return result;
    }
    std::optional<std::vector<std::string>> passwords;
    if (std::find(names->begin(), names->end(), name) != names->end()) {
        passwords = data_.Read(storage::files::kPassword);
        if (!passwords || passwords->empty()) {
            result.unreadable = storage::files::kPassword;
            return result;
        }
    }
    result.outcomes =
        account::Compare(*names, passwords.value_or(std::vector<std::string>{}), name, password);
    if (result.Right()) {
        toTell_ = attempts_.wrong;
        // Nothing to write when nothing was counted, so a folder without wrong tries keeps to
        // the files it has.
        if (std::exchange(attempts_, {}).wrong > 0) {
            result.countNotSaved = Store();
        }
        waitUntil_ = 0;
        return result;
    }
    ++attempts_.wrong;
    attempts_.lastWrong = basics::LocalSeconds(clock_.Now());
    waitUntil_ = clock_.SteadySeconds() + account::WaitAfter(attempts_.wrong);
    result.countNotSaved = Store();
    return result;
}

ParentLogin::Result ParentLogin::Checked(const storage::HelperLogin& checked) {
    Result result;
    // The helper does not tell which of the two was wrong; the parent hears the password was.
    for (const auto& outcome : checked.outcomes) {
        result.outcomes.push_back(outcome == "right" ? account::Outcome::Right
                                                     : account::Outcome::PasswordWrong);
    }
    waitUntil_ = clock_.SteadySeconds() + checked.wait;
    if (checked.notCounted) {
        result.countNotSaved = storage::WriteResult{false, *checked.notCounted};
    } else if (checked.unreadable) {
        result.unreadable = storage::files::kPassword;
    } else if (result.outcomes.empty()) {
        result.waiting = true;
    } else if (result.Right()) {
        toTell_ = checked.wrongBefore;
        shipped_ = checked.shipped;
    }
    return result;
}

std::optional<storage::WriteResult> ParentLogin::Store() {
    auto written = data_.Write(storage::files::kLoginTries, account::AttemptLines(attempts_));
    if (written.ok) {
        return std::nullopt;
    }
    return written;
}

bool ParentLogin::ShippedPasswordInUse() const {
    if (shipped_) {
        return *shipped_;
    }
    const auto lines = data_.Read(storage::files::kPassword);
    return lines && !lines->empty() && (*lines)[0] == account::kShippedPassword;
}

}  // namespace family
