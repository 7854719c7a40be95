// Every way a page can lead elsewhere, tried on the real browser window against a loopback
// server. The blocked word occurs only in the blocked addresses, so a request for one of them,
// or a view left on one, means a way around the filter.
#include <gtest/gtest.h>
#include <httplib.h>
#include <wx/combobox.h>
#include <wx/webview.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <mutex>
#include <thread>

#ifdef __WXGTK__
#include <gtk/gtk.h>
#include <webkit2/webkit2.h>
#include <wx/uiaction.h>

#include "engine/WebKitGtkHooks.h"
#endif

#include "browser/frmBrowser.h"
#include "engine/WxWebView.h"
#include "filter/ProgramPages.h"
#include "storage/Records.h"
#include "support/Harness.h"
#include "support/TempFolder.h"
#include "support/Wait.h"

using namespace std::chrono_literals;
using testsupport::Harness;

namespace {

constexpr const char* kWord = "casino";
// A word in no address that the engine's own patterns would misread if it were not escaped.
constexpr const char* kOddWord = "(\xC3\xA9[";

// What each way looks like as a page. TARGET stands for the address the page leads to; the
// script, when there is one, is what a child's click or the page itself would run.
struct Way {
    const char* name;
    const char* body;
    const char* script;
    bool fetches;  // the target is fetched from the server when the way is allowed
};

void PrintTo(const Way& way, std::ostream* os) {
    *os << way.name;
}

const Way kWays[] = {
    {"link", R"(<a id="go" href="TARGET">go</a>)", "document.getElementById('go').click()", true},
    {"blank", R"(<a id="go" href="TARGET" target="_blank">go</a>)",
     "document.getElementById('go').click()", true},
    {"open", "", "window.open('TARGET')", true},
    // A frame made after the page loaded has a window.open of its own.
    {"frameopen", "",
     "var f = document.createElement('iframe'); document.body.appendChild(f); "
     "f.contentWindow.open(new URL('TARGET', location.href).href)",
     true},
    {"refresh", R"(<meta http-equiv="refresh" content="0;url=TARGET">)", "", true},
    {"redirect", R"(<a id="go" href="HOP">go</a>)", "document.getElementById('go').click()", true},
    {"assign", "", "location.assign('TARGET')", true},
    {"replace", "", "location.replace('TARGET')", true},
    {"get", R"(<form id="f" action="TARGET" method="get"><input name="q" value="1"></form>)",
     "document.getElementById('f').submit()", true},
    {"post", R"(<form id="f" action="TARGET" method="post"><input name="q" value="1"></form>)",
     "document.getElementById('f').submit()", true},
    {"blankform", R"(<form id="f" action="TARGET" target="_blank"><input name="q"></form>)",
     "document.getElementById('f').submit()", true},
    {"iframe", R"(<iframe src="TARGET"></iframe>)", "", true},
    {"frametop", R"(<iframe id="fr" srcdoc="<a id=go target=_top href=TARGET>go</a>"></iframe>)",
     "document.getElementById('fr').contentDocument.getElementById('go').click()", true},
    // Three arguments make document.open a window.open.
    {"docopen", "", "document.open('TARGET', '_blank', '')", true},
    {"docopenfeatures", "", "document.open('TARGET', '_blank', 'width=300,height=200')", true},
    // The network decodes what the page escapes: ENCODED is TARGET with every "o" as "%6F".
    {"encoded", R"(<a id="go" href="ENCODED">go</a>)", "document.getElementById('go').click()",
     true},
    {"encodedredirect", R"(<a id="go" href="HOP">go</a>)", "document.getElementById('go').click()",
     true},
    {"pushstate", "", "history.pushState({}, '', 'TARGET')", false},
    {"replacestate", "", "history.replaceState({}, '', 'TARGET')", false},
};

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

// Serves the pages of every way and remembers each request as "METHOD /path".
class LocalSite {
public:
    LocalSite() {
        server_.set_logger([this](const httplib::Request& req, const httplib::Response&) {
            std::lock_guard lock(mutex_);
            requested_.push_back(req.method + " " + req.path);
        });
        // /way/<name>/<ok|bad>: the page of one way, leading to an allowed or a blocked page.
        // /way/<name>/prog leads to the program's own help page instead.
        server_.Get(R"(/way/(\w+)/(ok|bad|prog))", [](const httplib::Request& req,
                                                      httplib::Response& res) {
            const auto way = std::find_if(std::begin(kWays), std::end(kWays),
                                          [&](const Way& w) { return req.matches[1] == w.name; });
            if (way == std::end(kWays)) {
                res.status = 404;
                return;
            }
            const std::string target = TargetOf(way->name, req.matches[2]);
            // The hop's own address is allowed: only where it leads holds the word.
            const std::string hop = std::string("/hop/") + way->name + "/" + req.matches[2].str();
            const std::string body = Replaced(
                Replaced(Replaced(way->body, "ENCODED", Encoded(target)), "TARGET", target), "HOP",
                hop);
            res.set_content("<html><body>" + body + "</body></html>", "text/html");
        });
        auto landing = [](const httplib::Request&, httplib::Response& res) {
            res.set_content("<html><body>landed</body></html>", "text/html");
        };
        for (const char* pattern : {R"(/ok/.*)", R"(/casino/.*)"}) {
            server_.Get(pattern, landing);
            server_.Post(pattern, landing);
        }
        server_.Get("/choosers.html", [](const httplib::Request&, httplib::Response& res) {
            res.set_content(R"(<html><body style="margin:0"
                onclick="window.clicks = (window.clicks || 0) + 1; document.title = 'clicks ' + clicks">
                <input type="file" style="position:absolute;left:0;top:0;width:200px;height:60px">
                <input type="color" style="position:absolute;left:0;top:100px;width:200px;height:60px">
                </body></html>)",
                            "text/html");
        });
        // Reads the page's own host and the program's help page, each by script, both ways.
        server_.Get("/reads.html", [](const httplib::Request&, httplib::Response& res) {
            res.set_content(R"(<html><body><script>
                function seen(t) { return t.indexOf('landed') >= 0 ? 'landed' : t ? 'READ' : '-'; }
                function readNow(url) {
                    try { var x = new XMLHttpRequest(); x.open('GET', url, false); x.send();
                          return seen(x.responseText); } catch (e) { return '-'; }
                }
                function readLater(url) {
                    return fetch(url).then(function (r) { return r.text(); })
                                     .then(seen, function () { return '-'; });
                }
                var now = [readNow('/ok/now.txt'), readNow('lanternwick://help/')];
                Promise.all([readLater('/ok/later.txt'), readLater('lanternwick://help/')])
                    .then(function (later) {
                        document.title = ['read', now[0], later[0], now[1], later[1]].join(' ');
                    });
                </script></body></html>)",
                            "text/html");
        });
        // A page that reloads itself, and one that leads itself on to a new address each time.
        server_.Get("/again.html", [](const httplib::Request&, httplib::Response& res) {
            res.set_content(
                "<html><body><script>setTimeout(function () { location.reload(); }, "
                "10);</script></body></html>",
                "text/html");
        });
        server_.Get("/onward.html", [](const httplib::Request& req, httplib::Response& res) {
            const int n = req.has_param("n") ? std::stoi(req.get_param_value("n")) : 0;
            res.set_content(
                "<html><body><script>setTimeout(function () { location.replace("
                "'/onward.html?n=" +
                    std::to_string(n + 1) + "'); }, 10);</script></body></html>",
                "text/html");
        });
        server_.Get("/auth.html", [](const httplib::Request&, httplib::Response& res) {
            res.status = 401;
            res.set_header("WWW-Authenticate", "Basic realm=\"grown-ups\"");
            res.set_content("<html><body>who are you?</body></html>", "text/html");
        });
        // Ways out of the window that are not navigations: downloads and menus.
        server_.Get("/exits.html", [](const httplib::Request&, httplib::Response& res) {
            res.set_content(R"(<html><body style="margin:0">
                <a id="attachment" href="/files/attachment.bin">a</a>
                <a id="attribute" href="/files/attribute.txt" download>b</a>
                <a id="octets" href="/files/octets.bin">c</a>
                <a id="menu" href="/ok/menu.html"
                   style="position:absolute;left:0;top:50px;width:300px;height:200px">
                  <img src="/files/picture.png" width="300" height="200"></a>
                <iframe src="/ok/frame.html" width="300" height="200"
                   style="position:absolute;left:350px;top:50px"></iframe>
                <input id="box" style="position:absolute;left:0;top:300px;width:200px">
                </body></html>)",
                            "text/html");
        });
        server_.Get(R"(/files/(\w+)\.(\w+))", [](const httplib::Request& req,
                                                 httplib::Response& res) {
            if (req.matches[1] == "attachment") {
                res.set_header("Content-Disposition", "attachment; filename=\"a.bin\"");
            }
            res.set_content(std::string(4096, 'x'),
                            req.matches[2] == "txt" ? "text/plain" : "application/octet-stream");
        });
        // /sub/<ok|bad>: a page that asks for every kind of sub-resource under /ok/ or /casino/;
        // the blocked page then asks for each again under /ok/after/, its allowed twin.
        server_.Get(R"(/sub/(ok|bad))", [](const httplib::Request& req, httplib::Response& res) {
            auto every = [](const std::string& at, const std::string& n) {
                return Replaced(Replaced(Replaced(R"(<link rel="stylesheet" href="ATstyle.css">
                <img src="ATpicture.png"><img src="ENCpicture2.png">
                <a id="pingerN" href="#here" ping="ATping">p</a><div id="shownN"></div><script>
                var x = new XMLHttpRequest(); x.open('GET', 'ATxhr'); x.send();
                fetch('ATfetch').then(r => r.text()).then(t => {
                    document.getElementById('shownN').innerHTML = t; });
                fetch('ATkeepalive', {method: 'POST', body: 'x', keepalive: true});
                new EventSource('ATevents');
                try { new WebSocket('ws://' + location.host + 'ATws'); } catch (e) {}
                navigator.sendBeacon('ATbeacon', 'x');
                if (navigator.serviceWorker) navigator.serviceWorker.register('/ok/sw.js');
                var inWorker = "var at = '" + location.origin + "AT'; fetch(at + 'workerfetch'); " +
                    "new EventSource(at + 'workerevents'); " +
                    "try { new WebSocket(at.replace('http', 'ws') + 'workerws'); } catch (e) {} " +
                    "try { new WebSocket(location.origin.replace('http', 'ws') + " +
                    "'ENCworkerwsescaped'); } catch (e) {}";
                new Worker(URL.createObjectURL(new Blob([inWorker])));
                document.getElementById('pingerN').click();
                </script>)",
                                                  "ENC", Encoded(at)),
                                         "AT", at),
                                "N", n);
            };
            const bool ok = req.matches[1] == "ok";
            res.set_content("<html><body>" +
                                every(ok ? "/ok/" : std::string("/") + kWord + "/", "1") +
                                (ok ? "" : every("/ok/after/", "2")) + "</body></html>",
                            "text/html");
        });
        server_.Get(R"(/hop/(\w+)/(ok|bad|prog))",
                    [](const httplib::Request& req, httplib::Response& res) {
                        const std::string to = TargetOf(req.matches[1], req.matches[2]);
                        res.set_redirect(req.matches[1] == "encodedredirect" ? Encoded(to) : to);
                    });
        // A connection kept open for the next request would hold the server's stop until the
        // engine lets it go.
        server_.set_keep_alive_max_count(1);
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
    }
    ~LocalSite() {
        server_.stop();
        thread_.join();
    }
    static std::string Encoded(const std::string& path) { return Replaced(path, "o", "%6F"); }
    static std::string TargetOf(const std::string& way, bool allowed) {
        return (allowed ? "/ok/" : std::string("/") + kWord + "/") + way + ".html";
    }
    static std::string TargetOf(const std::string& way, const std::string& kind) {
        return kind == "prog" ? std::string(filter::kHelpPage) : TargetOf(way, kind == "ok");
    }
    std::string HostAndPort() const { return "127.0.0.1:" + std::to_string(port_); }
    std::string Url(const std::string& path) const { return "http://" + HostAndPort() + path; }
    // The requests that arrived whose path, as the server decoded it, holds the text.
    std::vector<std::string> RequestsHolding(const std::string& text) {
        std::lock_guard lock(mutex_);
        std::vector<std::string> holding;
        std::copy_if(requested_.begin(), requested_.end(), std::back_inserter(holding),
                     [&](auto& r) { return r.find(text) != r.npos; });
        return holding;
    }
    // How often a path was asked for, by any method and with any query.
    int Requests(const std::string& path) {
        std::lock_guard lock(mutex_);
        return static_cast<int>(std::count_if(requested_.begin(), requested_.end(), [&](auto& r) {
            return r.substr(r.find(' ') + 1) == path;
        }));
    }

