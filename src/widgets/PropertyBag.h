#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "widgets/FontDesc.h"

namespace widgets {

using PropertyValue = std::variant<std::int32_t, bool, wxString, FontDesc>;

// The stored property set of a control: keys match without regard to case and entries keep
// the order they were first written in.
class PropertyBag {
public:
    using Entry = std::pair<std::string, PropertyValue>;

    // Replaces the value of an existing key (keeping its spelling and place) or appends it.
    void Write(std::string_view key, PropertyValue value);
    const PropertyValue* Find(std::string_view key) const;

    // A missing key, or one holding another kind of value, gives `fallback`.
    std::int32_t ReadInt(std::string_view key, std::int32_t fallback) const;
    bool ReadBool(std::string_view key, bool fallback) const;
    wxString ReadString(std::string_view key, const wxString& fallback) const;
    FontDesc ReadFont(std::string_view key, const FontDesc& fallback) const;

    const std::vector<Entry>& Entries() const { return entries_; }

private:
    std::vector<Entry> entries_;
};

}  // namespace widgets
