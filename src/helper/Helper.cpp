// lanternwick-helper COMMAND [ARGUMENT...]
//
//   read FILE          the file's bytes on standard output (settings the browser needs only)
//   append-log         adds standard input's lines to the end of the visit log
//   used-time SECONDS  today's used seconds; a lower number than stored changes nothing
//   wait               the seconds the next login waits
//   login NAME         password on standard input; answers right, user-wrong or password-wrong
//   write FILE NAME    password on the first line of standard input, the file's lines after it
//   read-picture PICTURE        a site button's picture, as stored ("no picture" is empty)
//   add-picture PICTURE         a PNG on standard input, kept only where none is stored yet
//   write-picture PICTURE NAME  password on the first line, then the PNG, or nothing for none
//   keep-pictures NAME          password on the first line, then the pictures to keep
//
// The data folder is the child's own under the install's root, found from where this program
// lies, never from the caller: /opt/lanternwick/lanternwick-helper reaches
// /var/lib/lanternwick/CHILD/, CHILD being the user who runs it.
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "account/Login.h"
#include "basics/CivilTime.h"

namespace {

enum Exit {
    kOk = 0,
    kRefused = 1,       // a wrong login, or a write without the right name and password
    kBadArguments = 2,  // an unknown command, a file it does not serve, a bad number
    kNoFolder = 3,      // no data folder for this user, or one that is not safe
    kDamaged = 4,       // a file it needs cannot be read, or input it cannot take
    kWriteFailed = 5,
    kWaiting = 6,  // too many wrong tries: the login waits
    kMissing = 7,  // the file asked for is not there
};

[[noreturn]] void Stop(int code, const std::string& why) {
    std::fprintf(stderr, "lanternwick-helper: %s\n", why.c_str());
    std::exit(code);
}

constexpr std::array<std::string_view, 7> kReadable = {
    "adressen.txt",       "startpagina.txt",   "words.txt",      "instellingen.txt",
    "languagechoose.txt", "bezochtesites.txt", "tijdgebruik.txt"};
constexpr std::string_view kVisitLog = "bezochtesites.txt";
constexpr std::string_view kUsedTime = "tijdgebruik.txt";
constexpr std::string_view kUserName = "paswoordNaam.txt";
constexpr std::string_view kPassword = "paswoordNr.txt";
constexpr std::string_view kTries = "inlogpogingen.txt";
constexpr std::size_t kMaxInput = 16 * 1024 * 1024;
constexpr std::string_view kPictures = "plaatjes/";
constexpr std::size_t kMaxPicture = 64 * 1024;
// More than the panel's eighteen sites and the pictures of sites deleted since the last save:
// a child running this by hand cannot fill the disk with pictures.
constexpr int kMaxPictureFiles = 64;
constexpr std::string_view kPngSignature = "\x89PNG\r\n\x1a\n";

bool Readable(std::string_view file) {
    return std::find(kReadable.begin(), kReadable.end(), file) != kReadable.end();
}

// The password file may be written (with the password), never read out; the user name is
// neither: it is set by the install.
bool Writable(std::string_view file) {
    return Readable(file) || file == kPassword;
}

// The caller's environment, open files and umask are not ours.
void CleanStart() {
    clearenv();
    setenv("PATH", "/usr/bin:/bin", 1);
    umask(007);
    for (int fd = 3; fd < 1024; ++fd) {
        close(fd);
    }
}

std::string ProgramFolder() {
    std::array<char, 4096> path{};
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (length <= 0) {
        Stop(kNoFolder, "cannot tell where this program lies");
    }
    std::string exe(path.data(), static_cast<std::size_t>(length));
    return exe.substr(0, exe.rfind('/'));
}

bool SafeFolder(const std::string& path, bool groupOwned) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != 0) {
        return false;
    }
    if (groupOwned) {
        return info.st_gid == getegid() && (info.st_mode & S_IRWXO) == 0;
    }
    return (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// ROOT/opt/lanternwick/ holds this program; ROOT/var/lib/lanternwick/CHILD/ the child's data.
std::string DataFolder() {
    const std::string program = ProgramFolder();
    const auto up = program.rfind('/', program.rfind('/') - 1);
    if (program.size() < 2 || up == std::string::npos) {
        Stop(kNoFolder, "this program is not in an install's program folder");
    }
    const std::string all = program.substr(0, up) + "/var/lib/lanternwick";
    const passwd* user = getpwuid(getuid());
    const std::string name = user != nullptr ? user->pw_name : "";
    const bool plain = !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.';
    });
    if (!plain || name[0] == '.') {
        Stop(kNoFolder, "the user running this program has no usable name");
    }
    const std::string own = all + "/" + name;
    if (!SafeFolder(program, false) || !SafeFolder(all, false) || !SafeFolder(own, true)) {
        Stop(kNoFolder, "no safe data folder for " + name + " in " + all);
    }
    return own + "/";
}