private:
    httplib::Server server_;
    std::thread thread_;
    std::mutex mutex_;
    std::vector<std::string> requested_;
    int port_ = 0;
};

// One server and one browser window for the whole suite: starting the engine is the slow part.
class FilterBypass : public ::testing::Test {
protected:
    static void SetUpTestSuite() { StartSuite(false); }
    // `family`: the data are reached through a stand-in for the family install's helper, which
    // reads them from the harness's folder, and the run keeps its own files in a folder apart.
    static void StartSuite(bool family) {
        site_ = new LocalSite;
        views_ = new engine::WxWebViewFactory;
        h_ = new Harness(views_);
        if (family) {
            runs_ = new testsupport::TempFolder;
            setenv("XDG_RUNTIME_DIR", runs_->Path().c_str(), 1);
            h_->folder.Put("helper", "#!/bin/sh\n[ \"$1\" != read ] || exec cat '" +
                                         h_->folder.Path() + "'/\"$2\"\ncat > /dev/null\n");
            h_->helper = h_->folder.File("helper");
            std::filesystem::permissions(h_->helper, std::filesystem::perms::owner_all);
        }
        h_->Put("words.txt", {kWord, kOddWord});
        h_->Put("startpagina.txt",
                {storage::StartPageRecord("Home", site_->HostAndPort() + "/ok/home.html")});
        h_->Start();
    }
    static void TearDownTestSuite() {
        delete h_;
        delete views_;
        delete site_;
        delete runs_;
    }
    void SetUp() override {
        ASSERT_TRUE(testsupport::WaitUntil([] { return Reached("/ok/home.html") > 0; }, 30s));
        h_->Put("words.txt", {kWord, kOddWord});
    }

