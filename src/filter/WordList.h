#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "filter/BlockedWords.h"

namespace filter {

// "words.txt" kept in memory between checks. Every use looks at the file's size and times and
// reads it again only when they changed, so a word the parent adds counts at the next check.
class WordList {
public:
    enum class State {
        Missing,     // there is no such file
        Unreadable,  // something is there but it cannot be read, or it is no regular file
        Ready,
    };

    using Reader = std::function<std::optional<std::vector<std::string>>()>;

    // `read` reads the file's lines; by default the file at `path` is read directly.
    // What is kept of the file: the words prepared for checks, or only its lines as read.
    enum class Keep { Words, Lines };

    explicit WordList(std::string path, Reader read = {}, Keep keep = Keep::Words)
        : path_(std::move(path)), read_lines_(std::move(read)), keep_(keep) {}

    // Brings the list up to date with the file.
    State Refresh();
    // The words as last read; empty unless Refresh() said Ready and words are kept.
    const WordMatcher& Words() const { return *matcher_; }
    // The lines as last read; empty unless Refresh() said Ready and lines are kept.
    const std::vector<std::string>& Lines() const { return lines_; }
    // Changes whenever what Refresh() found changes: another state, or the file read again.
    unsigned long Generation() const { return generation_; }

    const std::string& Path() const { return path_; }

private:
    // No words, in `state`.
    State Empty(State state);

    struct Stamp {
        long long size = -1;
        long long modified = 0;
        long long changed = 0;
        unsigned long long inode = 0;
        bool operator==(const Stamp&) const = default;
    };

    std::string path_;
    Reader read_lines_;
    std::shared_ptr<const WordMatcher> matcher_ = std::make_shared<WordMatcher>();
    State state_ = State::Missing;
    Stamp stamp_;
    bool read_ = false;
    Keep keep_ = Keep::Words;
    std::vector<std::string> lines_;
    unsigned long generation_ = 0;
};

}  // namespace filter