std::optional<std::string> ReadFile(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat info {};
    std::string bytes;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        Stop(kDamaged, path + " is not a plain file");
    }
    std::array<char, 65536> chunk{};
    for (ssize_t got; (got = read(fd, chunk.data(), chunk.size())) != 0;) {
        if (got < 0) {
            close(fd);
            Stop(kDamaged, path + " cannot be read: " + std::strerror(errno));
        }
        bytes.append(chunk.data(), static_cast<std::size_t>(got));
    }
    close(fd);
    return bytes;
}

std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < text.size()) {
        lines.emplace_back(text.substr(start));
    }
    return lines;
}

// Standard input whole; more than `max` bytes is refused.
std::string ReadAll(std::size_t max) {
    std::string bytes;
    std::array<char, 65536> chunk{};
    for (std::size_t got; (got = std::fread(chunk.data(), 1, chunk.size(), stdin)) != 0;) {
        bytes.append(chunk.data(), got);
        if (bytes.size() > max) {
            Stop(kDamaged, "the input is too long");
        }
    }
    return bytes;
}

std::string Input() {
    std::string bytes = ReadAll(kMaxInput);
    if (bytes.find('\0') != std::string::npos) {
        Stop(kDamaged, "the input holds a NUL byte");
    }
    return bytes;
}

std::string CrLf(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        bytes += line + "\r\n";
    }
    return bytes;
}

// A copy beside the file that then takes its place in one step, as the program's own saves do.
void Replace(const std::string& folder, std::string_view file, const std::string& bytes) {
    std::string temp = folder + "." + std::string(file) + ".lanternwick-save-XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) {
        Stop(kWriteFailed, std::string(file) + " cannot be saved: " + std::strerror(errno));
    }
    const bool written =
        fchmod(fd, 0660) == 0 &&
        write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) &&
        fsync(fd) == 0;
    const int error = errno;
    close(fd);
    if (!written || rename(temp.c_str(), (folder + std::string(file)).c_str()) != 0) {
        unlink(temp.c_str());
        Stop(kWriteFailed, std::string(file) + " cannot be saved: " + std::strerror(error));
    }
}

long long LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return basics::LocalSeconds({{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday},
                                 local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec});
}

