// The family install for real, below a temporary root: the script's owners and modes, what the
// child's account can and cannot reach, and the helper run as the child with good and bad
// arguments. It needs root (for the group, the test user and the set-group-id bit); without it
// every case is skipped with the reason.
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <thread>

#include "basics/Clock.h"
#include "family/ParentLogin.h"
#include "storage/DataPath.h"
#include "storage/HelperFiles.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

// A user of this test process's own, so two test runs at once do not share one.
const std::string kChild = "lwfamily" + std::to_string(getpid());

struct Ran {
    int code = -1;
    std::string output;
};

Ran Shell(const std::string& command) {
    Ran ran;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return ran;
    }
    char chunk[4096];
    for (size_t got; (got = fread(chunk, 1, sizeof chunk, pipe)) > 0;) {
        ran.output.append(chunk, got);
    }
    const int status = pclose(pipe);
    ran.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return ran;
}

std::string Slurp(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// "drwxrws--- root:lanternwick" for a path, as ls would say it.
std::string Look(const fs::path& path) {
    return Shell("stat -c '%A %U:%G' '" + path.string() + "'").output;
}

class FamilyInstall : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (geteuid() != 0) {
            skip_ =
                "the family install needs root: for its group, a test user and the "
                "set-group-id helper";
            return;
        }
        struct statvfs mount {};
        if (statvfs(fs::temp_directory_path().c_str(), &mount) == 0 &&
            (mount.f_flag & ST_NOSUID) != 0) {
            skip_ = "the temporary folder is mounted nosuid, so the helper would not get its group";
            return;
        }
        if (Shell("getent passwd " + kChild + " >/dev/null").code != 0 &&
            Shell("useradd -M -d /home/" + kChild + " -s /usr/sbin/nologin " + kChild).code != 0) {
            skip_ = "no test user could be made with useradd";
        }
    }
    static void TearDownTestSuite() {
        if (geteuid() == 0) {
            Shell("userdel " + kChild + " 2>/dev/null");
        }
    }
    void SetUp() override {
        if (!skip_.empty()) {
            GTEST_SKIP() << skip_;
        }
        fs::permissions(root_.Path(), fs::perms::owner_all | fs::perms::group_read |
                                          fs::perms::group_exec | fs::perms::others_read |
                                          fs::perms::others_exec);
        ASSERT_EQ(Script("", "Parent pass\nParent pass\n").code, 0);
    }
    void TearDown() override {
        if (skip_.empty()) {
            Script("--remove", "");
        }
    }
    Ran Script(const std::string& options, const std::string& input) {
        return Shell("printf '" + input + "' | LANTERNWICK_BUILD='" + LANTERNWICK_BUILD_DIR + "' " +
                     LANTERNWICK_SOURCE_DIR + "/scripts/install-family.sh --root '" + root_.Path() +
                     "' " + options + " " + kChild + " 2>&1");
    }
    // The helper as the child runs it, with `input` on its standard input.
    Ran AsChild(const std::string& arguments, const std::string& input = "") {
        return Shell("printf '" + input + "' | runuser -u " + kChild + " -- " + Helper() + " " +
                     arguments + " 2>/dev/null");
    }
    std::string Helper() const { return root_.Path() + "/opt/lanternwick/lanternwick-helper"; }
    fs::path Data() const { return fs::path(root_.Path()) / "var/lib/lanternwick" / kChild; }

    static inline std::string skip_;
    testsupport::TempFolder root_;
};

