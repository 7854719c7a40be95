// The WebSocket rules handed to the engine's content blocker, applied here as the engine applies
// them: each rule's url-filter is a regular expression searched for in the address as sent.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "filter/SocketRules.h"

namespace {

using filter::ListState;

bool Refused(const std::string& rules, const std::string& address) {
    const std::string filterKey = "\"url-filter\":\"";
    int filters = 0;
    bool refused = false;
    for (size_t at = rules.find(filterKey); at != std::string::npos;
         at = rules.find(filterKey, at)) {
        ++filters;
        std::string pattern;
        for (at += filterKey.size(); rules.at(at) != '"'; ++at) {
            at += rules[at] == '\\';
            pattern += rules.at(at);
        }
        refused = refused || std::regex_search(address, std::regex(pattern));
    }
    // Every rule is a case-sensitive one for WebSocket connections only: no other request of a
    // page may be refused by them.
    int socketOnly = 0;
    const std::string scope =
        R"("url-filter-is-case-sensitive":true,"resource-type":["websocket"]},"action":{"type":"block"}})";
    for (size_t at = rules.find(scope); at != std::string::npos; at = rules.find(scope, at + 1)) {
        ++socketOnly;
    }
    EXPECT_EQ(socketOnly, filters);
    return refused;
}

// "q" and four letters from "a" to "j", as many as asked: none occurs in the rows' addresses.
std::vector<std::string> ManyWords(int count) {
    std::vector<std::string> words;
    for (int n = 0; n < count; ++n) {
        std::string word = "q";
        for (int place = 1000; place > 0; place /= 10) {
            word += static_cast<char>('a' + n / place % 10);
        }
        words.push_back(word);
    }
    return words;
}

const std::vector<std::string> kWords = {"casino", "", "sex shop", "caf\xC3\xA9", "a.b", "c++"};

struct Row {
    const char* name;
    const char* address;
    bool refused;
    std::vector<std::string> words = kWords;
    ListState list = ListState::Present;
};

std::ostream& operator<<(std::ostream& out, const Row& row) {
    return out << row.name;
}

class SocketRules : public ::testing::TestWithParam<Row> {};

TEST_P(SocketRules, RefuseOrPass) {
    const Row& row = GetParam();
    EXPECT_EQ(Refused(filter::SocketRulesForList(row.list, row.words), row.address), row.refused);
}

const std::vector<std::string> kTenThousand = ManyWords(10000);
const std::vector<std::string> kMore = ManyWords(10001);
const std::vector<std::string> kTenThousandAndBlanks = [] {
    auto words = ManyWords(10000);
    words.insert(words.end(), 5, "");
    return words;
}();

const Row kRows[] = {
    {"Word", "wss://chat.example/casino", true},
    {"WordInHost", "ws://casino.example/", true},
    {"WordInQuery", "wss://chat.example/?room=casino", true},
    {"PlainAddressPasses", "wss://chat.example/room?id=7", false},
    {"CaseCounts", "wss://chat.example/CASINO", false},
    {"OnlyWebSocketSchemes", "https://chat.example/casino", false},
    {"EscapedLetter", "wss://chat.example/%41", true},
    {"EscapedSmallLetter", "wss://chat.example/c%61sino", true},
    {"EscapedDigit", "wss://chat.example/%39", true},
    {"EscapedDotAndTilde", "wss://chat.example/%2e%7E", true},
    {"EscapedPercent", "wss://chat.example/%2561", true},
    {"EscapedSlashPasses", "wss://chat.example/a%2Fb", false},
    {"EscapedSpacePasses", "wss://chat.example/hello%20world", false},
    {"WordWithASpaceAsSent", "wss://chat.example/sex%20shop", true},
    {"NonAsciiWordAsSent", "wss://chat.example/caf%C3%A9", true},
    {"NonAsciiWordSmallEscapes", "wss://chat.example/caf%c3%a9", true},
    {"OtherNonAsciiLetterPasses", "wss://chat.example/caf%C3%A8", false},
    {"DotIsNoWildcard", "wss://chat.example/aXb", false},
    {"DotWord", "wss://chat.example/a.b", true},
    {"PunctuationWord", "wss://chat.example/c++", true},
    {"PunctuationWordEscaped", "wss://chat.example/c%2B%2b", true},
    {"EmptyListRefusesNothing", "wss://chat.example/%41", false, {}},
    {"BlankLinesRefuseNothing", "wss://chat.example/%41", false, {"", ""}},
    {"MissingListRefusesAll", "wss://chat.example/room", true, {}, ListState::Missing},
    {"UnreadableListRefusesAll", "wss://chat.example/room", true, kWords, ListState::Unreadable},
    {"TenThousandWordsKeepTheirRules", "wss://chat.example/room", false, kTenThousand},
    {"TenThousandWordsLastOneRefused", "wss://chat.example/qjjjj", true, kTenThousand},
    {"BlankLinesDoNotCountTowardsTheMost", "wss://chat.example/room", false, kTenThousandAndBlanks},
    {"BeyondTenThousandRefusesAll", "wss://chat.example/room", true, kMore},
};

INSTANTIATE_TEST_SUITE_P(Rows, SocketRules, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
