#include "formats/Pictures.h"
#include "helper/Commands.h"
#include "helper/Files.h"

namespace helper {

void ReadPictureCommand(Request& request) {
    const std::string_view name = PictureName(request.args[0]);
    const auto bytes = ReadFile(PictureFolder(request.folder, false) + std::string(name));
    if (!bytes) {
        Fail(kMissing, std::string(name) + " is missing");
    }
    if (!formats::pictures::IsAcceptable(*bytes, true)) {
        Fail(kDamaged, std::string(name) + " is no PNG picture of at most 64 KB");
    }
    request.output += *bytes;
}

}  // namespace helper
