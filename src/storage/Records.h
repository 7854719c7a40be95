#pragma once

#include <string>
#include <string_view>

// Site and start-page records: the display name in columns 1 to 20, spaces up to and
// including column 21, the address from column 22. Columns count characters.
namespace storage {

inline constexpr size_t kMaxSiteNameChars = 20;
inline constexpr size_t kMaxAddressChars = 70;
inline constexpr const char* kStartPageScheme = "http://";

// The name, then (21 minus its length) spaces, then the address. A longer name would break
// the columns; the editors refuse it before a record is built, and here it still keeps one
// separating space so the record stays readable.
std::string SiteRecord(std::string_view name, std::string_view address);

// A site record with "http://" in front of the address.
std::string StartPageRecord(std::string_view name, std::string_view address);

// Columns 1 to 20 without trailing spaces.
std::string SiteName(std::string_view record);

// Column 21 to the end of the line, spaces removed at both ends. Reading to the end (instead
// of a 70-column window from column 21) keeps a 70-character address whole.
std::string SiteAddress(std::string_view record);

// Column 22 to the end of the line, spaces removed at both ends, so "http://" plus a
// 70-character address comes back whole.
std::string StartAddress(std::string_view record);

// What keeps a typed address from opening as a web page, if anything. The view opens http and
// https, and an address without a scheme as http ("www.example.org", "localhost:8080/x");
// other schemes (javascript:, file:, data:, ...) and blanks or control characters inside the
// address would show the child an error or nothing. Blanks around it count for nothing.
enum class AddressProblem { None, OtherScheme, BlankInside };
AddressProblem TypedAddressProblem(std::string_view address);

// Whether `text` holds a tab, a line break or another control character, which would throw a
// record's columns out of line.
bool HasControlCharacters(std::string_view text);

// The start page's record for a typed address: "http://" in front, unless the parent typed
// http:// or https:// already.
std::string TypedStartPageRecord(std::string_view name, std::string_view address);

}  // namespace storage
