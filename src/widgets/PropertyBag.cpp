#include "widgets/PropertyBag.h"

#include <algorithm>
#include <cctype>

namespace widgets {
namespace {

bool SameKey(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

template <typename T>
T ReadAs(const PropertyBag& bag, std::string_view key, const T& fallback) {
    const PropertyValue* value = bag.Find(key);
    if (value == nullptr) {
        return fallback;
    }
    const T* typed = std::get_if<T>(value);
    return typed ? *typed : fallback;
}

}  // namespace

void PropertyBag::Write(std::string_view key, PropertyValue value) {
    for (Entry& entry : entries_) {
        if (SameKey(entry.first, key)) {
            entry.second = std::move(value);
            return;
        }
    }
    entries_.emplace_back(std::string(key), std::move(value));
}

const PropertyValue* PropertyBag::Find(std::string_view key) const {
    for (const Entry& entry : entries_) {
        if (SameKey(entry.first, key)) {
            return &entry.second;
        }
    }
    return nullptr;
}

std::int32_t PropertyBag::ReadInt(std::string_view key, std::int32_t fallback) const {
    return ReadAs(*this, key, fallback);
}

bool PropertyBag::ReadBool(std::string_view key, bool fallback) const {
    return ReadAs(*this, key, fallback);
}

wxString PropertyBag::ReadString(std::string_view key, const wxString& fallback) const {
    return ReadAs(*this, key, fallback);
}

FontDesc PropertyBag::ReadFont(std::string_view key, const FontDesc& fallback) const {
    return ReadAs(*this, key, fallback);
}

}  // namespace widgets
