#include <array>
#include <optional>

#include "formats/Pictures.h"
#include "formats/Requests.h"
#include "helper/Commands.h"
#include "helper/Files.h"

namespace helper {

// A parent's lists are small; a limit keeps a child's run from filling the memory.
constexpr std::size_t kMaxWrite = 16 * 1024 * 1024;
// The name's and the password's lines, before what a command carries.
constexpr std::size_t kAccountLines = 4096;

// Every command the helper knows: the usage text and the dispatch both come from here.
constexpr std::array kCommands = {
    Command{"read", "FILE", 1, Input::None, 0, false, ReadCommand},
    Command{"append-log", "", 0, Input::Text, kMaxLogPerCall, true, AppendLogCommand},
    Command{"used-time", "SECONDS", 1, Input::None, 0, true, UsedTimeCommand},
    Command{"wait", "", 0, Input::None, 0, false, WaitCommand},
    Command{"login", "", 0, Input::Text, kAccountLines, true, LoginCommand},
    Command{"write", "FILE", 1, Input::Text, kAccountLines + kMaxWrite, true, WriteCommand},
    Command{"read-picture", "PICTURE", 1, Input::None, 0, false, ReadPictureCommand},
    Command{"add-picture", "PICTURE", 1, Input::Bytes, formats::pictures::kMaxBytes, true,
            AddPictureCommand},
    Command{"write-picture", "PICTURE", 1, Input::Bytes,
            kAccountLines + formats::pictures::kMaxBytes, true, WritePictureCommand},
    Command{"keep-pictures", "", 0, Input::Text, kAccountLines + 64 * 1024, true,
            KeepPicturesCommand},
    Command{"add-request", "", 0, Input::Text, formats::requests::kMaxAddressBytes + 2, true,
            AddRequestCommand},
};

void Fail(int code, std::string why) {
    throw Stop{code, std::move(why)};
}

std::string Usage() {
    std::string usage = "usage:";
    for (const auto& command : kCommands) {
        usage += usage.size() > 6 ? " | " : " ";
        usage += command.name;
        if (!command.arguments.empty()) {
            usage += " ";
            usage += command.arguments;
        }
    }
    return usage;
}

Outcome Run(const std::vector<std::string>& args, const std::function<std::string()>& folderOf,
            int inputFd, const std::function<long long()>& now, const Limits& limits) {
    Outcome outcome;
    Request request;
    try {
        const Command* command = nullptr;
        for (const auto& row : kCommands) {
            if (!args.empty() && args[0] == row.name && args.size() == row.argumentCount + 1) {
                command = &row;
            }
        }
        if (command == nullptr) {
            Fail(kBadArguments, Usage());
        }
        request.args.assign(args.begin() + 1, args.end());
        request.folder = folderOf();
        // The input first, the folder's lock only after it: a caller that is slow to give its
        // input (or never ends it) holds up no other run.
        if (command->input != Input::None) {
            request.input = ReadInput(inputFd, command->maxInput, limits.inputSeconds,
                                      command->input == Input::Bytes);
        }
        std::optional<FolderLock> lock;
        if (command->writes) {
            lock.emplace(request.folder, limits.lockSeconds);
            // Under the lock no other run is writing, so every copy there is a killed one's.
            RemoveUnfinishedWrites(request.folder);
        }
        request.now = now();
        command->run(request);
    } catch (const Stop& stop) {
        outcome.code = stop.code;
        outcome.errors = stop.why;
    }
    outcome.output = std::move(request.output);
    return outcome;
}

}  // namespace helper