TEST_F(FamilyInstall, OwnersAndModesKeepTheChildOutAnUpdateKeepsTheDataAndRemoveTakesAll) {
    const fs::path root = root_.Path();
    const std::map<std::string, std::string> expected = {
        {"opt/lanternwick", "drwxr-xr-x root:root"},
        {"opt/lanternwick/lanternwick", "-rwxr-xr-x root:root"},
        {"opt/lanternwick/lanternwick-helper", "-rwxr-sr-x root:lanternwick"},
        {"opt/lanternwick/lanternwick.svg", "-rw-r--r-- root:root"},
        {"opt/lanternwick/webext/lanternwick-filter.so", "-rw-r--r-- root:root"},
        {"var/lib/lanternwick", "drwxr-xr-x root:root"},
        {std::string("var/lib/lanternwick/") + kChild, "drwxrws--- root:lanternwick"},
        {"usr/local/share/applications/lanternwick.desktop", "-rw-r--r-- root:root"},
    };
    for (const auto& [path, look] : expected) {
        EXPECT_EQ(Look(root / path), look + "\n") << path;
    }
    int dataFiles = 0;
    for (const auto& entry : fs::directory_iterator(Data())) {
        ++dataFiles;
        EXPECT_EQ(Look(entry.path()), "-rw-rw---- root:lanternwick\n") << entry.path();
        const std::string file = entry.path().string();
        EXPECT_NE(Shell(std::string("runuser -u ") + kChild + " -- sh -c 'cat \"" + file +
                        "\" || echo x >> \"" + file + "\"' 2>/dev/null")
                      .code,
                  0)
            << file;
    }
    EXPECT_EQ(dataFiles, 8);
    EXPECT_EQ(Slurp(Data() / "paswoordNr.txt"), "Parent pass\r\n");
    EXPECT_NE(Slurp(root / "usr/local/share/applications/lanternwick.desktop")
                  .find("Exec=\"" + root.string() + "/opt/lanternwick/lanternwick\""),
              std::string::npos);

    // An update keeps every data file, the password among them, and asks for nothing.
    std::ofstream(Data() / "words.txt", std::ios::binary) << "only\r\n";
    ASSERT_EQ(Script("", "").code, 0);
    EXPECT_EQ(Slurp(Data() / "words.txt"), "only\r\n");
    EXPECT_EQ(Slurp(Data() / "paswoordNr.txt"), "Parent pass\r\n");

    ASSERT_EQ(Script("--remove", "").code, 0);
    EXPECT_FALSE(fs::exists(root / "opt/lanternwick"));
    EXPECT_FALSE(fs::exists(root / "var/lib/lanternwick"));
    EXPECT_FALSE(fs::exists(root / "usr/local/share/applications/lanternwick.desktop"));
    // A fresh install never takes the password everyone knows, nor two that differ.
    EXPECT_NE(Script("", "lanternwick\\nlanternwick\\n").code, 0);
    EXPECT_NE(Script("", "Parent pass\\nParent past\\n").code, 0);
    EXPECT_FALSE(fs::exists(Data()));
}

