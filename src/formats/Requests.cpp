#include "formats/Requests.h"

#include <algorithm>

namespace formats::requests {

namespace {

bool IsAddress(std::string_view text) {
    return !text.empty() && text.size() <= kMaxAddressBytes &&
           std::none_of(text.begin(), text.end(), [](char c) {
               const auto u = static_cast<unsigned char>(c);
               return u <= 0x20 || u == 0x7F;
           });
}

}  // namespace

std::vector<std::string> Parse(const std::vector<std::string>& lines) {
    std::vector<std::string> list;
    for (const auto& line : lines) {
        if (Add(list, line) == Added::Full) {
            break;
        }
    }
    return list;
}

Added Add(std::vector<std::string>& list, std::string_view address) {
    if (!IsAddress(address)) {
        return Added::NotAnAddress;
    }
    if (std::find(list.begin(), list.end(), address) != list.end()) {
        return Added::AlreadyThere;
    }
    if (list.size() >= kMaxRequests) {
        return Added::Full;
    }
    list.emplace_back(address);
    return Added::Added;
}

}  // namespace formats::requests