    static browser::frmBrowser& Browser() { return h_->Browser(); }
    static std::string Location() { return Browser().brwbrowser().LocationURL(); }
    static wxWebView& View() { return *dynamic_cast<wxWebView*>(Browser().brwbrowser().Control()); }
    // How many reached-page entries the visit log holds for a path: each is a page displayed.
    static int Reached(const std::string& path) {
        const std::string prefix = site_->Url(path) + " --> Datum: ";
        const auto log = h_->VisitLog();
        return static_cast<int>(std::count_if(
            log.begin(), log.end(), [&](const std::string& e) { return e.rfind(prefix, 0) == 0; }));
    }
    // A minute passes before each step: the log writes a page again within a minute only once.
    static void NextMinute() { h_->clock.steady += 60; }
    // Opens a page as a site button does and waits until it is on screen.
    static void Open(const std::string& path) {
        NextMinute();
        const int before = Reached(path);
        Browser().cboURL->SetValue(site_->Url(path));
        Browser().cboURL_Click();
        ASSERT_TRUE(testsupport::WaitUntil([&] { return Reached(path) > before; }, 10s)) << path;
    }
    // Does something that must bring a page onto the screen and waits until it is there.
    static void StepTo(const std::string& path, const std::function<void()>& step) {
        NextMinute();
        const int before = Reached(path);
        step();
        ASSERT_TRUE(testsupport::WaitUntil([&] { return Reached(path) > before; })) << Location();
    }
    static void Run(const std::string& script) { View().RunScriptAsync(script); }
    // Waits until the page process has handled everything sent to it before, and the view has
    // stopped loading: a navigation let through by then would have been asked for already.
    static bool Settled(const std::function<bool()>& orElse = [] { return false; }) {
        return View().RunScript("0") &&
               testsupport::WaitUntil([&] { return !View().IsBusy() || orElse(); });
    }
    static std::string PageText() {
        wxString text;
        View().RunScript("document.body ? document.body.innerHTML : ''", &text);
        return text.utf8_string();
    }
    // Runs a script once the page and its frames have loaded, as a child's click would come.
    // Again and again until it runs through: a frame's own page can still be on its way when
    // the page around it is complete.
    static void RunWhenLoaded(const std::string& script) {
        if (script.empty()) {
            return;  // the page leads on by itself, and may be gone already
        }
        // The page on screen is the one opened last, whole, before the script is handed over:
        // one handed over earlier can land in the page before it and go with it.
        const std::string opened = Location();
        ASSERT_TRUE(testsupport::WaitUntil([&] {
            wxString state;
            return View().RunScript("document.location.href + ' ' + document.readyState", &state) &&
                   state == wxString::FromUTF8(opened + " complete");
        })) << opened;
        Run("(function run() { try { if (document.readyState !== 'complete') { throw 0; } " +
            script + "; } catch (e) { setTimeout(run, 20); } })()");
    }

public:
    static void* NativeView() { return View().GetNativeBackend(); }

protected:
    static LocalSite* site_;
    static engine::WxWebViewFactory* views_;
    static Harness* h_;
    static testsupport::TempFolder* runs_;
};

LocalSite* FilterBypass::site_ = nullptr;
engine::WxWebViewFactory* FilterBypass::views_ = nullptr;
Harness* FilterBypass::h_ = nullptr;
testsupport::TempFolder* FilterBypass::runs_ = nullptr;

class FilterBypassWays : public FilterBypass, public ::testing::WithParamInterface<Way> {};

// The allowed twin of each way proves that the way really leads somewhere on this engine, so
// that the blocked case cannot pass merely because nothing happened.
TEST_P(FilterBypassWays, LeadsToAnAllowedPageButNeverToABlockedOne) {
    const Way& way = GetParam();
    const std::string ok = LocalSite::TargetOf(way.name, true);
    const std::string bad = LocalSite::TargetOf(way.name, false);

    Open(std::string("/way/") + way.name + "/ok");
    RunWhenLoaded(Replaced(way.script, "TARGET", ok));
    if (way.fetches) {
        EXPECT_TRUE(testsupport::WaitUntil([&] { return site_->Requests(ok) > 0; }))
            << "the allowed " << way.name << " was not followed";
    } else {
        EXPECT_TRUE(testsupport::WaitUntil([&] { return Location() == site_->Url(ok); }))
            << "the allowed " << way.name << " did not change the address";
    }

    Open(std::string("/way/") + way.name + "/bad");
    RunWhenLoaded(Replaced(way.script, "TARGET", bad));
    if (way.fetches) {
        // Refused before anything is sent: the refusal page takes its place.
        ASSERT_TRUE(testsupport::WaitUntil([] {
            return filter::IsPage(Location(), filter::kRefusedPage);
        })) << Location();
        EXPECT_EQ(Reached(bad), 0);
    } else {
        // An address set by script is caught at the once-a-second check, logged and left.
        ASSERT_TRUE(testsupport::WaitUntil([&] {
            return Reached(bad) > 0 && Location().find(kWord) == std::string::npos;
        })) << Location();
    }
    EXPECT_EQ(site_->Requests(bad), 0);

    // The program's own pages open only when the program opens them: a page's way to one is
    // refused like a blocked address. (A frame's is refused inside the frame, with no page.)
    if (!way.fetches || std::string(way.name) == "iframe") {
        return;
    }
    Open(std::string("/way/") + way.name + "/prog");
    RunWhenLoaded(Replaced(way.script, "TARGET", std::string(filter::kHelpPage)));
    ASSERT_TRUE(testsupport::WaitUntil([] {
        return filter::IsPage(Location(), filter::kRefusedPage);
    })) << Location();
    EXPECT_TRUE(Browser().RefusedAddress().starts_with(filter::kHelpPage))
        << Browser().RefusedAddress();
}

