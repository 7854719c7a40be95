#pragma once

#include <string>

namespace storage {

// The files the program keeps its state in, all in the program's own folder: the seven it has
// always had, and three beyond them, which may be missing: the settings, the time used today
// and the count of wrong tries at the login.
namespace files {
inline constexpr const char* kSites = "adressen.txt";
inline constexpr const char* kBlockedWords = "words.txt";
inline constexpr const char* kVisitLog = "bezochtesites.txt";
inline constexpr const char* kStartPage = "startpagina.txt";
inline constexpr const char* kLanguage = "languagechoose.txt";
inline constexpr const char* kPassword = "paswoordNr.txt";
inline constexpr const char* kUserName = "paswoordNaam.txt";
inline constexpr const char* kSettings = "instellingen.txt";
inline constexpr const char* kUsedTime = "tijdgebruik.txt";
inline constexpr const char* kLoginTries = "inlogpogingen.txt";
}  // namespace files

// The folder with exactly one trailing separator, so callers can append a file name.
// A folder that already ends in the separator (a root such as "/" or "C:\") gets no second one.
std::string DataPath(const std::string& folder, char separator);

// DataPath with this platform's separator.
std::string DataPath(const std::string& folder);

}  // namespace storage
