#include "storage/Records.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "basics/TextEncoding.h"

namespace storage {

namespace {
constexpr size_t kAddressColumn = 21;  // zero-based index of column 22
}

std::string SiteRecord(std::string_view name, std::string_view address) {
    const size_t nameChars = basics::CharCount(name);
    const size_t padding = nameChars < kAddressColumn ? kAddressColumn - nameChars : 1;
    std::string record(name);
    record.append(padding, ' ');
    record.append(address);
    return record;
}

std::string StartPageRecord(std::string_view name, std::string_view address) {
    return SiteRecord(name, std::string(kStartPageScheme) + std::string(address));
}

namespace {

bool SameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool IsControl(unsigned char c) {
    return c < 0x20 || c == 0x7F;
}

// The scheme at the front of `address`, or nothing: letters, digits, "+", "-" and "." from a
// letter up to a colon, unless the colon starts a port ("localhost:8080/x").
std::optional<std::string_view> SchemeOf(std::string_view address) {
    const size_t colon = address.find(':');
    if (colon == std::string_view::npos || colon == 0 ||
        !std::isalpha(static_cast<unsigned char>(address[0]))) {
        return std::nullopt;
    }
    const std::string_view scheme = address.substr(0, colon);
    if (!std::all_of(scheme.begin(), scheme.end(), [](char c) {
            return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
        })) {
        return std::nullopt;
    }
    const std::string_view rest = address.substr(colon + 1);
    const size_t digits = std::min(rest.find_first_not_of("0123456789"), rest.size());
    if (digits > 0 && (digits == rest.size() ||
                       std::string_view("/?#").find(rest[digits]) != std::string_view::npos)) {
        return std::nullopt;
    }
    return scheme;
}

}  // namespace

AddressProblem TypedAddressProblem(std::string_view address) {
    const std::string trimmed = basics::TrimSpaces(address);
    if (std::any_of(trimmed.begin(), trimmed.end(),
                    [](char c) { return c == ' ' || IsControl(static_cast<unsigned char>(c)); })) {
        return AddressProblem::BlankInside;
    }
    const auto scheme = SchemeOf(trimmed);
    if (scheme && !SameLetters(*scheme, "http") && !SameLetters(*scheme, "https")) {
        return AddressProblem::OtherScheme;
    }
    return AddressProblem::None;
}

bool HasControlCharacters(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return IsControl(static_cast<unsigned char>(c)); });
}

std::string TypedStartPageRecord(std::string_view name, std::string_view address) {
    const std::string trimmed = basics::TrimSpaces(address);
    const auto scheme = SchemeOf(trimmed);
    if (scheme && (SameLetters(*scheme, "http") || SameLetters(*scheme, "https"))) {
        return SiteRecord(name, trimmed);
    }
    return StartPageRecord(name, trimmed);
}

std::string SiteName(std::string_view record) {
    return basics::TrimTrailingSpaces(basics::CharSubstr(record, 0, kMaxSiteNameChars));
}

std::string SiteAddress(std::string_view record) {
    return basics::TrimSpaces(basics::CharSubstr(record, kMaxSiteNameChars));
}

std::string StartAddress(std::string_view record) {
    return basics::TrimSpaces(basics::CharSubstr(record, kAddressColumn));
}

}  // namespace storage