TEST_F(FamilyInstall, TheHelperServesTheChildOnlyWhatTheBrowserNeedsAndOnlyForwards) {
    // Reads: the settings, never the password; anything else is refused.
    EXPECT_EQ(AsChild("read words.txt").code, 0);
    EXPECT_EQ(AsChild("read words.txt").output, Slurp(Data() / "words.txt"));
    for (const char* bad :
         {"read paswoordNr.txt", "read paswoordNaam.txt", "read ../x", "read /etc/shadow", "",
          "read", "write paswoordNaam.txt", "write words.txt parents", "used-time -5",
          "used-time 12x", "used-time 86401", "bogus"}) {
        EXPECT_EQ(AsChild(bad).code, 2) << bad;
    }

    // Settings change only with the right name and password in the same call.
    const std::string words = Slurp(Data() / "words.txt");
    EXPECT_EQ(AsChild("write words.txt", "parents\\nguess\\nnothing\\n").code, 1);
    EXPECT_EQ(AsChild("write words.txt", "Parents\\nParent pass\\nnothing\\n").code, 1);
    EXPECT_EQ(Slurp(Data() / "words.txt"), words);
    EXPECT_EQ(AsChild("write words.txt", "parents\\nParent pass\\ncasino\\ndice\\n").code, 0);
    EXPECT_EQ(Slurp(Data() / "words.txt"), "casino\r\ndice\r\n");
    // Its own umask, and the folder's group; the child owns what it wrote, but cannot reach it
    // in a folder it cannot enter.
    EXPECT_EQ(Look(Data() / "words.txt"), std::string("-rw-rw---- ") + kChild + ":lanternwick\n");
    EXPECT_NE(Shell(std::string("runuser -u ") + kChild + " -- cat '" +
                    (Data() / "words.txt").string() + "' 2>/dev/null")
                  .code,
              0);
    EXPECT_EQ(AsChild("write paswoordNr.txt", "parents\\nParent pass\\nabc\\n").code, 2);

    // Used time only rises; the visit log only grows.
    EXPECT_EQ(AsChild("used-time 600").code, 0);
    EXPECT_EQ(AsChild("used-time 60").code, 0);
    EXPECT_NE(Slurp(Data() / "tijdgebruik.txt").find("seconden=600\r\n"), std::string::npos);
    const std::string log = Slurp(Data() / "bezochtesites.txt");
    EXPECT_EQ(Shell(std::string("for i in $(seq 100); do printf 'http://site%s.example/\\n' $i | "
                                "runuser -u ") +
                    kChild + " -- " + Helper() + " append-log & done; wait")
                  .code,
              0);
    const std::string grown = Slurp(Data() / "bezochtesites.txt");
    EXPECT_EQ(grown.substr(0, log.size()), log);
    std::size_t added = 0;
    for (int i = 1; i <= 100; ++i) {
        const std::string line = "http://site" + std::to_string(i) + ".example/\r\n";
        EXPECT_NE(grown.find(line), std::string::npos) << i;
        added += line.size();
    }
    EXPECT_EQ(grown.size(), log.size() + added);  // whole lines, nothing else
    // Only the log's own lines.
    EXPECT_EQ(AsChild("append-log", "entry 1\\n").code, 4);

    // A damaged file and a folder others could read are refused, never followed.
    std::ofstream(Data() / "tijdgebruik.txt", std::ios::binary) << "seconden=lots\r\n";
    EXPECT_EQ(AsChild("used-time 700").code, 4);
    EXPECT_EQ(Slurp(Data() / "tijdgebruik.txt"), "seconden=lots\r\n");
    fs::permissions(Data(), fs::perms::others_read, fs::perm_options::add);
    EXPECT_EQ(AsChild("read words.txt").code, 3);
}

// A site's picture: the child's run adds one only where none is stored; a parent's login
// changes it, takes it away ("no picture") or clears away the pictures of deleted sites.
TEST_F(FamilyInstall, TheHelperAddsASitesPictureOnceAndOnlyAParentChangesThem) {
    const std::string png = std::string("\x89PNG\r\n\x1a\n") + "picture";
    const fs::path in = fs::path(root_.Path()) / "in.png";
    std::ofstream(in, std::ios::binary) << png;
    fs::permissions(in, fs::perms::others_read, fs::perm_options::add);
    auto picture = [&](const std::string& arguments, const std::string& before = "") {
        return Shell("(" + before + "cat '" + in.string() + "') | runuser -u " + kChild + " -- " +
                     Helper() + " " + arguments + " 2>/dev/null");
    };
    EXPECT_EQ(picture("read-picture a-1.png").code, 7);
    EXPECT_EQ(picture("add-picture a-1.png").code, 0);
    EXPECT_EQ(picture("read-picture a-1.png").output, png);
    EXPECT_EQ(picture("add-picture a-1.png").code, 1);
    for (const char* bad : {"add-picture ../a.png", "add-picture A.png", "read-picture .png",
                            "add-picture a.txt", "read-picture -a.png", "keep-pictures x"}) {
        EXPECT_EQ(picture(bad).code, 2) << bad;
    }
    EXPECT_EQ(AsChild("add-picture b-2.png", "GIF89a").code, 4);
    EXPECT_EQ(picture("write-picture a-1.png", "printf 'parents\\nguess\\n'; ").code, 1);
    EXPECT_EQ(picture("read-picture a-1.png").output, png);
    EXPECT_EQ(AsChild("write-picture a-1.png", "parents\\nParent pass\\n").code, 0);
    EXPECT_EQ(picture("read-picture a-1.png").code, 0);
    EXPECT_EQ(picture("read-picture a-1.png").output, "");
    EXPECT_EQ(picture("add-picture b-2.png").code, 0);
    EXPECT_EQ(AsChild("keep-pictures", "parents\\nguess\\na-1.png\\n").code, 1);
    EXPECT_EQ(AsChild("keep-pictures", "parents\\nParent pass\\na-1.png\\n").code, 0);
    EXPECT_TRUE(fs::exists(Data() / "plaatjes/a-1.png"));
    EXPECT_FALSE(fs::exists(Data() / "plaatjes/b-2.png"));
}

