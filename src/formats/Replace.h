#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace formats {

struct WriteResult {
    bool ok = true;
    std::string reason;  // why the write failed, for the message the user sees
};

// Replaces the file at `path` with `bytes`. The bytes go to a copy in the same folder, made
// where no file was (never opening one someone put there), written and on disk before the copy
// takes the file's place in one step, so a crash or a full disk leaves either the old file or
// the new one, never half of one. Without `mode` a replaced file keeps its permissions and a new
// one gets what the umask leaves of read and write for everyone; with it, the copy gets exactly
// `mode` (the family install's helper: its own group, never the caller's umask).
WriteResult ReplaceFile(const std::string& path, std::string_view bytes,
                        std::optional<unsigned> mode = std::nullopt);

// Called by every ReplaceFile with the path it replaces, once the copy is written and on disk
// and before it takes the file's place: lets a test stop or kill the writer at exactly that
// moment. Nothing is called unless one is set; an empty function removes it.
void SetWriteStepHook(std::function<void(std::string_view file)> hook);
// For a writer that adds to a file rather than replacing it: calls the hook just before its
// one write.
void AtWriteStep(std::string_view path);

// The name of the file whose replacement wrote to `entry`, when `entry` is such a copy: a dot,
// the file's whole name, ".lanternwick-save-" and six letters or digits
// (".words.txt.lanternwick-save-A1b2C3"). No name a person gives a file is taken for one.
std::optional<std::string_view> UnfinishedWriteTarget(std::string_view entry);
bool IsUnfinishedWriteOf(std::string_view entry, std::string_view file);

// Removes from `folder` the copies a write cut short (the process killed, the machine down) left
// of the files that `ours` says are ours: plain files only, never followed. Returns how many.
// The copies an earlier version left, named like a parent's own "wordsBackup", stay, as there is
// no telling the two apart.
int RemoveUnfinishedWrites(const std::string& folder,
                           const std::function<bool(std::string_view file)>& ours);

}  // namespace formats
