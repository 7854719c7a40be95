// The installed program folder, started the way a desktop menu starts it: from another working
// directory, showing a start page from a loopback server, then ended by the session.
#include <gtest/gtest.h>
#include <httplib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <thread>

#include "support/TempFolder.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

const char* const kDataFiles[] = {"adressen.txt",     "words.txt",          "bezochtesites.txt",
                                  "startpagina.txt",  "languagechoose.txt", "paswoordNr.txt",
                                  "paswoordNaam.txt", "instellingen.txt"};

std::string Slurp(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void Spit(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

std::vector<std::string> CrLfLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t at; (at = bytes.find("\r\n", from)) != std::string::npos; from = at + 2) {
        lines.push_back(bytes.substr(from, at - from));
    }
    EXPECT_EQ(from, bytes.size()) << "every line ends with CR LF";
    return lines;
}

int Install(const fs::path& prefix) {
    const std::string command = std::string("\"") + LANTERNWICK_CMAKE + "\" --install \"" +
                                LANTERNWICK_BUILD_DIR + "\" --prefix \"" + prefix.string() +
                                "\" >/dev/null";
    return std::system(command.c_str());
}

// A start page whose onload calls back, so the test knows the page was shown, not just asked for.
class StartPageServer {
public:
    StartPageServer() {
        server_.Get("/index.html", [this](const httplib::Request&, httplib::Response& res) {
            Note("/index.html");
            res.set_content(R"html(<html><body onload="fetch('/loaded')">Hello</body></html>)html",
                            "text/html");
        });
        server_.Get("/loaded", [this](const httplib::Request&, httplib::Response& res) {
            Note("/loaded");
            res.set_content("ok", "text/plain");
        });
        // A connection kept open for the next request would hold the server's stop until the
        // engine lets it go.
        server_.set_keep_alive_max_count(1);
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
    }
    ~StartPageServer() {
        server_.stop();
        thread_.join();
    }
    std::string Url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/index.html"; }
    bool WaitFor(const std::string& path, std::chrono::seconds timeout) {
        std::unique_lock lock(mutex_);
        return seen_cv_.wait_for(lock, timeout, [&] {
            return std::find(seen_.begin(), seen_.end(), path) != seen_.end();
        });
    }

private:
    void Note(const std::string& path) {
        std::lock_guard lock(mutex_);
        seen_.push_back(path);
        seen_cv_.notify_all();
    }

    httplib::Server server_;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable seen_cv_;
    std::vector<std::string> seen_;
    int port_ = 0;
};

// Waits for the child to end; kills it if it does not, so a hung program fails the test only.
bool Reap(pid_t pid, std::chrono::seconds timeout, int& status) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (waitpid(pid, &status, WNOHANG) == pid) {
            return true;
        }
        std::this_thread::sleep_for(20ms);
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return false;
}

TEST(InstalledProgram, IsACompleteFolderAndAReinstallKeepsTheParentsFiles) {
    testsupport::TempFolder temp;
    const fs::path dir = fs::path(temp.Path()) / "Family Computer" / "Lanternwick";
    ASSERT_EQ(Install(dir), 0);

    EXPECT_NE(fs::status(dir / "lanternwick").permissions() & fs::perms::owner_exec,
              fs::perms::none);
    for (const char* name : kDataFiles) {
        EXPECT_EQ(Slurp(dir / name), Slurp(fs::path(LANTERNWICK_SOURCE_DIR) / "data" / name))
            << name;
    }
    EXPECT_EQ(CrLfLines(Slurp(dir / "paswoordNaam.txt")), std::vector<std::string>{"parents"});
    EXPECT_EQ(CrLfLines(Slurp(dir / "paswoordNr.txt")), std::vector<std::string>{"lanternwick"});

    // The menu entry starts this folder's program and shows this folder's icon, spaces and all.
    const std::string entry = Slurp(dir / "lanternwick.desktop");
    EXPECT_NE(entry.find("\nExec=\"" + (dir / "lanternwick").string() + "\"\n"), std::string::npos)
        << entry;
    EXPECT_NE(entry.find("\nIcon=" + (dir / "lanternwick.svg").string() + "\n"), std::string::npos);
    EXPECT_NE(Slurp(dir / "lanternwick.svg").find("<svg"), std::string::npos);

    Spit(dir / "paswoordNr.txt", "secret\r\n");
    Spit(dir / "bezochtesites.txt", "http://zoo.example/\r\n");
    fs::remove(dir / "words.txt");
    ASSERT_EQ(Install(dir), 0);
    EXPECT_EQ(Slurp(dir / "paswoordNr.txt"), "secret\r\n");
    EXPECT_EQ(Slurp(dir / "bezochtesites.txt"), "http://zoo.example/\r\n");
    EXPECT_EQ(Slurp(dir / "words.txt"),
              Slurp(fs::path(LANTERNWICK_SOURCE_DIR) / "data" / "words.txt"));
}

TEST(InstalledProgram, StartsFromAnyFolderShowsTheStartPageAndLogsTheRunWhenEnded) {
    ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "run under Xvfb";
    testsupport::TempFolder temp;
    const fs::path dir = fs::path(temp.Path()) / "Lanternwick";
    const fs::path elsewhere = fs::path(temp.Path()) / "elsewhere";
    fs::create_directories(elsewhere);
    ASSERT_EQ(Install(dir), 0);

    StartPageServer site;
    std::string record = "Hello";
    record.resize(21, ' ');
    Spit(dir / "startpagina.txt", record + site.Url() + "\r\n");
    Spit(dir / "bezochtesites.txt", "from an earlier run\r\n-----------------------\r\n");

    const pid_t pid = fork();
    ASSERT_NE(pid, -1);
    if (pid == 0) {
        if (chdir(elsewhere.c_str()) != 0) {
            _exit(126);
        }
        const std::string program = (dir / "lanternwick").string();
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    const bool loaded = site.WaitFor("/loaded", 60s);
    kill(pid, SIGTERM);
    int status = 0;
    ASSERT_TRUE(Reap(pid, 20s, status)) << "the program did not end on SIGTERM";
    ASSERT_TRUE(loaded) << "the start page was never shown";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;

    const auto log = CrLfLines(Slurp(dir / "bezochtesites.txt"));
    ASSERT_GE(log.size(), 5u);
    EXPECT_EQ(log[0], "from an earlier run");
    EXPECT_EQ(log[1], std::string(23, '-'));
    EXPECT_EQ(log[2], site.Url());
    const std::string reached = site.Url() + " --> Datum: ";
    EXPECT_EQ(std::count_if(log.begin() + 3, log.end() - 1,
                            [&](const std::string& l) {
                                return l.starts_with(reached) && l.find(" Tijd: ") != l.npos;
                            }),
              1);
    EXPECT_EQ(log.back(), std::string(23, '-'));
    // Nothing was read from or written to the folder it was started in.
    EXPECT_TRUE(fs::is_empty(elsewhere));
}

}  // namespace
