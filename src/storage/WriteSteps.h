#pragma once

#include <functional>
#include <string_view>

namespace storage {

// A seam between the steps of a file's replacement: the hook is called with the file's path
// once its new content is written and flushed to the copy beside it, just before the copy takes
// the file's place. A test's own process stops there to be killed at exactly that moment; the
// program sets none, and then nothing happens. Set it before any write, as writes do not wait
// for it to change. An empty function takes it away.
void SetWriteStepHook(std::function<void(std::string_view file)> hook);

// Called by the writer.
void WriteStepReached(std::string_view file);

}  // namespace storage
