#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "account/Login.h"
#include "basics/Clock.h"
#include "storage/DataFiles.h"

namespace family {

// The parent's login with its count of wrong tries. Five wrong tries in a row are free; after
// them each try waits, longer after every further wrong one, so a child cannot guess the
// password by trying fast. The count is kept with the data, so closing the program does not
// end a wait, and a right login tells the parent once how many wrong tries there were.
class ParentLogin {
public:
    ParentLogin(storage::DataFiles& data, basics::Clock& clock);

    struct Result {
        std::vector<account::Outcome> outcomes;  // one per line compared; empty when not compared
        bool waiting = false;                    // the wait was not over: nothing was compared
        std::optional<std::string> unreadable;   // the account file that could not be read
        std::optional<storage::WriteResult> countNotSaved;  // the count's file was not replaced
        bool Right() const { return account::AnyRight(outcomes); }
    };
    Result Try(const std::string& name, const std::string& password);

    // Seconds until the next try is taken; 0 when it is taken now.
    double SecondsToWait();
    // The wrong tries before the last right login, once; 0 afterwards.
    int TakeWrongTriesToTell() { return std::exchange(toTell_, 0); }
    // Whether the password file still holds the password every installation starts with.
    bool ShippedPasswordInUse() const;

private:
    void Load();
    // A login the family install's helper checked, with the count it keeps.
    Result Checked(const storage::HelperLogin& checked);
    std::optional<storage::WriteResult> Store();

    storage::DataFiles& data_;
    basics::Clock& clock_;
    bool loaded_ = false;
    account::Attempts attempts_;
    double waitUntil_ = 0;  // on the steady clock, so setting the wall clock ends no wait
    int toTell_ = 0;
    std::optional<bool> shipped_;  // as the helper told it; the program cannot read the file
};

}  // namespace family