INSTANTIATE_TEST_SUITE_P(, FilterBypassWays, ::testing::ValuesIn(kWays),
                         [](const auto& info) { return std::string(info.param.name); });

// A page reached while its word was not yet blocked must not come back through the history.
TEST_F(FilterBypass, BackAndForwardNeverReturnToAPageBlockedSinceItWasShown) {
    const std::string late = std::string("/") + kWord + "/late.html";
    struct Step {
        const char* how;
        bool forward;
        std::function<void()> go;
    };
    const Step steps[] = {
        {"the forward button", true, [] { Browser().PicNext2_Click(); }},
        {"history.forward()", true, [] { Run("history.forward()"); }},
        {"history.go(1)", true, [] { Run("history.go(1)"); }},
        {"the back button", false, [] { Browser().PicPrev2_Click(); }},
        {"history.back()", false, [] { Run("history.back()"); }},
        {"history.go(-1)", false, [] { Run("history.go(-1)"); }},
    };
    // Each step starts afresh: the refusal page it brings takes the place of what lay ahead.
    for (const Step& step : steps) {
        SCOPED_TRACE(step.how);
        h_->Put("words.txt", {"unrelated"});
        Open("/ok/before.html");
        Open(late);
        Open("/ok/after.html");
        if (step.forward) {
            StepTo(late, [] { Browser().brwbrowser().GoBack(); });
            StepTo("/ok/before.html", [] { Browser().brwbrowser().GoBack(); });
        }
        const int requests = site_->Requests(late);
        const int shown = Reached(late);
        h_->Put("words.txt", {kWord, kOddWord});
        step.go();
        ASSERT_TRUE(testsupport::WaitUntil([] {
            return filter::IsPage(Location(), filter::kRefusedPage);
        })) << Location();
        EXPECT_EQ(site_->Requests(late), requests);
        EXPECT_EQ(Reached(late), shown);
        EXPECT_EQ(Location().find(kWord), std::string::npos) << Location();
    }
}

// Every kind of request a page makes by itself; the allowed twin shows that each kind really
// reaches the server on this engine.
TEST_F(FilterBypass, NoSubResourceOfAnyKindIsRequestedFromABlockedAddress) {
#ifndef __WXGTK__
    GTEST_SKIP() << "only WebKitGTK lets the program filter the requests a page makes itself; "
                    "on this engine only the pages are checked";
#endif
    const char* kinds[] = {"style.css",   "picture.png",  "picture2.png", "xhr",    "fetch",
                           "keepalive",   "events",       "ws",           "beacon", "ping",
                           "workerfetch", "workerevents", "workerws"};
    Open("/sub/ok");
    for (const char* kind : kinds) {
        EXPECT_TRUE(testsupport::WaitUntil(
            [&] { return site_->Requests(std::string("/ok/") + kind) > 0; }, 3s))
            << "an allowed " << kind << " was not asked for";
    }
    const auto earlier = site_->RequestsHolding(kWord);
    Open("/sub/bad");
    for (const char* kind : kinds) {
        EXPECT_TRUE(testsupport::WaitUntil(
            [&] { return site_->Requests(std::string("/ok/after/") + kind) > 0; }, 3s))
            << "the allowed twin of " << kind << " was not asked for";
    }
    EXPECT_EQ(site_->RequestsHolding(kWord), earlier);
    wxString inside;
    View().RunScript("document.getElementById('shown1').innerHTML", &inside);
    EXPECT_EQ(inside, "") << "a blocked page shows inside";
    // A service worker would fetch for the page where nothing of the page can see it.
    EXPECT_EQ(site_->Requests("/ok/sw.js"), 0);
    EXPECT_EQ(Location(), site_->Url("/sub/bad#here"));
}

// In a family install the child's account owns every file of its run, and may change any of them
// while a page is open. The page's own requests are judged by the words the helper gives all the
// same; the twin is asked for once the blocked fetch and picture were sent or refused.
class FamilyFilterBypass : public FilterBypass {
protected:
    static void SetUpTestSuite() { StartSuite(true); }
};

TEST_F(FamilyFilterBypass, WhatTheChildDoesToTheFilesOfItsRunLeavesTheWordsInForce) {
    const std::pair<const char*, void (*)(const std::filesystem::path&)> changes[] = {
        {"emptied", [](const auto& file) { std::filesystem::resize_file(file, 0); }},
        {"another list", [](const auto& file) { std::ofstream(file) << "unrelated\r\n"; }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        const std::string n(1, name[0]), bad = "/" + std::string(kWord) + "/" + n;
        Open("/ok/family-" + n + ".html");
        for (const auto& entry : std::filesystem::recursive_directory_iterator(runs_->Path())) {
            if (entry.is_regular_file()) {
                change(entry.path());
            }
        }
        Run(Replaced(Replaced(R"(Promise.allSettled([fetch('BADfetch'), new Promise(
            function (done) { var i = new Image(); i.onload = i.onerror = done;
                              i.src = 'BADpicture.png'; })]).then(function () { fetch('TWIN'); });)",
                              "BAD", bad),
                     "TWIN", "/ok/twin-" + n));
        ASSERT_TRUE(testsupport::WaitUntil([&] { return site_->Requests("/ok/twin-" + n) > 0; }));
        EXPECT_EQ(site_->RequestsHolding(kWord), std::vector<std::string>{});
    }
}

