#pragma once

#include <string>

namespace storage {

// The files the program keeps its state in, all in the program's own folder: the seven it has
// always had, and two for the settings beyond them, which may be missing.
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
}  // namespace files

// The folder with exactly one trailing separator, so callers can append a file name.
// A folder that already ends in the separator (a root such as "/" or "C:\") gets no second one.
std::string DataPath(const std::string& folder, char separator);

// DataPath with this platform's separator.
std::string DataPath(const std::string& folder);

}  // namespace storage
