#include "app/Platform.h"

namespace app {

void ShowWriteFailure(Messages& messages, const std::string& path, const std::string& reason) {
    messages.Show("The file \"" + path + "\" could not be saved: " + reason, "Lanternwick",
                  Messages::Icon::Information);
}

}  // namespace app
