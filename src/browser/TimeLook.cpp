#include "browser/TimeLook.h"

#include <algorithm>

namespace browser {

double TimeLook::FractionLeft() const {
    if (!limited || minutesAllowed <= 0) {
        return 0;
    }
    return std::clamp(static_cast<double>(minutesLeft) / minutesAllowed, 0.0, 1.0);
}

}  // namespace browser
