#include "account/Login.h"
#include "helper/Account.h"
#include "helper/Commands.h"

namespace helper {

void LoginCommand(Request& request) {
    const Account account = TakeAccount(request.input);
    const int before = CheckLogin(request, account);
    request.output += "right\nwrong-before " + std::to_string(before) + "\n";
    if (account.password == account::kShippedPassword) {
        request.output += "shipped\n";
    }
}

}  // namespace helper
