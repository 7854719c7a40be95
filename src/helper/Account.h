#pragma once

#include <string>

#include "account/Login.h"
#include "helper/Commands.h"

namespace helper {

// What a parent's command carries on standard input: the name's line, the password's line, and
// what follows them, as given.
struct Account {
    std::string name;
    std::string password;
    std::string rest;
};
Account TakeAccount(const std::string& input);

// The login, counted: a wait still running refuses it unread; the try is counted as a wrong one
// before the account is compared, so a try that cannot be counted is never compared, and a
// right one then clears the count. Returns the wrong tries before a right one; stops otherwise.
int CheckLogin(Request& request, const Account& account);

// The count of wrong tries as stored; a damaged one counts as the free tries used up.
account::Attempts StoredAttempts(const Request& request);
// A wait in whole seconds, rounded up so a wait never reads as over early.
long long WholeSeconds(double seconds);

}  // namespace helper