// A page opened at once after a word was added must meet socket rules that refuse it. The
// worker's last request waits for the blocked socket to fail or close.
TEST_F(FilterBypass, AWordAddedJustBeforeAPageOpensStopsItsWorkersSockets) {
    h_->Put("words.txt", {kWord, kOddWord, "freshly"});
    Open("/ok/added-word.html");
    RunWhenLoaded(R"(var inWorker = "var at = '" + location.origin + "'; " +
        "var s = new WebSocket(at.replace('http', 'ws') + '/freshly/ws'); " +
        "s.onerror = s.onclose = function () { fetch(at + '/ok/added-word-twin'); };";
        new Worker(URL.createObjectURL(new Blob([inWorker]))))");
    ASSERT_TRUE(testsupport::WaitUntil([] { return site_->Requests("/ok/added-word-twin") > 0; }));
    EXPECT_EQ(site_->Requests("/freshly/ws"), 0);
}

// A shared worker fetches for its whole site outside every page: no page or frame may start
// one. A frame's first window, taken over by its same-site document, is guarded twice, which
// must not count as failed guards (that would end the page process). The last request waits
// for the worker's blocked ones, or follows its refusal: nothing blocked can come after it.
TEST_F(FilterBypass, NoSharedWorkerRequestsABlockedAddress) {
    struct Start {
        const char* name;
        const char* window;
    };
    const Start starts[] = {
        {"page", "window"},
        {"frame",
         "(function () { var f = document.createElement('iframe'); document.body.appendChild(f); "
         "return f.contentWindow; })()"},
        {"handed",
         "new Promise(function (loaded) { var f = document.createElement('iframe'); "
         "f.onload = function () { if (f.contentWindow.handedOn) loaded(f.contentWindow); }; "
         "f.src = '/ok/handed.html'; document.body.appendChild(f); "
         "f.contentWindow.handedOn = true; })"},
    };
    for (const Start& start : starts) {
        SCOPED_TRACE(start.name);
        const std::string bad = std::string("/") + kWord + "/shared-" + start.name;
        const std::string ok = std::string("/ok/shared-") + start.name;
        Open(ok + ".html");
        const char* script = R"(var inWorker = "var at = '" + location.origin + "'; " +
            "fetch(at + 'BAD-fetch').finally(function () { var x = new XMLHttpRequest(); " +
            "x.open('GET', at + 'BAD-xhr'); x.onloadend = function () { fetch(at + 'OK-twin'); }; " +
            "x.send(); });";
            Promise.resolve(WINDOW).then(function (w) {
                try { new w.SharedWorker(URL.createObjectURL(new Blob([inWorker]))); }
                catch (e) { fetch('OK-refused'); }
            }))";
        RunWhenLoaded(
            Replaced(Replaced(Replaced(script, "WINDOW", start.window), "BAD", bad), "OK", ok));
        ASSERT_TRUE(testsupport::WaitUntil([&] {
            return site_->Requests(ok + "-twin") + site_->Requests(ok + "-refused") > 0;
        })) << "the page stopped, or its frame did not keep its first window";
        EXPECT_EQ(site_->Requests(bad + "-fetch"), 0);
        EXPECT_EQ(site_->Requests(bad + "-xhr"), 0);
    }
}

// A script can put anything on the page and then give it a blocked address.
// The help page names the data folder, in a family install the child's home: no page reads it.
TEST_F(FilterBypass, APageReadsNothingOfTheProgramsOwnPages) {
    Open("/reads.html");
    ASSERT_TRUE(testsupport::WaitUntil([] { return View().GetCurrentTitle().StartsWith("read"); }));
    EXPECT_EQ(View().GetCurrentTitle().utf8_string(), "read landed landed - -");
}

// Each page reached is a line of the log; a page that loops must not write the disk full.
TEST_F(FilterBypass, APageThatLoopsWritesTheLogAtAPace) {
    const auto lines = [](const std::string& path) {
        return std::ranges::count_if(h_->VisitLog(), [&](const std::string& entry) {
            return entry.find(path) != std::string::npos;
        });
    };
    Open("/again.html");
    ASSERT_TRUE(testsupport::WaitUntil([] { return site_->Requests("/again.html") >= 30; }));
    EXPECT_EQ(Reached("/again.html"), 1) << "the same page again within a minute";

    Open("/onward.html");
    ASSERT_TRUE(testsupport::WaitUntil([] { return site_->Requests("/onward.html") >= 30; }));
    EXPECT_LE(lines("/onward.html"), 20) << "a new address each time";
}

TEST_F(FilterBypass, APageThatTakesABlockedAddressLeavesTheScreen) {
    Open("/ok/script.html");
    View().RunScript(
        "document.body.innerHTML = '<p>blocked content</p>'; "
        "history.pushState({}, '', '/" +
        std::string(kWord) + "/pushed.html')");
    ASSERT_NE(PageText().find("blocked content"), std::string::npos);
    EXPECT_TRUE(testsupport::WaitUntil([] {
        return Location().find(kWord) == std::string::npos &&
               PageText().find("blocked content") == std::string::npos && !View().IsBusy();
    })) << Location();
    EXPECT_LE(Reached("/" + std::string(kWord) + "/pushed.html"), 1);
}

TEST_F(FilterBypass, APageBlockedWhileShownLeavesForGoodAndIsLoggedOnce) {
    h_->Put("words.txt", {"unrelated"});
    Open("/ok/first.html");
    Open("/ok/second.html");
    const auto before = h_->VisitLog().size();
    h_->Put("words.txt", {"127.0.0.1"});  // every page of the site, the pages before included
    EXPECT_TRUE(testsupport::WaitUntil([] { return Location() == "about:blank"; })) << Location();
    // A page that left in a loop would be back, or logged again, within two more checks.
    const int checks = Browser().ChecksDone();
    ASSERT_TRUE(testsupport::WaitUntil([&] { return Browser().ChecksDone() >= checks + 2; }));
    EXPECT_EQ(Location(), "about:blank");
    EXPECT_LE(h_->VisitLog().size(), before + 2);
}

