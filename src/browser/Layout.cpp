#include "browser/Layout.h"

#include <algorithm>

namespace browser {

BrowserLayout LayoutFor(int w, int h) {
    auto atLeastZero = [](int v) { return std::max(0, v); };
    BrowserLayout l;
    l.bandWidth = atLeastZero(w);
    l.viewWidth = atLeastZero(w - 100);
    l.viewHeight = atLeastZero(h - 2550);
    l.stripWidth = atLeastZero(w - 120);
    l.visitWidth = atLeastZero(w - 360);
    return l;
}

}  // namespace browser
