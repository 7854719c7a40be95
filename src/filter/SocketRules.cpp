#include "filter/SocketRules.h"

#include <algorithm>
#include <bitset>
#include <cctype>
#include <string_view>

namespace filter {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

// An escape of `byte` in either case of its hex letters: the engine writes capitals, a page may
// write its own escapes in small letters and the engine sends them so.
std::string EscapePattern(unsigned char byte) {
    std::string pattern = "%";
    for (const int digit : {byte >> 4, byte & 15}) {
        if (digit < 10) {
            pattern += kHex[digit];
        } else {
            pattern += {'[', kHex[digit], static_cast<char>(kHex[digit] - 'A' + 'a'), ']'};
        }
    }
    return pattern;
}

// Bytes an address is never sent with as they are: the engine escapes them in every part of a
// WebSocket address.
bool SentEscaped(unsigned char byte) {
    return byte <= 0x20 || byte >= 0x7F || byte == '"' || byte == '#' || byte == '<' || byte == '>';
}

// Letters, digits, "-._~" and "%": their escapes have rules of their own whatever the words.
bool EscapeRefusedAnyway(unsigned char byte) {
    return std::isalnum(byte) ||
           std::string_view("-._~%").find(static_cast<char>(byte)) != std::string_view::npos;
}

// The engine's patterns take a subset of regular expressions over the address as it is sent:
// ASCII only, so other bytes stand as the percent escapes they are sent as.
std::string PatternFor(std::string_view word) {
    constexpr std::string_view kSpecial = ".*+?^$()[]{}|\\";
    std::string pattern;
    for (const char c : word) {
        const auto byte = static_cast<unsigned char>(c);
        if (SentEscaped(byte)) {
            pattern += EscapePattern(byte);
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
    // A page may escape any other sign a word holds ("c%2B%2B" for "c++"): the engine sends that
    // as it is, past the rule for the plain word, and the server reads it decoded.
    std::bitset<128> signs;
    for (const std::string& word : words) {
        for (const char c : word) {
            const auto byte = static_cast<unsigned char>(c);
            if (!SentEscaped(byte) && !EscapeRefusedAnyway(byte) && !signs[byte]) {
                signs[byte] = true;
                AddRule(rules, EscapePattern(byte));
            }
        }
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
