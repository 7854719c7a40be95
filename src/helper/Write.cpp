#include "account/Login.h"
#include "formats/Files.h"
#include "formats/Lines.h"
#include "helper/Account.h"
#include "helper/Commands.h"
#include "helper/Files.h"

namespace helper {

// The password file may be written (with the password), never read out; the user name is
// neither: it is set by the install.
bool Writable(std::string_view file) {
    return Readable(file) || file == formats::files::kPassword;
}

void WriteCommand(Request& request) {
    const std::string& file = request.args[0];
    if (!Writable(file)) {
        Fail(kBadArguments, "not a file this program writes: " + file);
    }
    const Account account = TakeAccount(request.input);
    CheckLogin(request, account);
    const auto lines = formats::SplitLines(account.rest);
    if (file == formats::files::kPassword &&
        (lines.size() != 1 || account::CheckNewPassword(lines[0]).has_value())) {
        Fail(kBadArguments,
             "a new password is one line of at least 4 characters, not the installation's");
    }
    Replace(request.folder, file, formats::CrLfText(lines));
}

}  // namespace helper
