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
    SetSize(std::max(1, right_ - left_), 1);
}

}  // namespace widgets