TEST_F(FamilyInstall, TheHelpersLoginCountsWrongTriesAndWaitsAfterFive) {
    // Where no file may grow, no try can be counted: none is compared, right or wrong.
    for (const char* password : {"Parent pass", "guess"}) {
        const Ran uncounted = Shell("printf 'parents\\n" + std::string(password) +
                                    "\\n' | runuser -u " + kChild + " -- sh -c 'trap \"\" XFSZ; " +
                                    "ulimit -f 0; exec " + Helper() + " login' 2>/dev/null");
        EXPECT_EQ(uncounted.code, 9) << password;
        EXPECT_EQ(uncounted.output, "later\n") << password;
    }
    EXPECT_EQ(AsChild("login", "parents\\nParent pass\\n").output, "right\nwrong-before 0\n");
    // A wrong name is answered as a wrong password is.
    EXPECT_EQ(AsChild("login", "Parents\\nParent pass\\n").output,
              AsChild("login", "parents\\nguess\\n").output);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(AsChild("login", "parents\\nguess\\n").code, 1) << i;
    }
    // The count is the helper's, kept in the data: a right password is refused while it waits,
    // and so is a write that carries it.
    const Ran refused = AsChild("login", "parents\\nParent pass\\n");
    EXPECT_EQ(refused.code, 6);
    EXPECT_EQ(refused.output.substr(0, 5), "wait ");
    EXPECT_EQ(AsChild("write words.txt", "parents\\nParent pass\\nnone\\n").code, 6);
    EXPECT_NE(Slurp(Data() / "inlogpogingen.txt").find("fouten=5\r\n"), std::string::npos);

    // Many tries at once are taken one after the other: five are compared, the rest wait.
    fs::remove(Data() / "inlogpogingen.txt");
    const Ran together = Shell("for i in $(seq 30); do (printf 'parents\\nguess\\n' | runuser -u " +
                               kChild + " -- " + Helper() +
                               " login >/dev/null 2>&1; echo $?) & "
                               "done; wait");
    EXPECT_EQ(std::count(together.output.begin(), together.output.end(), '1'), 5)
        << together.output;
    EXPECT_EQ(std::count(together.output.begin(), together.output.end(), '6'), 25);
}

class StoppedClock : public basics::Clock {
public:
    std::string DateText() override { return "9-12-2026"; }
    std::string TimeText() override { return "08:00:00"; }
    double SteadySeconds() override { return 100; }
    basics::LocalTime Now() override { return {{2026, 12, 9}, 8 * 3600}; }
};

