// lanternwick-helper COMMAND [ARGUMENT...]: the commands are the rows of the table in Table.cpp.
//
// The data folder is the child's own under the install's root, found from where this program
// lies, never from the caller: /opt/lanternwick/lanternwick-helper reaches
// /var/lib/lanternwick/CHILD/, CHILD being the user who runs it.
#include <unistd.h>

#include <cstdio>

#include "helper/Commands.h"
#include "helper/Files.h"
#include "helper/Folder.h"

int main(int argc, char** argv) {
    helper::CleanStart();
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const auto outcome = helper::Run(
        args, [] { return helper::DataFolder(helper::ProgramFolder(), helper::UserName()); },
        STDIN_FILENO, helper::LocalNow);
    std::fwrite(outcome.output.data(), 1, outcome.output.size(), stdout);
    if (!outcome.errors.empty()) {
        std::fprintf(stderr, "lanternwick-helper: %s\n", outcome.errors.c_str());
    }
    return std::fflush(stdout) == 0 || outcome.code != 0 ? outcome.code : helper::kWriteFailed;
}
