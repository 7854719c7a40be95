#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace formats {

// Lines of `name=value`, as "instellingen.txt" and "tijdgebruik.txt" hold them. Every line is
// kept as it stands, so a rewrite keeps names this version does not know, their order, and lines
// that are no setting at all. Names are compared exactly; spaces around a name or a value are
// not part of it. When a name occurs more than once, the last line wins.
class NameValueLines {
public:
    NameValueLines() = default;
    explicit NameValueLines(std::vector<std::string> lines) : lines_(std::move(lines)) {}

    std::optional<std::string> Get(std::string_view name) const;
    // Replaces the value on every line of that name, or adds a line at the end.
    void Set(std::string_view name, std::string_view value);
    // Removes every line of that name.
    void Remove(std::string_view name);

    const std::vector<std::string>& Lines() const { return lines_; }

private:
    std::vector<std::string> lines_;
};

}  // namespace formats
