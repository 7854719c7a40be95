#include "storage/WriteSteps.h"

#include <utility>

namespace storage {

namespace {

std::function<void(std::string_view)>& Hook() {
    static std::function<void(std::string_view)> hook;
    return hook;
}

}  // namespace

void SetWriteStepHook(std::function<void(std::string_view file)> hook) {
    Hook() = std::move(hook);
}

void WriteStepReached(std::string_view file) {
    if (const auto& hook = Hook()) {
        hook(file);
    }
}

}  // namespace storage
