#include "widgets/HLine.h"

#include <wx/dcclient.h>
#include <wx/settings.h>

#include <algorithm>

namespace widgets {

HLine::HLine(wxWindow* parent, int left, int right, int y)
    : wxWindow(parent, wxID_ANY, wxPoint(left, y), wxSize(std::max(1, right - left), 1),
               wxBORDER_NONE),
      left_(left),
      right_(right) {
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW));
}

void HLine::SetRight(int right) {
    right_ = right;
    Place();
}

void HLine::StayBelow(wxWindow* heading, int gap) {
    heading_ = heading;
    gap_ = gap;
    heading->Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        Place();
        event.Skip();
    });
    Place();
}

void HLine::Place() {
    int right = right_;
    int y = GetPosition().y;
    if (heading_ != nullptr) {
        const wxRect heading = heading_->GetRect();
        right = std::max(right, heading.GetRight() + 1);
        y = std::max(y, heading.GetBottom() + 1 + gap_);
    }
    SetSize(left_, y, std::max(1, right - left_), 1);
}

}  // namespace widgets
