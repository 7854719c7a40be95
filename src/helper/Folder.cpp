#include "helper/Folder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>

#include "helper/Commands.h"

namespace helper {

void CleanStart() {
    clearenv();
    setenv("PATH", "/usr/bin:/bin", 1);
    umask(007);
    for (int fd = 3; fd < 1024; ++fd) {
        close(fd);
    }
}

std::string ProgramFolder() {
    std::array<char, 4096> path{};
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (length <= 0) {
        Fail(kNoFolder, "cannot tell where this program lies");
    }
    std::string exe(path.data(), static_cast<std::size_t>(length));
    return exe.substr(0, exe.rfind('/'));
}

std::string UserName() {
    const passwd* user = getpwuid(getuid());
    const std::string name = user != nullptr ? user->pw_name : "";
    const bool plain =
        !name.empty() && name[0] != '.' && std::all_of(name.begin(), name.end(), [](char c) {
            return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.';
        });
    if (!plain) {
        Fail(kNoFolder, "the user running this program has no usable name");
    }
    return name;
}

// Root's, and closed to others: `groupOwned`, the folder's group is ours and may write;
// otherwise no one but root writes in it.
bool SafeFolder(const std::string& path, bool groupOwned) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != 0) {
        return false;
    }
    if (groupOwned) {
        return info.st_gid == getegid() && (info.st_mode & S_IRWXO) == 0;
    }
    return (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

std::string DataFolder(const std::string& program, const std::string& user) {
    const auto last = program.rfind('/');
    const auto up =
        last == std::string::npos || last == 0 ? std::string::npos : program.rfind('/', last - 1);
    if (up == std::string::npos) {
        Fail(kNoFolder, "this program is not in an install's program folder");
    }
    const std::string all = program.substr(0, up) + "/var/lib/lanternwick";
    const std::string own = all + "/" + user;
    if (!SafeFolder(program, false) || !SafeFolder(all, false) || !SafeFolder(own, true)) {
        Fail(kNoFolder, "no safe data folder for " + user + " in " + all);
    }
    return own + "/";
}

}  // namespace helper
