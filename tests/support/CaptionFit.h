#pragma once

#include <wx/stattext.h>
#include <wx/toplevel.h>

#include <string>
#include <vector>

#include "widgets/ChameleonButton.h"

namespace testsupport {

// The captions of a window's shown buttons and labels that are not shown whole, measured in
// their own fonts: a text wider than its control leaves room for, or a control reaching past
// the window's edge. Each as "control: text".
inline std::vector<std::string> CutCaptions(wxTopLevelWindow& window) {
    std::vector<std::string> cut;
    const wxSize client = window.GetClientSize();
    auto visit = [&](auto& self, wxWindow* parent) -> void {
        for (wxWindow* child : parent->GetChildren()) {
            if (child->IsTopLevel() || !child->IsShown()) {
                continue;
            }
            wxString text;
            int room = 0;
            if (auto* button = dynamic_cast<widgets::chameleonButton*>(child)) {
                text = button->Caption();
                room = button->GetSize().x - 2 * button->CaptionMargin();
            } else if (auto* label = dynamic_cast<wxStaticText*>(child)) {
                text = label->GetLabel();
                room = label->GetSize().x;
            }
            if (!text.empty()) {
                const wxRect box(window.ScreenToClient(child->GetScreenPosition()),
                                 child->GetSize());
                if (child->GetTextExtent(text).x > room || box.GetRight() >= client.x ||
                    box.GetBottom() >= client.y) {
                    cut.push_back(child->GetName().utf8_string() + ": " + text.utf8_string());
                }
            }
            self(self, child);
        }
    };
    visit(visit, &window);
    return cut;
}

}  // namespace testsupport
