#include "formats/NameValueLines.h"

#include "basics/TextEncoding.h"

namespace formats {

namespace {

struct Split {
    std::string name;
    std::string value;
};

// A line without `=`, or with nothing before it, is no setting.
std::optional<Split> SplitLine(std::string_view line) {
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
        return std::nullopt;
    }
    Split split{basics::TrimSpaces(line.substr(0, eq)), basics::TrimSpaces(line.substr(eq + 1))};
    if (split.name.empty()) {
        return std::nullopt;
    }
    return split;
}

}  // namespace

std::optional<std::string> NameValueLines::Get(std::string_view name) const {
    std::optional<std::string> value;
    for (const auto& line : lines_) {
        if (auto split = SplitLine(line); split && split->name == name) {
            value = std::move(split->value);
        }
    }
    return value;
}

void NameValueLines::Set(std::string_view name, std::string_view value) {
    const std::string line = std::string(name) + "=" + std::string(value);
    bool found = false;
    for (auto& existing : lines_) {
        if (auto split = SplitLine(existing); split && split->name == name) {
            existing = line;
            found = true;
        }
    }
    if (!found) {
        lines_.push_back(line);
    }
}

void NameValueLines::Remove(std::string_view name) {
    std::erase_if(lines_, [&](const std::string& line) {
        const auto split = SplitLine(line);
        return split && split->name == name;
    });
}

}  // namespace formats
