#pragma once

#include <array>

namespace formats {

// The files the program keeps its state in, all in one folder: the seven it has always had, and
// those beyond them, which may be missing: the settings, the time used today, the count of wrong
// tries at the login, in a family install how much the visit log grew today, the minutes used
// on each of the last days, and the child's requests for later.
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
inline constexpr const char* kLogGrowth = "loggroei.txt";
inline constexpr const char* kWeekTime = "tijdperweek.txt";
inline constexpr const char* kRequests = "verzoeken.txt";

inline constexpr std::array<const char*, 13> kAll = {
    kSites,    kBlockedWords, kVisitLog,   kStartPage, kLanguage, kPassword, kUserName,
    kSettings, kUsedTime,     kLoginTries, kLogGrowth, kWeekTime, kRequests};
}  // namespace files

}  // namespace formats
