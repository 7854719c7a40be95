#pragma once

#include <wx/stattext.h>
#include <wx/toplevel.h>

#include <string>
#include <vector>

#include "widgets/ChameleonButton.h"

namespace testsupport {

// The captions of a window's shown buttons and labels that are not shown whole, as "control:
// text": wider, in the control's font, than the control leaves room for, or past the window's edge.
inline std::vector<std::string> CutCaptions(wxTopLevelWindow& window) {
    std::vector<std::string> cut;
    auto visit = [&](auto& self, wxWindow* parent) -> void {
        for (wxWindow* child : parent->GetChildren()) {
            if (child->IsTopLevel() || !child->IsShown()) {
                continue;
            }
            auto* button = dynamic_cast<widgets::chameleonButton*>(child);
            const wxString text = button != nullptr ? button->Caption() : child->GetLabel();
            const int room = child->GetSize().x - (button ? 2 * button->CaptionMargin() : 0);
            const wxRect box(window.ScreenToClient(child->GetScreenPosition()), child->GetSize());
            if ((button != nullptr || dynamic_cast<wxStaticText*>(child) != nullptr) &&
                (child->GetTextExtent(text).x > room ||
                 !wxRect(window.GetClientSize()).Contains(box))) {
                cut.push_back(child->GetName().utf8_string() + ": " + text.utf8_string());
            }
            self(self, child);
        }
    };
    visit(visit, &window);
    return cut;
}

}  // namespace testsupport
