#include <dirent.h>
#include <unistd.h>

#include <algorithm>

#include "formats/Lines.h"
#include "helper/Account.h"
#include "helper/Commands.h"
#include "helper/Files.h"

namespace helper {

void KeepPicturesCommand(Request& request) {
    const Account account = TakeAccount(request.input);
    CheckLogin(request, account);
    const auto kept = formats::SplitLines(account.rest);
    const std::string pictures = PictureFolder(request.folder, true);
    std::vector<std::string> names;
    if (DIR* dir = opendir(pictures.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") {
                names.push_back(name);
            }
        }
        closedir(dir);
    }
    for (const auto& file : names) {
        if (std::find(kept.begin(), kept.end(), file) == kept.end()) {
            unlink((pictures + file).c_str());
        }
    }
}

}  // namespace helper