std::optional<long long> Number(std::string_view text, long long max) {
    if (text.empty() || text.size() > 12 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    const long long value = std::stoll(std::string(text));
    return value <= max ? std::optional(value) : std::nullopt;
}

// The login, counted: a wait still running refuses it unread, a wrong one adds to the count, a
// right one clears it. Returns the wrong tries before a right one; stops on anything else.
int CheckLogin(const std::string& folder, const std::string& name, const std::string& password) {
    const long long now = LocalNow();
    const auto stored = ReadFile(folder + std::string(kTries));
    account::Attempts attempts;
    if (stored) {
        attempts = account::ParseAttempts(Lines(*stored), now);
    }
    if (const double wait = account::RemainingWait(attempts, now); wait > 0) {
        std::printf("wait %lld\n", static_cast<long long>(wait + 0.999));
        Stop(kWaiting, "too many wrong tries: wait");
    }
    const auto names = ReadFile(folder + std::string(kUserName));
    const auto passwords = ReadFile(folder + std::string(kPassword));
    if (!names || !passwords || Lines(*names).empty() || Lines(*passwords).empty()) {
        Stop(kDamaged, "the parent's account cannot be read");
    }
    const auto outcomes = account::Compare(Lines(*names), Lines(*passwords), name, password);
    for (const auto outcome : outcomes) {
        std::puts(outcome == account::Outcome::Right       ? "right"
                  : outcome == account::Outcome::UserWrong ? "user-wrong"
                                                           : "password-wrong");
    }
    if (!account::AnyRight(outcomes)) {
        ++attempts.wrong;
        attempts.lastWrong = now;
        Replace(folder, kTries, CrLf(account::AttemptLines(attempts)));
        std::printf("wait %lld\n", static_cast<long long>(account::WaitAfter(attempts.wrong)));
        std::fflush(stdout);
        Stop(kRefused, "wrong name or password");
    }
    if (attempts.wrong > 0) {
        Replace(folder, kTries, CrLf(account::AttemptLines({})));
    }
    return attempts.wrong;
}

int Read(const std::string& folder, std::string_view file) {
    if (!Readable(file)) {
        Stop(kBadArguments, "not a file this program reads: " + std::string(file));
    }
    const auto bytes = ReadFile(folder + std::string(file));
    if (!bytes) {
        Stop(kMissing, std::string(file) + " is missing");
    }
    std::fwrite(bytes->data(), 1, bytes->size(), stdout);
    return kOk;
}

int AppendLog(const std::string& folder) {
    const std::string bytes = CrLf(Lines(Input()));
    const std::string path = folder + std::string(kVisitLog);
    const int fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0660);
    struct stat info {};
    if (fd < 0 || fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        Stop(kWriteFailed, "the visit log cannot be opened");
    }
    // Whole lines from every run, never interleaved: one write under the lock.
    const bool written =
        flock(fd, LOCK_EX) == 0 &&
        write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) &&
        fsync(fd) == 0;
    close(fd);
    if (!written) {
        Stop(kWriteFailed, "the visit log cannot be written");
    }
    return kOk;
}

struct UsedTime {
    basics::Date date;
    long long seconds = 0;
    long long extraMinutes = 0;
};

