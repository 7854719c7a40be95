#include "family/VisitLog.h"

namespace family {

std::string ReachedPageEntry(std::string_view address, std::string_view date,
                             std::string_view time) {
    std::string entry(address);
    entry += " --> Datum: ";
    entry += date;
    entry += " Tijd: ";
    entry += time;
    return entry;
}

}  // namespace family
