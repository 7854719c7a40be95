#pragma once

#include <string>

namespace helper {

// The caller's environment, open files and umask are not ours.
void CleanStart();

// Where this program lies, never what the caller says.
std::string ProgramFolder();
// The name of the user who runs this program; stops when it is none a folder may have.
std::string UserName();

// ROOT/opt/lanternwick/ holds this program; ROOT/var/lib/lanternwick/USER/ the child's data,
// returned with a trailing "/". Every folder on the way must be root's and closed to others;
// stops otherwise.
std::string DataFolder(const std::string& programFolder, const std::string& user);

}  // namespace helper
