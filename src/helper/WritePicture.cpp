#include "formats/Pictures.h"
#include "helper/Account.h"
#include "helper/Commands.h"
#include "helper/Files.h"

namespace helper {

void WritePictureCommand(Request& request) {
    const std::string_view name = PictureName(request.args[0]);
    const Account account = TakeAccount(request.input);
    CheckLogin(request, account);
    if (!formats::pictures::IsAcceptable(account.rest, true)) {
        Fail(kDamaged, "no PNG picture of at most 64 KB");
    }
    Replace(PictureFolder(request.folder, true), name, account.rest);
}

}  // namespace helper
