#include "browser/BlockedWords.h"

#include <algorithm>
#include <cctype>

namespace browser {

int BlockedWordCount(const std::vector<std::string>& words, std::string_view address) {
    return static_cast<int>(std::count_if(words.begin(), words.end(), [&](const std::string& w) {
        return !w.empty() && address.find(w) != std::string_view::npos;
    }));
}

bool IsBlankPage(std::string_view address) {
    constexpr std::string_view kBlank = "about:blank";
    return address.size() == kBlank.size() &&
           std::equal(address.begin(), address.end(), kBlank.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}

}  // namespace browser
