#include "widgets/Color.h"

#include <algorithm>

namespace widgets {

Color ShiftColor(Color color, int offset, bool scaled) {
    int red = RedOf(color) + offset;
    int green = GreenOf(color) + offset;
    int blue = BlueOf(color);
    // Integer division in C++ truncates toward zero, which is what darkening offsets need.
    blue += scaled ? blue * offset / 192 : offset;
    return Rgb(std::clamp(red, 0, 255), std::clamp(green, 0, 255), std::clamp(blue, 0, 255));
}

}  // namespace widgets
