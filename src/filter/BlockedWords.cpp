#include "filter/BlockedWords.h"

#include <algorithm>
#include <cctype>

namespace filter {

WordMatcher::WordMatcher(const std::vector<std::string>& words) {
    struct Edge {
        int32_t parent;
        unsigned char byte;
        int32_t child;
    };
    std::vector<Edge> edges;
    size_t letters = 0;
    for (const std::string& word : words) {
        letters += word.size();
    }
    edges.reserve(letters);
    wordAt_.reserve(letters + 1);
    // The trie's steps while it is built: (node, byte) to child, open addressing in one block,
    // as one allocation per step made the building of a long list slow.
    size_t capacity = 16;
    while (capacity < 2 * letters) {
        capacity *= 2;
    }
    struct Step {
        uint64_t key = 0;  // (node << 8 | byte) + 1; 0 is a free slot
        int32_t child = 0;
    };
    std::vector<Step> step(capacity);
    auto childFor = [&](uint64_t key, int32_t fresh, bool& added) -> int32_t {
        for (size_t at = (key * 0x9E3779B97F4A7C15ULL) >> 20 & (capacity - 1);;
             at = (at + 1) & (capacity - 1)) {
            if (step[at].key == key) {
                added = false;
                return step[at].child;
            }
            if (step[at].key == 0) {
                step[at] = {key, fresh};
                added = true;
                return fresh;
            }
        }
    };
    int32_t nodes = 1;
    wordAt_.push_back(-1);
    nextSame_.assign(words.size(), -1);
    std::vector<int32_t> lastSame(1, -1);
    lastSame.reserve(letters + 1);
    for (size_t line = 0; line < words.size(); ++line) {
        const std::string& word = words[line];
        if (word.empty()) {
            continue;
        }
        int32_t node = 0;
        for (const char c : word) {
            const auto byte = static_cast<unsigned char>(c);
            bool added = false;
            const int32_t child =
                childFor(((static_cast<uint64_t>(node) << 8) | byte) + 1, nodes, added);
            if (added) {
                edges.push_back({node, byte, nodes++});
                wordAt_.push_back(-1);
                lastSame.push_back(-1);
            }
            node = child;
        }
        const auto id = static_cast<int32_t>(line);
        if (wordAt_[node] < 0) {
            wordAt_[node] = id;
        } else {
            nextSame_[lastSame[node]] = id;
        }
        lastSame[node] = id;
        ++lines_;
    }
    step = {};

    // Edges grouped by parent with one counting pass (a full sort of a long list's edges took
    // most of the time), then each node's few edges put in byte order.
    firstEdge_.assign(nodes + 1, 0);
    for (const Edge& e : edges) {
        ++firstEdge_[e.parent + 1];
    }
    for (int32_t n = 0; n < nodes; ++n) {
        firstEdge_[n + 1] += firstEdge_[n];
    }
    edgeByte_.assign(edges.size(), 0);
    edgeChild_.assign(edges.size(), 0);
    std::vector<int32_t> next(firstEdge_.begin(), firstEdge_.end() - 1);
    std::fill(std::begin(root_), std::end(root_), -1);
    for (const Edge& e : edges) {
        const int32_t at = next[e.parent]++;
        edgeByte_[at] = e.byte;
        edgeChild_[at] = e.child;
        if (e.parent == 0) {
            root_[e.byte] = e.child;
        }
    }
    edges = {};
    for (int32_t n = 0; n < nodes; ++n) {
        for (int32_t i = firstEdge_[n] + 1; i < firstEdge_[n + 1]; ++i) {
            for (int32_t j = i; j > firstEdge_[n] && edgeByte_[j - 1] > edgeByte_[j]; --j) {
                std::swap(edgeByte_[j - 1], edgeByte_[j]);
                std::swap(edgeChild_[j - 1], edgeChild_[j]);
            }
        }
    }

    // Fail and dictionary links, breadth first so that every shorter suffix is done before.
    fail_.assign(nodes, 0);
    dictLink_.assign(nodes, -1);
    std::vector<int32_t> queue;
    queue.reserve(nodes);
    for (int32_t e = firstEdge_[0]; e < firstEdge_[1]; ++e) {
        queue.push_back(edgeChild_[e]);
    }
    for (size_t head = 0; head < queue.size(); ++head) {
        const int32_t node = queue[head];
        for (int32_t e = firstEdge_[node]; e < firstEdge_[node + 1]; ++e) {
            const int32_t child = edgeChild_[e];
            int32_t f = fail_[node];
            int32_t to = Child(f, edgeByte_[e]);
            while (to < 0 && f != 0) {
                f = fail_[f];
                to = Child(f, edgeByte_[e]);
            }
            fail_[child] = to < 0 ? 0 : to;
            dictLink_[child] = wordAt_[fail_[child]] >= 0 ? fail_[child] : dictLink_[fail_[child]];
            queue.push_back(child);
        }
    }
}

int32_t WordMatcher::Child(int32_t node, unsigned char byte) const {
    if (node == 0) {
        return root_[byte];
    }
    const auto from = edgeByte_.begin() + firstEdge_[node];
    const auto to = edgeByte_.begin() + firstEdge_[node + 1];
    const auto at = std::lower_bound(from, to, byte);
    return at != to && *at == byte ? edgeChild_[at - edgeByte_.begin()] : -1;
}

void WordMatcher::Scan(std::string_view text, std::vector<int32_t>& found) const {
    int32_t state = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        int32_t to = Child(state, byte);
        while (to < 0 && state != 0) {
            state = fail_[state];
            to = Child(state, byte);
        }
        state = to < 0 ? 0 : to;
        for (int32_t d = wordAt_[state] >= 0 ? state : dictLink_[state]; d >= 0; d = dictLink_[d]) {
            for (int32_t line = wordAt_[d]; line >= 0; line = nextSame_[line]) {
                if (std::find(found.begin(), found.end(), line) == found.end()) {
                    found.push_back(line);
                }
            }
        }
    }
}

int WordMatcher::Count(std::string_view address) const {
    if (lines_ == 0) {
        return 0;
    }
    std::vector<int32_t> found;
    for (const std::string& form : DecodedForms(address)) {
        Scan(form, found);
    }
    return static_cast<int>(found.size());
}

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace

std::vector<std::string> DecodedForms(std::string_view address) {
    std::vector<std::string> forms{std::string(address)};
    // Every decoding that changes anything makes the text shorter, so this ends.
    for (;;) {
        const std::string& last = forms.back();
        std::string decoded;
        decoded.reserve(last.size());
        for (size_t i = 0; i < last.size(); ++i) {
            int high = 0;
            int low = 0;
            if (last[i] == '%' && i + 2 < last.size() && (high = HexValue(last[i + 1])) >= 0 &&
                (low = HexValue(last[i + 2])) >= 0) {
                decoded.push_back(static_cast<char>(high * 16 + low));
                i += 2;
            } else {
                decoded.push_back(last[i]);
            }
        }
        if (decoded.size() == last.size()) {
            return forms;
        }
        forms.push_back(std::move(decoded));
    }
}

int BlockedWordCount(const std::vector<std::string>& words, std::string_view address) {
    return WordMatcher(words).Count(address);
}

bool IsBlankPage(std::string_view address) {
    constexpr std::string_view kBlank = "about:blank";
    return address.size() == kBlank.size() &&
           std::equal(address.begin(), address.end(), kBlank.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}

}  // namespace filter
