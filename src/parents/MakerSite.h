#pragma once

#include <string>

// The maker's web pages that the parents' panel opens in the child's window. Reserved
// ".example" hosts stand in until the project has a site of its own.
namespace parents::maker {

inline const std::string kSite = "http://www.lanternwick.example";
inline const std::string kDevelopers = kSite + "/lanternwick/help/developers.html";
inline const std::string kDonation = kSite + "/lanternwick/donate.htm";
inline const std::string kRegistration = kSite + "/lanternwick/Registration.asp";
inline const std::string kSubmit = kSite + "/lanternwick/submitsite.asp";
inline const std::string kVersion = kSite + "/lanternwick/checkversion.asp?id=2";
inline const std::string kForum = "http://forum.lanternwick.example/";

}  // namespace parents::maker
