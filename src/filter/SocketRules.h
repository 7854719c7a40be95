#pragma once

#include <string>
#include <vector>

#include "filter/Decision.h"

namespace filter {

// WebSocket connections opened inside a page's workers pass neither the page process's request
// signal nor the guards put into its frames; the engine's content blocker is the one place that
// sees them. These are its rules, in the engine's JSON format, for WebSocket connections only.

// Refuses every connection whose address holds one of `words` as it is sent (case-sensitive;
// what the engine always escapes, as spaces, quotes and bytes beyond ASCII, as its escape in
// either case), and every one that escapes a letter, digit or "-._~", a "%" or another sign some
// word holds: no honest client does, and the server would read such an escape decoded, past a
// rule for the plain word.
// Empty when there is no word to refuse. A longer list than kMostSocketWords gives the rules of
// SocketRulesRefusingAll(): the engine checks every request of a page against its rules, and
// beyond some ten thousand rules that slows every page by a third.
inline constexpr long kMostSocketWords = 10000;
std::string SocketRulesFor(const std::vector<std::string>& words);

// Refuses every connection: for a word list that is missing or cannot be read.
std::string SocketRulesRefusingAll();

// The rules for the list as it was found: its lines when it is there, every connection refused
// when it is not, as every other request is then refused too.
std::string SocketRulesForList(ListState state, const std::vector<std::string>& lines);

}  // namespace filter
