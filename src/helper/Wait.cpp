#include "account/Login.h"
#include "helper/Account.h"

namespace helper {

void WaitCommand(Request& request) {
    const auto attempts = StoredAttempts(request);
    request.output +=
        std::to_string(WholeSeconds(account::RemainingWait(attempts, request.now))) + "\n";
}

}  // namespace helper
