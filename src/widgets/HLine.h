#pragma once

#include <wx/window.h>

namespace widgets {

// A one-pixel horizontal line whose ends are given in the window's pixels; its right end can
// move (a longer heading needs a longer line under it).
class HLine : public wxWindow {
public:
    HLine(wxWindow* parent, int left, int right, int y);

    int Left() const { return left_; }
    int Right() const { return right_; }
    void SetRight(int right);
    // Keeps the line `gap` pixels below `heading` and at least as long as it, whatever font
    // and text the heading gets; Right() stays the end that was set.
    void StayBelow(wxWindow* heading, int gap);

private:
    void Place();

    int left_;
    int right_;
    wxWindow* heading_ = nullptr;
    int gap_ = 0;
};

}  // namespace widgets
