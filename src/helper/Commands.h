#pragma once

// lanternwick-helper COMMAND [ARGUMENT...], one row of the table in Table.cpp for each:
//
//   read FILE          the file's bytes on standard output (settings the browser needs only)
//   append-log         adds standard input's lines, of the visit log's own forms, to the log
//   used-time SECONDS  today's used seconds; a lower number than stored changes nothing
//   wait               the seconds the next login waits
//   login              name and password on standard input; answers right or wrong
//   write FILE         name and password on the first two lines of standard input, the file's
//                      lines after them
//   read-picture PICTURE   a site button's picture, as stored ("no picture" is empty)
//   add-picture PICTURE    a PNG on standard input, kept only where none is stored yet
//   write-picture PICTURE  name and password, then the PNG, or nothing for none
//   keep-pictures          name and password, then the pictures to keep
//   add-request            an address the child asks a grown-up to look at later
//
// The parent's name and password never go on the command line, where every user of the machine
// can read them.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace helper {

enum Exit {
    kOk = 0,
    kRefused = 1,       // a wrong login, or a write without the right name and password
    kBadArguments = 2,  // an unknown command, a file it does not serve, a bad number
    kNoFolder = 3,      // no data folder for this user, or one that is not safe
    kDamaged = 4,       // a file it needs cannot be read, or input it cannot take
    kWriteFailed = 5,
    kWaiting = 6,     // too many wrong tries: the login waits
    kMissing = 7,     // the file asked for is not there
    kBusy = 8,        // another run held the data folder too long
    kNotCounted = 9,  // the login's try could not be counted, so it was not compared
    kTooMuch = 10,    // the visit log grew by as much as a day may, or the requests are full
};

// Ends a command: the code the program ends with and why, for standard error.
struct Stop {
    int code;
    std::string why;
};
[[noreturn]] void Fail(int code, std::string why);

// One run of a command: what it was given and what it answers.
struct Request {
    std::string folder;             // the data folder, ending in "/"
    std::vector<std::string> args;  // the arguments after the command's name
    std::string input;              // standard input, whole, read before anything else
    long long now = 0;              // local seconds (basics::LocalSeconds), once the folder is ours
    std::string output;             // what goes to standard output, also when a command stops
};

enum class Input { None, Text, Bytes };

struct Command {
    std::string_view name;
    std::string_view arguments;  // as the usage names them
    std::size_t argumentCount;
    Input input;
    std::size_t maxInput;
    // Whether it changes the folder: then it runs alone, under the folder's lock, and first
    // removes what a killed write left.
    bool writes;
    void (*run)(Request&);
};

// "usage: read FILE | append-log | ...", from the table of commands.
std::string Usage();

// How long a run waits for its input, and for a run before it to leave the folder.
struct Limits {
    double inputSeconds = 10;
    double lockSeconds = 5;
};

struct Outcome {
    int code = kOk;
    std::string output;
    std::string errors;
};

// A whole run once the process is clean: the command found in `args`, the folder from
// `folderOf`, standard input read from `inputFd`, the lock taken, the command run.
Outcome Run(const std::vector<std::string>& args, const std::function<std::string()>& folderOf,
            int inputFd, const std::function<long long()>& now, const Limits& limits = {});

// The commands, one file each.
void ReadCommand(Request& request);
void AppendLogCommand(Request& request);
void UsedTimeCommand(Request& request);
void WaitCommand(Request& request);
void LoginCommand(Request& request);
void WriteCommand(Request& request);
void ReadPictureCommand(Request& request);
void AddPictureCommand(Request& request);
void WritePictureCommand(Request& request);
void KeepPicturesCommand(Request& request);
void AddRequestCommand(Request& request);

// The visit log may grow by this much in one call, and by this much in one day.
inline constexpr std::size_t kMaxLogPerCall = 64 * 1024;
inline constexpr long long kMaxLogPerDay = 4 * 1024 * 1024;

}  // namespace helper
