#include "filter/SocketRules.h"

#include <algorithm>
#include <string_view>

namespace filter {

namespace {

// The engine's patterns take a subset of regular expressions over the address as it is sent:
// ASCII only, so other bytes stand as the percent escapes they are sent as.
std::string PatternFor(std::string_view word) {
    constexpr std::string_view kSpecial = ".*+?^$()[]{}|\\";
    constexpr char kHex[] = "0123456789ABCDEF";
    std::string pattern;
    for (const char c : word) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F) {
            pattern += {'%', kHex[byte >> 4], kHex[byte & 15]};
        } else {
            if (kSpecial.find(c) != std::string_view::npos) {
                pattern += '\\';
            }
            pattern += c;
        }
    }
    return pattern;
}

std::string JsonString(std::string_view text) {
    std::string json = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            json += '\\';
        }
        json += c;
    }
    return json + '"';
}

void AddRule(std::string& rules, std::string_view pattern) {
    rules += rules.empty() ? "[" : ",";
    // Anchored at the WebSocket schemes, so that the address of any other request leaves the
    // engine's automaton at its first letter: a long list costs the pages' requests nothing.
    rules += R"({"trigger":{"url-filter":)" + JsonString("^wss?://.*" + std::string(pattern)) +
             R"(,"url-filter-is-case-sensitive":true,"resource-type":["websocket"]},)"
             R"("action":{"type":"block"}})";
}

}  // namespace

std::string SocketRulesFor(const std::vector<std::string>& words) {
    const auto listed = std::count_if(words.begin(), words.end(),
                                      [](const std::string& word) { return !word.empty(); });
    if (listed > kMostSocketWords) {
        return SocketRulesRefusingAll();
    }
    std::string rules;
    for (const std::string& word : words) {
        if (!word.empty()) {
            AddRule(rules, PatternFor(word));
        }
    }
    if (rules.empty()) {
        return rules;
    }
    for (const char* escape : {"%3[0-9]", "%4[1-9A-Fa-f]", "%5[0-9Aa]", "%6[1-9A-Fa-f]",
                               "%7[0-9Aa]", "%2[DdEe]", "%5[Ff]", "%7[Ee]", "%25"}) {
        AddRule(rules, escape);
    }
    return rules + "]";
}

std::string SocketRulesForList(ListState state, const std::vector<std::string>& lines) {
    return state == ListState::Present ? SocketRulesFor(lines) : SocketRulesRefusingAll();
}

std::string SocketRulesRefusingAll() {
    std::string rules;
    AddRule(rules, ".*");
    return rules + "]";
}

}  // namespace filter