// A list that is there but cannot be read (here: a folder in its place) lets nothing through.
TEST_F(FilterBypass, AnUnreadableWordListOpensNothingAndSaysSoBriefly) {
    Open("/way/link/ok");
    const int linked = site_->Requests("/ok/link.html");
    const std::string words = h_->folder.File("words.txt");
    std::filesystem::remove(words);
    std::filesystem::create_directory(words);
    Run("document.getElementById('go').click()");
    ASSERT_TRUE(Settled());
    const auto shown = h_->messages.shown.size();
    const int home = site_->Requests("/ok/home.html");
    Browser().PicHome2_Click();
    Browser().PicPrev2_Click();
    // The view takes the earlier address as it goes back, and returns to this one once the
    // step is refused.
    ASSERT_TRUE(testsupport::WaitUntil([] { return Location() == site_->Url("/way/link/ok"); }));
    ASSERT_TRUE(Settled());
    EXPECT_EQ(site_->Requests("/ok/link.html"), linked);
    EXPECT_EQ(site_->Requests("/ok/home.html"), home);
    ASSERT_GT(h_->messages.shown.size(), shown);
    EXPECT_EQ(h_->messages.shown[shown].text.find(h_->folder.Path()), std::string::npos);
    EXPECT_EQ(Location().find("/ok/"), std::string::npos) << Location();
    std::filesystem::remove(words);
    h_->Put("words.txt", {kWord, kOddWord});
}

TEST_F(FilterBypass, ABlockedAttemptIsLoggedAndHomeStillOpensAtTheFirstClick) {
    const std::string bad = site_->Url(std::string("/") + kWord + "/attempt.html");
    Browser().cboURL->SetValue(bad);
    Browser().cboURL_Click();
    EXPECT_EQ(h_->VisitLog().back(), bad);

    Open("/way/redirect/bad");
    RunWhenLoaded("document.getElementById('go').click()");
    ASSERT_TRUE(
        testsupport::WaitUntil([] { return filter::IsPage(Location(), filter::kRefusedPage); }));
    StepTo("/ok/home.html", [] { Browser().PicHome2_Click(); });
}

#ifdef __WXGTK__

WebKitWebView* Engine() {
    return static_cast<WebKitWebView*>(FilterBypass::NativeView());
}

int TopLevelWindows() {
    GList* windows = gtk_window_list_toplevels();
    int visible = 0;
    for (GList* w = windows; w != nullptr; w = w->next) {
        // Tooltips and menus are popups inside the window, not windows of their own.
        visible += gtk_widget_get_visible(GTK_WIDGET(w->data)) &&
                           gtk_window_get_window_type(GTK_WINDOW(w->data)) == GTK_WINDOW_TOPLEVEL
                       ? 1
                       : 0;
    }
    g_list_free(windows);
    return visible;
}

// Every download the engine starts for the view, kept to see what became of it.
struct Downloads {
    static void Started(WebKitWebContext*, WebKitDownload* download, gpointer data) {
        static_cast<Downloads*>(data)->started.push_back(WEBKIT_DOWNLOAD(g_object_ref(download)));
    }
    ~Downloads() {
        for (auto* d : started) {
            g_object_unref(d);
        }
    }
    std::vector<WebKitDownload*> started;
};

TEST_F(FilterBypass, DownloadsAreRefused) {
    Open("/exits.html");
    WebKitWebContext* context = webkit_web_view_get_context(Engine());
    for (const char* link : {"attachment", "attribute", "octets"}) {
        Downloads downloads;
        const gulong handler = g_signal_connect(context, "download-started",
                                                G_CALLBACK(Downloads::Started), &downloads);
        const std::string file =
            std::string("/files/") + link + (link == std::string("attribute") ? ".txt" : ".bin");
        const int asked = site_->Requests(file);
        Run(std::string("document.getElementById('") + link + "').click()");
        // Once it was sent and the view is done with it, a download would have begun.
        ASSERT_TRUE(testsupport::WaitUntil([&] { return site_->Requests(file) > asked; })) << link;
        // A download the engine began leaves the view loading what became of it.
        ASSERT_TRUE(Settled([&] { return !downloads.started.empty(); })) << link;
        g_signal_handler_disconnect(context, handler);

        // Some engines simply ignore what they cannot show; one that downloads must stop at once.
        for (WebKitDownload* d : downloads.started) {
            EXPECT_EQ(webkit_download_get_destination(d), nullptr) << link;
            EXPECT_EQ(webkit_download_get_received_data_length(d), 0u) << link;
        }
        EXPECT_EQ(Location(), site_->Url("/exits.html")) << link;
    }
}

TEST_F(FilterBypass, TheContextMenuOffersNothingThatLeavesTheWindow) {
    Open("/exits.html");
    ASSERT_TRUE(testsupport::WaitUntil([] { return View().IsShownOnScreen(); }, 5s));
    struct Seen {
        std::vector<WebKitContextMenuAction> actions;
        int menus = 0;
        static void Collect(WebKitContextMenu* menu, Seen* seen) {
            for (GList* n = webkit_context_menu_get_items(menu); n != nullptr; n = n->next) {
                auto* item = static_cast<WebKitContextMenuItem*>(n->data);
                seen->actions.push_back(webkit_context_menu_item_get_stock_action(item));
                if (WebKitContextMenu* sub = webkit_context_menu_item_get_submenu(item)) {
                    Collect(sub, seen);
                }
            }
        }
        static gboolean Shown(WebKitWebView*, WebKitContextMenu* menu, GdkEvent*,
                              WebKitHitTestResult*, gpointer data) {
            auto* seen = static_cast<Seen*>(data);
            ++seen->menus;
            Collect(menu, seen);
            return TRUE;  // looked at, never popped up
        }
    } seen;
    const gulong handler =
        g_signal_connect(Engine(), "context-menu", G_CALLBACK(Seen::Shown), &seen);

    // On the linked picture, on the frame and on the plain page.
    const wxPoint origin = View().GetScreenPosition();
    wxUIActionSimulator mouse;
    for (const wxPoint at : {wxPoint(150, 150), wxPoint(500, 150), wxPoint(700, 400)}) {
        const int before = seen.menus;
        mouse.MouseMove(origin + at);
        mouse.MouseClick(wxMOUSE_BTN_RIGHT);
        testsupport::WaitUntil([&] { return seen.menus > before; }, 3s);
    }
    g_signal_handler_disconnect(Engine(), handler);

    EXPECT_GT(seen.menus, 0) << "no right click reached the view";
    for (const auto leaving : {WEBKIT_CONTEXT_MENU_ACTION_OPEN_LINK_IN_NEW_WINDOW,
                               WEBKIT_CONTEXT_MENU_ACTION_DOWNLOAD_LINK_TO_DISK,
                               WEBKIT_CONTEXT_MENU_ACTION_OPEN_IMAGE_IN_NEW_WINDOW,
                               WEBKIT_CONTEXT_MENU_ACTION_DOWNLOAD_IMAGE_TO_DISK,
                               WEBKIT_CONTEXT_MENU_ACTION_OPEN_FRAME_IN_NEW_WINDOW,
                               WEBKIT_CONTEXT_MENU_ACTION_INSPECT_ELEMENT,
                               WEBKIT_CONTEXT_MENU_ACTION_OPEN_VIDEO_IN_NEW_WINDOW,
                               WEBKIT_CONTEXT_MENU_ACTION_OPEN_AUDIO_IN_NEW_WINDOW,
                               WEBKIT_CONTEXT_MENU_ACTION_DOWNLOAD_VIDEO_TO_DISK,
                               WEBKIT_CONTEXT_MENU_ACTION_DOWNLOAD_AUDIO_TO_DISK}) {
        EXPECT_EQ(std::count(seen.actions.begin(), seen.actions.end(), leaving), 0)
            << "menu action " << leaving;
    }
}

