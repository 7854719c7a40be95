#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace browser {

// How many lines of the blocked-words list occur in the address: exact, case-sensitive, on the
// whole line as stored. Empty lines never match; a word listed twice counts twice; a word that
// occurs several times in the address counts once.
int BlockedWordCount(const std::vector<std::string>& words, std::string_view address);

// The empty page the browser falls back to. It holds nothing, so no word list may keep the
// browser from showing it.
bool IsBlankPage(std::string_view address);

}  // namespace browser