std::optional<UsedTime> ParseUsedTime(const std::vector<std::string>& lines) {
    std::optional<basics::Date> date;
    std::optional<long long> seconds;
    std::optional<long long> extra;
    for (const std::string_view line : lines) {
        const auto equals = line.find('=');
        const auto name = line.substr(0, equals);
        const auto value = equals == std::string_view::npos ? "" : line.substr(equals + 1);
        if (name == "datum") {
            date = basics::ParseDate(value);
        } else if (name == "seconden") {
            seconds = Number(value, 10'000'000);
        } else if (name == "extraminuten") {
            extra = Number(value, 100'000);
        }
    }
    if (!date || !seconds || !extra) {
        return std::nullopt;
    }
    return UsedTime{*date, *seconds, *extra};
}

// Only forwards: today's count rises, the day never goes back, extra time is the parent's.
int RecordUsedTime(const std::string& folder, std::string_view given) {
    const auto seconds = Number(given, 2 * basics::kSecondsPerDay);
    if (!seconds) {
        Stop(kBadArguments, "the seconds are not a number from 0 to 172800");
    }
    const auto now = basics::LocalTimeFromSeconds(LocalNow());
    UsedTime record{now.date, *seconds, 0};
    if (const auto stored = ReadFile(folder + std::string(kUsedTime))) {
        const auto old = ParseUsedTime(Lines(*stored));
        if (!old) {
            Stop(kDamaged, "tijdgebruik.txt cannot be read");
        }
        if (old->date >= now.date) {
            record = *old;
            record.seconds = std::max(old->seconds, *seconds);
        }
    }
    Replace(folder, kUsedTime,
            CrLf({"datum=" + basics::DateText(record.date),
                  "tijd=" + basics::TimeOfDayText(now.secondsOfDay),
                  "seconden=" + std::to_string(record.seconds),
                  "extraminuten=" + std::to_string(record.extraMinutes)}));
    return kOk;
}

// The password's line, checked; what follows it is returned.
std::string AfterLogin(const std::string& folder, const std::string& name,
                       const std::string& input) {
    const auto firstEnd = input.find('\n');
    if (firstEnd == std::string::npos) {
        Stop(kBadArguments, "no password line on standard input");
    }
    std::string password = input.substr(0, firstEnd);
    if (!password.empty() && password.back() == '\r') {
        password.pop_back();
    }
    CheckLogin(folder, name, password);
    return input.substr(firstEnd + 1);
}

int Write(const std::string& folder, std::string_view file, const std::string& name) {
    if (!Writable(file)) {
        Stop(kBadArguments, "not a file this program writes: " + std::string(file));
    }
    const auto lines = Lines(AfterLogin(folder, name, Input()));
    if (file == kPassword &&
        (lines.size() != 1 || account::CheckNewPassword(lines[0]).has_value())) {
        Stop(kBadArguments,
             "a new password is one line of at least 4 characters, not the "
             "installation's");
    }
    Replace(folder, file, CrLf(lines));
    return kOk;
}

// A picture's name as the program gives it: lower-case letters, digits and "-", then ".png".
std::string_view PictureName(std::string_view name) {
    const bool plain = name.size() > 4 && name.size() <= 80 && name.ends_with(".png") &&
                       name[0] != '-' && std::all_of(name.begin(), name.end() - 4, [](char c) {
                           return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
                       });
    if (!plain) {
        Stop(kBadArguments, "not a picture this program keeps: " + std::string(name));
    }
    return name;
}

// A picture's bytes may hold anything, NUL too; they are checked as a PNG instead.
std::string BinaryInput() {
    return ReadAll(kMaxPicture + 4096);
}

void CheckPicture(std::string_view png, bool noneAllowed) {
    if ((png.empty() && !noneAllowed) || png.size() > kMaxPicture ||
        (!png.empty() && !png.starts_with(kPngSignature))) {
        Stop(kDamaged, "no PNG picture of at most 64 KB");
    }
}

std::string PictureFolder(const std::string& folder, bool make) {
    const std::string pictures = folder + std::string(kPictures);
    if (make && mkdir(pictures.c_str(), 0770) != 0 && errno != EEXIST) {
        Stop(kWriteFailed,
             "the pictures' folder cannot be made: " + std::string(std::strerror(errno)));
    }
    struct stat info {};
    if (lstat(pictures.c_str(), &info) != 0) {
        Stop(kMissing, "no pictures are stored");
    }
    if (!S_ISDIR(info.st_mode)) {
        Stop(kDamaged, "the pictures' folder is not a folder");
    }
    return pictures;
}

int PictureFiles(const std::string& pictures, std::vector<std::string>* names) {
    int count = 0;
    if (DIR* dir = opendir(pictures.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") {
                ++count;
                if (names != nullptr) {
                    names->push_back(name);
                }
            }
        }
        closedir(dir);
    }
    return count;
}

int ReadPicture(const std::string& folder, std::string_view name) {
    const auto bytes = ReadFile(PictureFolder(folder, false) + std::string(PictureName(name)));
    if (!bytes) {
        Stop(kMissing, std::string(name) + " is missing");
    }
    CheckPicture(*bytes, true);
    std::fwrite(bytes->data(), 1, bytes->size(), stdout);
    return kOk;
}