TEST_F(FilterBypass, NoShortcutOrPageScriptOpensAWindowOrTheInspector) {
    Open("/exits.html");
    ASSERT_TRUE(testsupport::WaitUntil([] { return View().IsShownOnScreen(); }, 5s));
    const int windows = TopLevelWindows();
    WebKitWebInspector* inspector = webkit_web_view_get_inspector(Engine());
    bool inspectorOpened = false;
    const gulong handler = g_signal_connect(
        inspector, "open-window", G_CALLBACK(+[](WebKitWebInspector*, gpointer data) -> gboolean {
            *static_cast<bool*>(data) = true;
            return FALSE;
        }),
        &inspectorOpened);

    // Typing into the page's box first shows that the keys reach the view at all.
    wxUIActionSimulator keys;
    keys.MouseMove(View().GetScreenPosition() + wxPoint(100, 310));
    keys.MouseClick();
    wxString typed;
    // The click has landed once the box has the page's focus; keys before that go nowhere.
    ASSERT_TRUE(testsupport::WaitUntil([&] {
        return View().RunScript("document.activeElement && document.activeElement.id", &typed) &&
               typed == "box";
    }));
    keys.Char('k');
    EXPECT_TRUE(testsupport::WaitUntil(
        [&] {
            return View().RunScript("document.getElementById('box').value", &typed) && typed == "k";
        },
        3s))
        << "keys do not reach the view";
    struct Shortcut {
        int key;
        int modifiers;
    };
    for (const Shortcut& s : {Shortcut{'I', wxMOD_CONTROL | wxMOD_SHIFT},
                              {'C', wxMOD_CONTROL | wxMOD_SHIFT},
                              {'J', wxMOD_CONTROL | wxMOD_SHIFT},
                              {WXK_F12, wxMOD_NONE},
                              {'N', wxMOD_CONTROL},
                              {'T', wxMOD_CONTROL},
                              {'L', wxMOD_CONTROL},
                              {'O', wxMOD_CONTROL},
                              {'U', wxMOD_CONTROL},
                              {'P', wxMOD_CONTROL},
                              {'S', wxMOD_CONTROL},
                              {WXK_F6, wxMOD_NONE},
                              {WXK_HOME, wxMOD_ALT}}) {
        // A letter typed after it shows the shortcut was handled by then, and left the box
        // its focus.
        const wxString before = [&] {
            wxString value;
            View().RunScript("document.getElementById('box').value", &value);
            return value;
        }();
        keys.Char(s.key, s.modifiers);
        keys.Char('k');
        ASSERT_TRUE(testsupport::WaitUntil([&] {
            return View().RunScript("document.getElementById('box').value", &typed) &&
                   typed == before + "k";
        })) << "after the shortcut "
            << s.key;
    }
    g_signal_handler_disconnect(inspector, handler);
    EXPECT_FALSE(inspectorOpened);
    EXPECT_EQ(webkit_web_inspector_get_web_view(inspector), nullptr);
    EXPECT_EQ(TopLevelWindows(), windows);
    EXPECT_EQ(Location(), site_->Url("/exits.html"));

    // A print dialog runs its own modal loop; one that shows up is cancelled from inside that
    // loop so the run goes on and the failure is reported.
    struct Closer {
        static gboolean Tick(gpointer data) {
            GList* all = gtk_window_list_toplevels();
            for (GList* w = all; w != nullptr; w = w->next) {
                if (GTK_IS_DIALOG(w->data) && gtk_widget_get_visible(GTK_WIDGET(w->data))) {
                    *static_cast<bool*>(data) = true;
                    gtk_dialog_response(GTK_DIALOG(w->data), GTK_RESPONSE_CANCEL);
                }
            }
            g_list_free(all);
            return G_SOURCE_CONTINUE;
        }
    };
    bool dialogShown = false;
    const guint closer = g_timeout_add(100, Closer::Tick, &dialogShown);
    // A dialog would hold the script at print() until it was closed.
    Run("window.print(); document.title = 'printed';");
    EXPECT_TRUE(testsupport::WaitUntil([] { return View().GetCurrentTitle() == "printed"; }));
    g_source_remove(closer);
    EXPECT_FALSE(dialogShown) << "window.print() opened a dialog";
}

TEST_F(FilterBypass, ChoosersOpenNoWindowAndALostPageProcessLeavesAnEmptyPage) {
    Open("/choosers.html");
    ASSERT_TRUE(testsupport::WaitUntil([] { return View().IsShownOnScreen(); }, 5s));
    const int windows = TopLevelWindows();
    wxUIActionSimulator mouse;
    for (const wxPoint at : {wxPoint(100, 30), wxPoint(100, 130)}) {
        const wxString clicks = View().GetCurrentTitle();
        mouse.MouseMove(View().GetScreenPosition() + at);
        mouse.MouseClick();
        // The page saw the click; a chooser is asked for as the click is handled.
        ASSERT_TRUE(testsupport::WaitUntil([&] { return View().GetCurrentTitle() != clicks; }));
        ASSERT_TRUE(Settled());
        EXPECT_EQ(TopLevelWindows(), windows) << "a click at " << at.y << " opened a window";
    }
    // Whatever did open is closed again, so the suite goes on with one window.
    GList* all = gtk_window_list_toplevels();
    for (GList* w = all; w != nullptr; w = w->next) {
        if (GTK_IS_DIALOG(w->data) || GTK_IS_FILE_CHOOSER(w->data)) {
            gtk_widget_hide(GTK_WIDGET(w->data));
        }
    }
    g_list_free(all);

    // The engine's password prompt lies over the page, where a child could type anything.
    const auto children = [] {
        int count = 0;
        gtk_container_forall(
            GTK_CONTAINER(Engine()), [](GtkWidget*, gpointer n) { ++*static_cast<int*>(n); },
            &count);
        return count;
    };
    const int before = children();
    Browser().cboURL->SetValue(site_->Url("/auth.html"));
    Browser().cboURL_Click();
    ASSERT_TRUE(testsupport::WaitUntil([] { return site_->Requests("/auth.html") > 0; }));
    // A prompt would hold the load until someone answered it.
    ASSERT_TRUE(Settled());
    EXPECT_EQ(children(), before) << "a password prompt was shown";
    EXPECT_EQ(TopLevelWindows(), windows);

    webkit_web_view_terminate_web_process(Engine());
    EXPECT_TRUE(testsupport::WaitUntil([] { return Location() == "about:blank"; })) << Location();
    EXPECT_TRUE(Browser().IsShown());
    Open("/ok/after-crash.html");
}

