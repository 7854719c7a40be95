#pragma once

#include <optional>
#include <string_view>

namespace formats {

// A whole number from `min` to `max` written with digits only; nothing otherwise.
inline std::optional<long long> ParseBoundedNumber(std::string_view text, long long min,
                                                   long long max) {
    // More digits than this cannot be in range and would overflow.
    if (text.empty() || text.size() > 18) {
        return std::nullopt;
    }
    long long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    if (value < min || value > max) {
        return std::nullopt;
    }
    return value;
}

}  // namespace formats
