#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace filter {

// The blocked words, prepared once so that an address is scanned for all of them in one pass
// (Aho-Corasick). Matching is exact and case-sensitive, on each line as stored; empty lines never
// match.
class WordMatcher {
public:
    WordMatcher() = default;
    explicit WordMatcher(const std::vector<std::string>& words);

    // How many lines of the list occur in the address as written or in any of its percent-decoded
    // forms. A word listed twice counts twice; a word that occurs several times counts once.
    int Count(std::string_view address) const;
    bool Blocks(std::string_view address) const { return Count(address) > 0; }
    bool Empty() const { return lines_ == 0; }

private:
    int32_t Child(int32_t node, unsigned char byte) const;  // -1: none
    void Scan(std::string_view text, std::vector<int32_t>& found) const;

    // The trie in compact form: the edges of node n are firstEdge_[n] to firstEdge_[n + 1] - 1,
    // sorted by byte. The root's edges are also kept as a full table, as every byte starts there.
    std::vector<int32_t> firstEdge_;
    std::vector<unsigned char> edgeByte_;
    std::vector<int32_t> edgeChild_;
    int32_t root_[256] = {};
    std::vector<int32_t> fail_;
    std::vector<int32_t> wordAt_;    // first word line that ends at the node, or -1
    std::vector<int32_t> nextSame_;  // by line: the next line with the same word, or -1
    std::vector<int32_t> dictLink_;  // nearest node along the fail links where a word ends
    int lines_ = 0;
};

// The address followed by each further percent-decoding of it, until decoding changes nothing,
// so that "%2569" cannot hide what "%69" would show.
std::vector<std::string> DecodedForms(std::string_view address);

// How many lines of the list occur in the address; see WordMatcher::Count.
int BlockedWordCount(const std::vector<std::string>& words, std::string_view address);

// The empty page the browser falls back to. It holds nothing, so no word list may keep the
// browser from showing it.
inline constexpr const char* kBlankPage = "about:blank";
bool IsBlankPage(std::string_view address);

}  // namespace filter
