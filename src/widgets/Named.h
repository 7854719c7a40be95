#pragma once

#include <wx/window.h>

#include <initializer_list>
#include <utility>

namespace widgets {

// Gives controls their own names as toolkit names, so a window's controls can be found by the
// names the caption tables use.
inline void NameControls(std::initializer_list<std::pair<wxWindow*, const char*>> controls) {
    for (const auto& [control, name] : controls) {
        control->SetName(name);
    }
}

}  // namespace widgets

// The member and its name written once, so the two cannot drift apart.
#define LW_NAMED(member)                \
    std::pair<wxWindow*, const char*> { \
        member, #member                 \
    }
