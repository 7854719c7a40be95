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

private:
    int left_;
    int right_;
};

}  // namespace widgets
