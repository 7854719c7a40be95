#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace helper {

// The file's bytes; nothing when it is missing. Never follows a link; stops on anything that is
// no plain file, or cannot be read.
std::optional<std::string> ReadFile(const std::string& path);

// Replaces `file` in `folder` in one step, open to the folder's group and no one else; stops
// when it cannot.
void Replace(const std::string& folder, std::string_view file, std::string_view bytes);

// Standard input whole, waiting at most `seconds` for its end; stops on more than `max` bytes
// and, unless `bytes`, on a NUL byte.
std::string ReadInput(int fd, std::size_t max, double seconds, bool bytes);

// The folder's lock, held while it lives: one run at a time changes the folder, so many logins
// started at once each see the count the one before left. Waits at most `seconds` for a run
// before it, then stops.
class FolderLock {
public:
    FolderLock(const std::string& folder, double seconds);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    int fd_ = -1;
};

// Removes the copies a killed write of this program left beside the data files and the
// pictures. Returns how many.
int RemoveUnfinishedWrites(const std::string& folder);

// The pictures' folder in `folder`, made when `make` and missing; stops when it is missing or
// no folder.
std::string PictureFolder(const std::string& folder, bool make);
// Stops unless `name` is a picture's name as the program gives it.
std::string_view PictureName(std::string_view name);

// The files `read` gives out, and those `write` replaces with the parent's name and password.
bool Readable(std::string_view file);
bool Writable(std::string_view file);

// The local time now, in local seconds.
long long LocalNow();

}  // namespace helper