// The page process loads whatever it finds, unfiltered when the filter is not there: the program
// must notice, as nothing else would.
TEST(FilterInstallation, AMissingOrForeignFilterFileIsNoticed) {
    using engine::WebKitGtkHooks;
    EXPECT_TRUE(WebKitGtkHooks::FilterLoadable(WebKitGtkHooks::FilterFolder()));
    testsupport::TempFolder folder;
    EXPECT_FALSE(WebKitGtkHooks::FilterLoadable(folder.Path()));
    const std::string foreign = folder.File("lanternwick-filter.so");
    std::filesystem::copy_file("/bin/true", foreign);
    EXPECT_FALSE(WebKitGtkHooks::FilterLoadable(folder.Path()));
}

// A small window of "another program" that offers an address to drag, as a file manager or
// another browser would.
class DragSource {
public:
    explicit DragSource(std::string uri) : uri_(std::move(uri)) {
        window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
        GtkWidget* box = gtk_event_box_new();
        gtk_container_add(GTK_CONTAINER(window_), box);
        gtk_container_add(GTK_CONTAINER(box), gtk_label_new("drag me"));
        static const GtkTargetEntry kTargets[] = {{const_cast<gchar*>("text/uri-list"), 0, 0},
                                                  {const_cast<gchar*>("text/plain"), 0, 1}};
        gtk_drag_source_set(box, GDK_BUTTON1_MASK, kTargets, 2,
                            static_cast<GdkDragAction>(GDK_ACTION_COPY | GDK_ACTION_LINK));
        g_signal_connect(box, "drag-data-get", G_CALLBACK(Give), this);
        g_signal_connect(box, "drag-begin",
                         G_CALLBACK(+[](GtkWidget*, GdkDragContext*, gpointer self) {
                             static_cast<DragSource*>(self)->begun = true;
                         }),
                         this);
        g_signal_connect(box, "drag-end",
                         G_CALLBACK(+[](GtkWidget*, GdkDragContext*, gpointer self) {
                             static_cast<DragSource*>(self)->ended = true;
                         }),
                         this);
        gtk_window_move(GTK_WINDOW(window_), 1350, 1000);
        gtk_window_resize(GTK_WINDOW(window_), 120, 80);
        gtk_widget_show_all(window_);
    }
    ~DragSource() { gtk_widget_destroy(window_); }
    bool Shown() const { return gtk_widget_get_mapped(window_); }
    wxPoint Centre() const {
        int x = 0;
        int y = 0;
        gtk_window_get_position(GTK_WINDOW(window_), &x, &y);
        return {x + 60, y + 40};
    }
    int given = 0;  // how often the address was handed to a drop target
    bool begun = false;
    bool ended = false;

private:
    static void Give(GtkWidget*, GdkDragContext*, GtkSelectionData* data, guint info, guint,
                     gpointer self) {
        auto* source = static_cast<DragSource*>(self);
        ++source->given;
        if (info == 0) {
            gchar* uris[] = {const_cast<gchar*>(source->uri_.c_str()), nullptr};
            gtk_selection_data_set_uris(data, uris);
        } else {
            gtk_selection_data_set_text(data, source->uri_.c_str(), -1);
        }
    }

    std::string uri_;
    GtkWidget* window_;
};

// Dropping opens nothing at all, so even an allowed address stays out: that shows the drop
// itself was refused, not merely the blocked word.
TEST_F(FilterBypass, ALinkDroppedOntoTheViewOpensNothing) {
    Open("/ok/drop-here.html");
    ASSERT_TRUE(testsupport::WaitUntil([] { return View().IsShownOnScreen(); }, 5s));
    wxUIActionSimulator mouse;
    for (const std::string& path :
         {std::string("/") + kWord + "/dropped.html", std::string("/ok/dropped.html")}) {
        DragSource source(site_->Url(path));
        ASSERT_TRUE(testsupport::WaitUntil([&] { return source.Shown(); }, 3s));
        testsupport::PumpFor(200ms);
        const wxPoint from = source.Centre();
        const wxPoint to = View().GetScreenPosition() + wxPoint(400, 300);
        // A gesture the display took for a click starts no drag; it is made again.
        for (int attempt = 0; attempt < 3 && !source.begun; ++attempt) {
            mouse.MouseMove(from);
            testsupport::PumpFor(100ms);
            mouse.MouseDown();
            for (int step = 1; step <= 20; ++step) {
                mouse.MouseMove(from + (to - from) * step / 20);
                testsupport::PumpFor(30ms);
            }
            testsupport::PumpFor(200ms);
            mouse.MouseUp();
        }
        ASSERT_TRUE(source.begun) << path;
        // The source hears the drop end once the view has answered it.
        ASSERT_TRUE(testsupport::WaitUntil([&] { return source.ended; }, 5s)) << path;
        ASSERT_TRUE(Settled());
        EXPECT_EQ(site_->Requests(path), 0) << path;
        EXPECT_EQ(Location(), site_->Url("/ok/drop-here.html")) << path;
    }
}

#else

TEST_F(FilterBypass, EngineExitsAreCheckedOnWebKitGtkOnly) {
    GTEST_SKIP() << "downloads, the context menu, shortcuts and drops are closed and checked "
                    "through WebKitGTK's own interface; this build uses another engine";
}

#endif

}  // namespace