int AddPicture(const std::string& folder, std::string_view name) {
    PictureName(name);
    const std::string png = BinaryInput();
    CheckPicture(png, false);
    const std::string pictures = PictureFolder(folder, true);
    struct stat info {};
    if (lstat((pictures + std::string(name)).c_str(), &info) == 0) {
        Stop(kRefused, "the site has a picture: only a parent changes it");
    }
    if (PictureFiles(pictures, nullptr) >= kMaxPictureFiles) {
        Stop(kRefused, "there are as many pictures as this program keeps");
    }
    Replace(pictures, name, png);
    return kOk;
}

int WritePicture(const std::string& folder, std::string_view picture, const std::string& name) {
    PictureName(picture);
    const std::string png = AfterLogin(folder, name, BinaryInput());
    CheckPicture(png, true);
    Replace(PictureFolder(folder, true), picture, png);
    return kOk;
}

int KeepPictures(const std::string& folder, const std::string& name) {
    const auto kept = Lines(AfterLogin(folder, name, Input()));
    const std::string pictures = PictureFolder(folder, true);
    std::vector<std::string> names;
    PictureFiles(pictures, &names);
    for (const auto& file : names) {
        if (std::find(kept.begin(), kept.end(), file) == kept.end()) {
            unlink((pictures + file).c_str());
        }
    }
    return kOk;
}

}  // namespace

int main(int argc, char** argv) {
    CleanStart();
    const std::vector<std::string> args(argv + std::min(argc, 1), argv + argc);
    auto is = [&](const char* command, std::size_t count) {
        return !args.empty() && args[0] == command && args.size() == count + 1;
    };
    if (!(is("read", 1) || is("append-log", 0) || is("used-time", 1) || is("wait", 0) ||
          is("login", 1) || is("write", 2) || is("read-picture", 1) || is("add-picture", 1) ||
          is("write-picture", 2) || is("keep-pictures", 1))) {
        Stop(kBadArguments,
             "usage: read FILE | append-log | used-time SECONDS | wait | "
             "login NAME | write FILE NAME | read-picture PICTURE | add-picture PICTURE | "
             "write-picture PICTURE NAME | keep-pictures NAME");
    }
    const std::string folder = DataFolder();
    // One run at a time changes the folder: many logins started at once must each see the
    // count the one before left, or they would guess in parallel past the wait.
    const int lock = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool reads = args[0] == "read" || args[0] == "read-picture";
    if (!reads && (lock < 0 || flock(lock, LOCK_EX) != 0)) {
        Stop(kNoFolder, "the data folder cannot be locked");
    }
    if (args[0] == "read") {
        return Read(folder, args[1]);
    }
    if (args[0] == "read-picture") {
        return ReadPicture(folder, args[1]);
    }
    if (args[0] == "add-picture") {
        return AddPicture(folder, args[1]);
    }
    if (args[0] == "write-picture") {
        return WritePicture(folder, args[1], args[2]);
    }
    if (args[0] == "keep-pictures") {
        return KeepPictures(folder, args[1]);
    }
    if (args[0] == "append-log") {
        return AppendLog(folder);
    }
    if (args[0] == "used-time") {
        return RecordUsedTime(folder, args[1]);
    }
    if (args[0] == "wait") {
        const long long now = LocalNow();
        const auto stored = ReadFile(folder + std::string(kTries));
        const auto attempts =
            stored ? account::ParseAttempts(Lines(*stored), now) : account::Attempts{};
        std::printf("%lld\n",
                    static_cast<long long>(account::RemainingWait(attempts, now) + 0.999));
        return kOk;
    }
    if (args[0] == "login") {
        const auto lines = Lines(Input());
        const int before = CheckLogin(folder, args[1], lines.empty() ? "" : lines[0]);
        std::printf("wrong-before %d\n", before);
        if (!lines.empty() && lines[0] == account::kShippedPassword) {
            std::puts("shipped");
        }
        return kOk;
    }
    return Write(folder, args[1], args[2]);
}
