#include <dirent.h>
#include <sys/stat.h>

#include "formats/Pictures.h"
#include "helper/Commands.h"
#include "helper/Files.h"

namespace helper {

// More than the panel's eighteen sites and the pictures of sites deleted since the last save:
// a child running this by hand cannot fill the disk with pictures.
constexpr int kMaxPictureFiles = 64;

int CountEntries(const std::string& folder) {
    int count = 0;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            const std::string_view name = entry->d_name;
            count += name != "." && name != ".." ? 1 : 0;
        }
        closedir(dir);
    }
    return count;
}

void AddPictureCommand(Request& request) {
    const std::string_view name = PictureName(request.args[0]);
    if (!formats::pictures::IsAcceptable(request.input, false)) {
        Fail(kDamaged, "no PNG picture of at most 64 KB");
    }
    const std::string pictures = PictureFolder(request.folder, true);
    struct stat info {};
    if (lstat((pictures + std::string(name)).c_str(), &info) == 0) {
        Fail(kRefused, "the site has a picture: only a parent changes it");
    }
    if (CountEntries(pictures) >= kMaxPictureFiles) {
        Fail(kRefused, "there are as many pictures as this program keeps");
    }
    Replace(pictures, name, request.input);
}

}  // namespace helper
