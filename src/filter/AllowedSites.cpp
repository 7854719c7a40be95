#include "filter/AllowedSites.h"

#include <algorithm>

namespace filter {

namespace {

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    c = Lower(c);
    return (c >= 'a' && c <= 'f') ? c - 'a' + 10 : -1;
}

// What an engine does to typed text before it reads an address: spaces and controls at both
// ends go, tabs and line breaks anywhere go.
std::string Cleaned(std::string_view address) {
    size_t first = 0;
    size_t last = address.size();
    while (first < last && static_cast<unsigned char>(address[first]) <= 0x20) {
        ++first;
    }
    while (last > first && static_cast<unsigned char>(address[last - 1]) <= 0x20) {
        --last;
    }
    std::string cleaned;
    for (const char c : address.substr(first, last - first)) {
        if (c != '\t' && c != '\r' && c != '\n') {
            cleaned += c;
        }
    }
    return cleaned;
}

// The scheme in lower case, or nothing when the address does not start with one.
std::optional<std::string> SchemeOf(std::string_view address) {
    const size_t colon = address.find(':');
    if (colon == std::string_view::npos || colon == 0 || !IsAsciiLetter(address[0])) {
        return std::nullopt;
    }
    std::string scheme;
    for (const char c : address.substr(0, colon)) {
        if (!IsAsciiLetter(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.') {
            return std::nullopt;
        }
        scheme += Lower(c);
    }
    return scheme;
}

std::string PercentDecoded(std::string_view text) {
    std::string decoded;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
            HexValue(text[i + 2]) >= 0) {
            decoded += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

// A host to compare: lower case, one trailing dot dropped; nothing if an engine would refuse
// it or read it as something else.
std::optional<std::string> NormalHost(std::string_view raw) {
    const std::string decoded = PercentDecoded(raw);
    if (decoded.empty()) {
        return std::nullopt;
    }
    std::string host;
    const bool bracketed = decoded.front() == '[';
    for (const char c : decoded) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u >= 0x7F) {
            return std::nullopt;
        }
        static constexpr std::string_view kForbidden = "#%/:<>?@[\\]^|";
        if (!bracketed && kForbidden.find(c) != std::string_view::npos) {
            return std::nullopt;
        }
        host += Lower(c);
    }
    if (bracketed) {
        // An IPv6 address: hex digits, colons and dots between the brackets, nothing after.
        if (host.size() < 3 || host.back() != ']' ||
            !std::all_of(host.begin() + 1, host.end() - 1,
                         [](char c) { return HexValue(c) >= 0 || c == ':' || c == '.'; })) {
            return std::nullopt;
        }
        return host;
    }
    if (host.back() == '.') {
        host.pop_back();
    }
    if (host.empty() || host.front() == '.' || host.find("..") != std::string::npos) {
        return std::nullopt;
    }
    return host;
}

bool IsSubdomainOrSame(const std::string& host, const std::string& allowed) {
    return host == allowed ||
           (host.size() > allowed.size() && host.ends_with(allowed) &&
            host[host.size() - allowed.size() - 1] == '.' && allowed.front() != '[');
}

// An address split where a web engine splits it; the port is the one written, if any.
struct WebParts {
    std::string scheme;
    std::string host;
    std::string port;
    std::string path;  // up to the query, with backslashes read as slashes
};

std::optional<WebParts> Split(std::string_view address) {
    const std::string cleaned = Cleaned(address);
    const auto scheme = SchemeOf(cleaned);
    if (!scheme || (*scheme != "http" && *scheme != "https")) {
        return std::nullopt;
    }
    // Web addresses take any run of slashes and backslashes after the scheme.
    size_t start = scheme->size() + 1;
    while (start < cleaned.size() && (cleaned[start] == '/' || cleaned[start] == '\\')) {
        ++start;
    }
    const size_t end = cleaned.find_first_of("/\\?#", start);
    std::string_view authority(cleaned);
    authority = authority.substr(start, end == std::string::npos ? std::string::npos : end - start);
    // Everything up to the last "@" is a user name and password, not the host.
    if (const size_t at = authority.rfind('@'); at != std::string_view::npos) {
        authority.remove_prefix(at + 1);
    }
    std::string_view host = authority;
    std::string_view port;
    if (!authority.empty() && authority.front() == '[') {
        const size_t close = authority.find(']');
        if (close == std::string_view::npos) {
            return std::nullopt;
        }
        host = authority.substr(0, close + 1);
        const std::string_view rest = authority.substr(close + 1);
        if (!rest.empty() && rest.front() != ':') {
            return std::nullopt;
        }
        port = rest.empty() ? rest : rest.substr(1);
    } else if (const size_t colon = authority.find(':'); colon != std::string_view::npos) {
        host = authority.substr(0, colon);
        port = authority.substr(colon + 1);
    }
    if (!std::all_of(port.begin(), port.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
        port.size() > 5) {
        return std::nullopt;
    }
    auto normal = NormalHost(host);
    if (!normal) {
        return std::nullopt;
    }
    std::string path;
    if (end != std::string::npos) {
        path = cleaned.substr(end, cleaned.find_first_of("?#", end) - end);
        std::replace(path.begin(), path.end(), '\\', '/');
    }
    while (port.size() > 1 && port.front() == '0') {
        port.remove_prefix(1);
    }
    return WebParts{*scheme, std::move(*normal), std::string(port), std::move(path)};
}

std::optional<WebParts> AllowedParts(std::string_view stored) {
    std::string address = Cleaned(stored);
    const auto scheme = SchemeOf(address);
    // "localhost:8080" has no scheme: only "name://" or a web scheme's "http:" counts as one.
    const bool hasScheme = scheme && (address.compare(scheme->size(), 3, "://") == 0 ||
                                      *scheme == "http" || *scheme == "https");
    if (!hasScheme) {
        address = "http://" + address;
    }
    auto parts = Split(address);
    if (parts && parts->host.starts_with("www.") && parts->host.find('.', 4) != std::string::npos) {
        parts->host.erase(0, 4);
    }
    return parts;
}

std::optional<std::string> AllowedHost(std::string_view stored) {
    auto parts = AllowedParts(stored);
    return parts ? std::optional(std::move(parts->host)) : std::nullopt;
}

// How much of the page's host, port and path the listed address names, when the page lies
// under it; nothing when the page is elsewhere on the host.
std::optional<std::size_t> Under(const WebParts& page, const WebParts& site) {
    if (!site.port.empty()) {
        const std::string pagePort =
            !page.port.empty() ? page.port : (page.scheme == "https" ? "443" : "80");
        if (pagePort != site.port) {
            return std::nullopt;
        }
    }
    std::string_view path = site.path;
    if (path == "/") {
        path = {};
    }
    // "/kids" holds "/kids/games" but not "/kidsgames".
    if (!page.path.starts_with(path) ||
        (!path.empty() && path.back() != '/' && page.path.size() > path.size() &&
         page.path[path.size()] != '/')) {
        return std::nullopt;
    }
    return site.host.size() + site.port.size() + path.size();
}

}  // namespace

std::optional<std::string> WebHost(std::string_view address) {
    auto parts = Split(address);
    return parts ? std::optional(std::move(parts->host)) : std::nullopt;
}

bool IsAllowedSite(std::string_view address, const std::vector<std::string>& allowedAddresses) {
    std::string lower = Cleaned(address);
    std::transform(lower.begin(), lower.end(), lower.begin(), Lower);
    if (lower == "about:blank") {
        return true;
    }
    const auto host = WebHost(address);
    if (!host) {
        return false;
    }
    return std::any_of(allowedAddresses.begin(), allowedAddresses.end(), [&](const auto& a) {
        const auto allowed = AllowedHost(a);
        return allowed && IsSubdomainOrSame(*host, *allowed);
    });
}

std::optional<std::size_t> BestListedSite(std::string_view page,
                                          const std::vector<std::string>& addresses) {
    const auto parts = Split(page);
    if (!parts) {
        return std::nullopt;
    }
    std::optional<std::size_t> best;
    std::optional<std::size_t> bestLength;
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        const auto site = AllowedParts(addresses[i]);
        if (!site || !IsSubdomainOrSame(parts->host, site->host)) {
            continue;
        }
        const auto length = Under(*parts, *site);
        if (!best || (length && (!bestLength || *length > *bestLength))) {
            best = i;
            bestLength = length;
        }
    }
    return best;
}

}  // namespace filter
