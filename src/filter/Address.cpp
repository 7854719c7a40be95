#include "filter/Address.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace filter {

namespace {

bool SameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::string WithScheme(std::string_view address) {
    if (address.empty()) {
        return {};
    }
    const std::size_t colon = address.find(':');
    if (colon != std::string_view::npos) {
        // The view ignores spaces around an address, so "  http://x" already has its scheme.
        std::string_view scheme = address.substr(0, colon);
        scheme.remove_prefix(std::min(scheme.find_first_not_of(" \t"), scheme.size()));
        // Schemes are case-blind: the start page "About:blank" is the view's own empty page.
        constexpr std::array<std::string_view, 3> kOpened{"http", "https", "about"};
        if (std::any_of(kOpened.begin(), kOpened.end(),
                        [scheme](std::string_view known) { return SameLetters(scheme, known); })) {
            return std::string(address);
        }
    }
    return "http://" + std::string(address);
}

}  // namespace filter
