#include "filter/WordList.h"

#include <sys/stat.h>

#include <cerrno>

#include "storage/LineFile.h"

namespace filter {

WordList::State WordList::Refresh() {
    struct stat info {};
    if (stat(path_.c_str(), &info) != 0) {
        return Empty(errno == ENOENT || errno == ENOTDIR ? State::Missing : State::Unreadable);
    }
    if (!S_ISREG(info.st_mode)) {
        return Empty(State::Unreadable);
    }
    const Stamp now{
        static_cast<long long>(info.st_size),
        static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec,
        static_cast<long long>(info.st_ctim.tv_sec) * 1000000000LL + info.st_ctim.tv_nsec,
        static_cast<unsigned long long>(info.st_ino)};
    if (read_ && now == stamp_) {
        return state_;
    }
    const auto lines = read_lines_ ? read_lines_() : storage::ReadAllLines(path_);
    if (!lines) {
        return Empty(State::Unreadable);
    }
    if (keep_ == Keep::Words) {
        matcher_ = std::make_shared<WordMatcher>(*lines);
    } else {
        lines_ = std::move(*lines);
    }
    stamp_ = now;
    read_ = true;
    ++generation_;
    return state_ = State::Ready;
}

WordList::State WordList::Empty(State state) {
    if (state != state_ || read_) {
        matcher_ = std::make_shared<WordMatcher>();
        lines_.clear();
        read_ = false;
        ++generation_;
    }
    return state_ = state;
}

}  // namespace filter
