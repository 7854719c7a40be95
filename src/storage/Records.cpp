#include "storage/Records.h"

#include <algorithm>

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
