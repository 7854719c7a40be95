#include "formats/Files.h"
#include "formats/Lines.h"
#include "formats/Requests.h"
#include "helper/Commands.h"
#include "helper/Files.h"

namespace helper {

// The child's run adds an address to the requests without the parent's password; the list's
// own bound keeps a child running this by hand from filling the disk.
void AddRequestCommand(Request& request) {
    const auto given = formats::SplitLines(request.input);
    if (given.size() != 1) {
        Fail(kBadArguments, "one address is asked for at a time");
    }
    std::vector<std::string> list;
    if (const auto stored = ReadFile(request.folder + formats::files::kRequests)) {
        list = formats::requests::Parse(formats::DecodeLines(*stored));
    }
    switch (formats::requests::Add(list, given[0])) {
        case formats::requests::Added::Added:
            Replace(request.folder, formats::files::kRequests, formats::CrLfText(list));
            return;
        case formats::requests::Added::AlreadyThere:
            return;
        case formats::requests::Added::Full:
            Fail(kTooMuch, "the list of requests is full");
        case formats::requests::Added::NotAnAddress:
            Fail(kBadArguments, "not an address");
    }
}

}  // namespace helper