// The program's side, as the child's browser runs it: a process of the child's user that reads
// and writes its data files only through the helper, and the parent's saves after a login.
TEST_F(FamilyInstall, TheProgramAsTheChildAddsToTheLogAndChangesSettingsOnlyAfterALogin) {
    const std::string program = root_.Path() + "/opt/lanternwick";
    ASSERT_TRUE(storage::HelperFiles::HelperBeside(program));
    EXPECT_FALSE(storage::HelperFiles::HelperBeside(LANTERNWICK_BUILD_DIR));  // a plain build
    // An account the install has no data folder for (root's, here) keeps the copy's own files.
    EXPECT_FALSE(storage::HelperFiles::FamilyFor(LANTERNWICK_BUILD_DIR, program));
    const passwd* child = getpwnam(kChild.c_str());
    ASSERT_NE(child, nullptr);
    int answers[2];
    ASSERT_EQ(pipe(answers), 0);
    const pid_t pid = fork();
    if (pid == 0) {
        close(answers[0]);
        unsetenv("XDG_RUNTIME_DIR");
        std::string said;
        if (setgid(child->pw_gid) != 0 || setuid(child->pw_uid) != 0) {
            said = "no switch to the child";
        } else {
            // A copy of the program elsewhere (the build's, here) is served by the install.
            const auto family = storage::HelperFiles::FamilyFor(LANTERNWICK_BUILD_DIR, program);
            storage::HelperFiles files(family ? family->helper : "", family ? family->folder : "");
            using namespace storage::files;
            const auto words = files.Read(kBlockedWords);
            const auto log = files.Read(kVisitLog).value_or(std::vector<std::string>{});
            auto grown = log;
            grown.push_back("http://zoo.example/");
            StoppedClock clock;
            family::ParentLogin login(files, clock);
            // One step after another: each answer is taken before the next step runs.
            auto step = [&said](const std::string& text) { said += text; };
            // The run's own file, which the child can change, holds none of the words.
            const std::string mark = Slurp(files.PathOf(kBlockedWords));
            step(std::to_string(words ? words->size() : 0) + " words, " +
                 (words && mark.find(words->front()) == mark.npos ? "none" : "copied") + "; log ");
            step(files.Write(kVisitLog, grown).ok ? "grows, " : "stays, ");
            step(files.Write(kVisitLog, {}).ok ? "empties; sites " : "keeps; sites ");
            step(files.Write(kSites, {"Zoo                  zoo.example"}).ok ? "changed" : "kept");
            const bool wrongFirst = !login.Try("parents", "guess").Right();
            step(wrongFirst && login.Try("parents", "Parent pass").Right() ? "; login right"
                                                                           : "; login wrong");
            step(" after " + std::to_string(login.TakeWrongTriesToTell()) + "; sites ");
            step(files.Write(kSites, {"Zoo                  zoo.example"}).ok ? "changed" : "kept");
        }
        (void)!write(answers[1], said.data(), said.size());
        _exit(0);
    }
    close(answers[1]);
    std::string said;
    char chunk[512];
    for (ssize_t got; (got = read(answers[0], chunk, sizeof chunk)) > 0;) {
        said.append(chunk, static_cast<size_t>(got));
    }
    close(answers[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    const std::string words = Slurp(Data() / "words.txt");
    const auto count = std::count(words.begin(), words.end(), '\n');
    EXPECT_EQ(said, std::to_string(count) +
                        " words, none; log grows, keeps; sites kept; login right after "
                        "1; sites changed");
    EXPECT_NE(Slurp(Data() / "bezochtesites.txt").find("http://zoo.example/\r\n"),
              std::string::npos);
    EXPECT_EQ(Slurp(Data() / "adressen.txt"), "Zoo                  zoo.example\r\n");
}

// The child owns its menu folder, so it can put a link where an entry was once written: to a
// file only root may read, or in place of the folder itself. An update and a removal, run as
// root, must neither write, take the owner of, nor remove what such a link points to; and an old
// entry of the child's is taken away by the child's own rights.
TEST_F(FamilyInstall, AnUpdateOrRemovalNeverWritesThroughTheChildsLinks) {
    const fs::path root = root_.Path();
    const fs::path home = root / "home" / kChild;
    const fs::path menu = home / ".local/share/applications";
    const fs::path guarded = root / "rootonly";  // stands for /etc: root's, closed to the child
    const passwd* child = getpwnam(kChild.c_str());
    ASSERT_NE(child, nullptr);
    struct Row {
        const char* what;
        std::string childMakes;  // run as the child in its home, before the update
        bool entryLeft;          // an entry in the child's menu folder after the update
    };
    const Row rows[] = {
        {"the entry is a link to a root-only file",
         "mkdir -p .local/share/applications && ln -s '" + (guarded / "secret").string() +
             "' .local/share/applications/lanternwick.desktop",
         false},
        {"the menu folder is a link to a root-only folder",
         "mkdir -p .local/share && ln -s '" + guarded.string() + "' .local/share/applications",
         true},  // the child cannot enter that folder, so the entry there stays, root's
        {"an old entry of the child's own",
         "mkdir -p .local/share/applications && echo old > "
         ".local/share/applications/lanternwick.desktop",
         false},
    };
    auto guardedIsUntouched = [&] {
        EXPECT_EQ(Slurp(guarded / "secret"), "root's own\n");
        EXPECT_EQ(Look(guarded / "secret"), "-rw------- root:root\n");
        EXPECT_EQ(Slurp(guarded / "lanternwick.desktop"), "root's entry\n");
        EXPECT_EQ(Look(guarded / "lanternwick.desktop"), "-rw-r--r-- root:root\n");
        EXPECT_EQ(Look(guarded), "drwx------ root:root\n");
        // Anything root made in the child's folders would be root's.
        for (const auto& entry : fs::recursive_directory_iterator(home)) {
            struct stat seen {};
            ASSERT_EQ(lstat(entry.path().c_str(), &seen), 0);
            EXPECT_EQ(seen.st_uid, child->pw_uid) << entry.path();
        }
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        fs::remove_all(root / "home");
        fs::create_directories(home);
        ASSERT_EQ(chown(home.c_str(), child->pw_uid, child->pw_gid), 0);
        fs::remove_all(guarded);
        fs::create_directory(guarded);
        fs::permissions(guarded, fs::perms::owner_all);
        std::ofstream(guarded / "secret") << "root's own\n";
        std::ofstream(guarded / "lanternwick.desktop") << "root's entry\n";
        fs::permissions(guarded / "secret", fs::perms::owner_read | fs::perms::owner_write);
        fs::permissions(guarded / "lanternwick.desktop",
                        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                            fs::perms::others_read);
        ASSERT_EQ(Shell("cd '" + home.string() + "' && runuser -u " + kChild + " -- sh -c \"" +
                        row.childMakes + "\"")
                      .code,
                  0);

        ASSERT_EQ(Script("", "Parent pass\nParent pass\n").code, 0);
        guardedIsUntouched();
        EXPECT_EQ(fs::exists(fs::symlink_status(menu / "lanternwick.desktop")), row.entryLeft);
        EXPECT_EQ(Look(root / "usr/local/share/applications/lanternwick.desktop"),
                  "-rw-r--r-- root:root\n");
        ASSERT_EQ(Script("--remove", "").code, 0);
        guardedIsUntouched();
    }

    // Nor through the machine's menu folder, where a folder above it is one the child could
    // change: the update and the removal refuse it.
    ASSERT_EQ(Script("", "Parent pass\nParent pass\n").code, 0);
    const fs::path share = root / "usr/local/share";
    ASSERT_EQ(chown(share.c_str(), child->pw_uid, child->pw_gid), 0);
    ASSERT_EQ(
        Shell("cd '" + share.string() + "' && runuser -u " + kChild +
              " -- sh -c 'mv applications old && ln -s \"" + guarded.string() + "\" applications'")
            .code,
        0);
    EXPECT_NE(Script("", "").code, 0);
    guardedIsUntouched();
    EXPECT_NE(Script("--remove", "").code, 0);
    guardedIsUntouched();
}

// A parent manages the child's install from their own account ("--parents CHILD"): a member of
// the install's group reaches the child's data folder and changes a site there, which the
// child's next run reads through the helper; the child's own account, and a name that is no
// user, are refused.
TEST_F(FamilyInstall, AParentInTheGroupManagesTheChildFromTheirOwnAccount) {
    const std::string program = root_.Path() + "/opt/lanternwick";
    const std::string parent = "lwparent" + std::to_string(getpid());
    ASSERT_EQ(
        Shell("useradd -M -d /nonexistent -s /usr/sbin/nologin -G lanternwick " + parent + " 2>&1")
            .code,
        0);
    // `step` run by a process of `user` with that user's groups; what it says comes back.
    auto as = [](const std::string& user, const std::function<std::string()>& step) {
        const passwd* account = getpwnam(user.c_str());
        int answers[2];
        if (account == nullptr || pipe(answers) != 0) {
            return std::string("no user");
        }
        const pid_t pid = fork();
        if (pid == 0) {
            close(answers[0]);
            std::string said = "no switch";
            if (initgroups(account->pw_name, account->pw_gid) == 0 &&
                setgid(account->pw_gid) == 0 && setuid(account->pw_uid) == 0) {
                said = step();
            }
            (void)!write(answers[1], said.data(), said.size());
            _exit(0);
        }
        close(answers[1]);
        std::string said;
        char chunk[256];
        for (ssize_t got; (got = read(answers[0], chunk, sizeof chunk)) > 0;) {
            said.append(chunk, static_cast<size_t>(got));
        }
        close(answers[0]);
        waitpid(pid, nullptr, 0);
        return said;
    };
    const std::string record = "Farm                 farm.example";
    auto manage = [&](const std::string& child) {
        return [&, child] {
            const auto folder = storage::HelperFiles::ParentsFolder(program, child);
            if (!folder) {
                return std::string("refused");
            }
            storage::DataFiles files(*folder);
            return std::string(files.Write(storage::files::kSites, {record}).ok ? "changed"
                                                                                : "kept");
        };
    };
    EXPECT_EQ(as(kChild, manage(kChild)), "refused");
    EXPECT_EQ(as(parent, manage("no-such-user-" + std::to_string(getpid()))), "refused");
    EXPECT_EQ(as(parent, manage(kChild)), "changed");
    Shell("userdel " + parent + " 2>/dev/null");
    EXPECT_EQ(AsChild("read adressen.txt").output, record + "\r\n");
}

// Asks `done` every 20 ms until it holds or `seconds` pass; returns whether it held.
bool PollUntil(const std::function<bool()>& done, int seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    for (; !done(); std::this_thread::sleep_for(std::chrono::milliseconds(20))) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
    }
    return true;
}

// The child's whole session: every piece root's and closed to others' writes, the account's
// other AccountsService lines kept, and a removal (after an update) leaves each file as it was.
TEST_F(FamilyInstall, TheChildsSessionIsRootsAndRemoveLeavesTheAccountAsItWas) {
    const fs::path root = root_.Path();
    const fs::path account = root / "var/lib/AccountsService/users" / kChild;
    const std::map<fs::path, std::string> before = {
        {account,
         "[User]\nLanguages=nl_NL.UTF-8;\nXSession=openbox\nIcon=/var/x.png\n\n"
         "[InputSource0]\nxkb=us\n"},
        {root / "etc/pam.d/login",
         "auth required pam_unix.so\n# account required pam_access.so\n"
         "@include common-account\n"},
        {root / "etc/security/access.conf", "+:root:ALL\n"},
    };
    for (const auto& [file, text] : before) {
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
    }
    ASSERT_EQ(Script("--session --no-console", "").code, 0);
    EXPECT_EQ(
        Shell("cd '" + root.string() + "' && stat -c '%A %U' opt/lanternwick/*-session " +
              "usr/share/xsessions/lanternwick.desktop var/lib/AccountsService/users/" + kChild +
              " etc/pam.d/login etc/security/access.conf")
            .output,
        "-rwxr-xr-x root\n-rw-r--r-- root\n-rw------- root\n-rw-r--r-- root\n-rw-r--r-- root\n");
    const std::string set = Slurp(account);
    for (const char* line : {"[User]\nSession=lanternwick\n", "\nXSession=lanternwick\n",
                             "\nLanguages=nl_NL.UTF-8;\n", "\nIcon=/var/x.png\n", "\nxkb=us\n"}) {
        EXPECT_NE(set.find(line), std::string::npos) << line;
    }
    EXPECT_EQ(set.find("openbox"), std::string::npos);
    const std::string mark = " # lanternwick " + kChild + "\n";
    EXPECT_EQ(Slurp(root / "etc/security/access.conf"),
              "+:root:ALL\n-:" + kChild +
                  ":tty1 tty2 tty3 tty4 tty5 tty6 tty7 tty8 tty9 tty10 tty11 tty12" + mark);
    EXPECT_EQ(Slurp(root / "etc/pam.d/login"),
              before.at(root / "etc/pam.d/login") + "account required pam_access.so" + mark);

    // An update keeps what the account had before the first install, not the session's values.
    ASSERT_EQ(Script("--session --no-console", "").code, 0);
    ASSERT_EQ(Script("--remove", "").code, 0);
    for (const auto& [file, text] : before) {
        EXPECT_EQ(Slurp(file), text) << file;
    }
    EXPECT_FALSE(fs::exists(root / "usr/share/xsessions/lanternwick.desktop"));
    EXPECT_FALSE(fs::exists(root / "opt/lanternwick"));
}

// The installed launcher, as the child's display manager would start it: a killed program is
// back at once, and only the program's 77 ends the session.
TEST_F(FamilyInstall, TheSessionStartsTheProgramAgainAndEndsOnlyWhenItSays77) {
    if (std::getenv("DISPLAY") == nullptr) {
        GTEST_SKIP() << "the session needs a display: run under Xvfb";
    }
    ASSERT_EQ(Script("--session", "").code, 0);
    const fs::path root = root_.Path();
    // What a login gives the child: its own runtime folder, and the right to use the display.
    ASSERT_EQ(
        Shell("mkdir -m 700 '" + root.string() + "/run' && cp \"${XAUTHORITY:-/dev/null}\" '" +
              root.string() + "/run/auth' && chown -R " + kChild + " '" + root.string() + "/run'")
            .code,
        0);
    const std::string log = (root / "session.log").string();
    const pid_t session = fork();
    if (session == 0) {
        setenv("XAUTHORITY", (root / "run/auth").c_str(), 1);
        setenv("XDG_RUNTIME_DIR", (root / "run").c_str(), 1);
        (void)!freopen(log.c_str(), "w", stderr);
        const std::string launcher = root.string() + "/opt/lanternwick/lanternwick-session";
        execl("/usr/sbin/runuser", "runuser", "-u", kChild.c_str(), "--", launcher.c_str(),
              nullptr);
        _exit(127);
    }
    // The child's running program (its page processes have names of their own).
    auto running = [] {
        return std::atoi(Shell("pgrep -u " + kChild + " -x lanternwick").output.c_str());
    };
    int first = 0;
    EXPECT_TRUE(PollUntil([&] { return (first = running()) != 0; }, 30)) << Slurp(log);
    if (first != 0) {
        // The program as the whole session: one window shown, and it covers the screen.
        const std::string screen = Shell("xdotool getdisplaygeometry").output;
        std::string windows, size;
        EXPECT_TRUE(PollUntil(
            [&] {
                windows = Shell("xdotool search --onlyvisible --pid " + std::to_string(first) +
                                " --name Lanternwick")
                              .output;
                size = Shell("xdotool getwindowgeometry " + windows.substr(0, windows.find('\n')) +
                             " | sed -n 's/.*Geometry: \\([0-9]*\\)x\\([0-9]*\\)/\\1 \\2/p'")
                           .output;
                return !screen.empty() && size == screen;
            },
            30))
            << "windows " << windows << " size " << size << " screen " << screen;
        EXPECT_EQ(std::count(windows.begin(), windows.end(), '\n'), 1) << windows;
        kill(first, SIGKILL);
        int again = 0;
        EXPECT_TRUE(PollUntil([&] { return (again = running()) != 0 && again != first; }, 5))
            << Slurp(log);
        // This checks the launcher's rule, not the program: a stand-in that says at once what
        // the parent's "End the child's session" makes the program say.
        Shell("cd '" + root.string() +
              "/opt/lanternwick' && printf '#!/bin/sh\\nexit 77\\n' > s && " +
              "chmod 755 s && mv s lanternwick");
        if (again > 0) {  // never 0: that would be this test's whole process group
            kill(again, SIGKILL);
        }
    }
    int status = -1;
    EXPECT_TRUE(PollUntil([&] { return waitpid(session, &status, WNOHANG) == session; }, 45))
        << Slurp(log);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    if (waitpid(session, &status, WNOHANG) == 0 && kill(session, SIGTERM) == 0) {
        waitpid(session, &status, 0);
    }
}

}  // namespace
