#include "widgets/Canvas.h"

#include <cstdlib>

namespace widgets {

void ForEachLinePixel(int x1, int y1, int x2, int y2, const std::function<void(int, int)>& put) {
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1;
    int y = y1;
    while (x != x2 || y != y2) {
        put(x, y);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void ForEachFramePixel(const Rect& r, const std::function<void(int, int)>& put) {
    if (r.right <= r.left || r.bottom <= r.top) {
        return;
    }
    for (int x = r.left; x < r.right; ++x) {
        put(x, r.top);
        if (r.bottom - 1 > r.top) {
            put(x, r.bottom - 1);
        }
    }
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        put(r.left, y);
        if (r.right - 1 > r.left) {
            put(r.right - 1, y);
        }
    }
}

wxString StripMnemonics(const wxString& caption, int* accelIndex) {
    wxString shown;
    int accel = -1;
    for (auto it = caption.begin(); it != caption.end(); ++it) {
        if (*it == '&') {
            auto next = it + 1;
            if (next == caption.end()) {
                break;  // a trailing lone ampersand shows nothing
            }
            if (*next != '&' && accel < 0) {
                accel = static_cast<int>(shown.length());
            }
            it = next;
        }
        shown += *it;
    }
    if (accelIndex) {
        *accelIndex = accel;
    }
    return shown;
}

}  // namespace widgets
