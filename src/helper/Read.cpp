#include <algorithm>
#include <array>

#include "formats/Files.h"
#include "helper/Commands.h"
#include "helper/Files.h"

namespace helper {

namespace files = formats::files;

// What the browser reads; never the parent's name or password.
constexpr std::array<std::string_view, 9> kReadable = {
    files::kSites,    files::kStartPage, files::kBlockedWords, files::kSettings, files::kLanguage,
    files::kVisitLog, files::kUsedTime,  files::kWeekTime,     files::kRequests};

bool Readable(std::string_view file) {
    return std::find(kReadable.begin(), kReadable.end(), file) != kReadable.end();
}

void ReadCommand(Request& request) {
    const std::string& file = request.args[0];
    if (!Readable(file)) {
        Fail(kBadArguments, "not a file this program reads: " + file);
    }
    const auto bytes = ReadFile(request.folder + file);
    if (!bytes) {
        Fail(kMissing, file + " is missing");
    }
    request.output += *bytes;
}

}  // namespace helper
