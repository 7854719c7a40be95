// The filter in front of the real web view, with pages from a server on the loopback address.
#include <gtest/gtest.h>
#include <httplib.h>
#include <wx/combobox.h>
#include <wx/mstream.h>
#include <wx/uiaction.h>
#include <wx/webview.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <sstream>
#include <thread>
#include <tuple>
#include <utility>

#include <wx/textctrl.h>

#ifdef __WXGTK__
#include <webkit2/webkit2.h>

#include "engine/WebKitGtkPictures.h"
#endif

#include "browser/frmBrowser.h"
#include "engine/WxWebView.h"
#include "filter/ProgramPages.h"
#include "parents/Parents.h"
#include "parents/invoegensite.h"
#include "parents/paswoord.h"
#include "storage/Records.h"
#include "storage/Settings.h"
#include "storage/SitePictures.h"
#include "support/Harness.h"
#include "support/Wait.h"
#include "widgets/ButtonPicture.h"
#include "widgets/ChameleonButton.h"

using namespace std::chrono_literals;
using testsupport::Harness;

namespace {

constexpr const char* kWordInTest = "casino";

// Names that resolve nowhere, reached through the server as the engine's proxy, and whether each
// opens while kids.test is the allowed site.
constexpr std::pair<const char*, bool> kMadeUpHosts[] = {{"kids.test", true},
                                                         {"www.kids.test", true},
                                                         {"video.kids.test", true},
                                                         {"kids.test.evil.test", false},
                                                         {"evilkids.test", false}};

// How the touch icon of the site "movedN.test" moves on (code, where to), and the colour its
// button gets: a hop to a blocked address brings no icon, so a picture of the blue page.
constexpr std::tuple<int, const char*, const char*> kMovedIcons[] = {
    {301, "/casino.png", "blue"},
    {302, "/%63asino.png", "blue"},
    {307, "http://other.test/casino.png", "blue"},
    {308, "http://other.test/casino.png", "blue"},
    {307, "http://other.test/touch.png", "red"},
    {301, "/touch.png", "red"}};

// Serves a few pages on 127.0.0.1, also reachable as localhost or as a proxy for any host, and
// remembers every path that was asked for, and every "host path" too.
class LocalSite {
public:
    LocalSite() {
        // A request through a proxy names the whole address, which the server leaves in the path.
        auto get = [this](const std::string& path, httplib::Server::Handler handler) {
            server_.Get("(?:http://[^/]+)?" + path, std::move(handler));
        };
        std::string madeUpLinks;
        for (const auto& [host, opens] : kMadeUpHosts) {
            madeUpLinks += "<a id=\"" + std::string(host) + "\" href=\"http://" + host +
                           "/page2.html\">" + host + "</a>";
        }
        auto page = [this](const std::string& body) {
            return [this, body](const httplib::Request&, httplib::Response& res) {
                std::string html = "<html><body>" + body + "</body></html>";
                for (auto at = html.find("PORT"); at != std::string::npos; at = html.find("PORT")) {
                    html.replace(at, 4, std::to_string(port_));
                }
                res.set_content(html, "text/html");
            };
        };
        server_.set_logger([this](const httplib::Request& req, const httplib::Response&) {
            std::lock_guard lock(mutex_);
            std::string path = req.path;
            if (path.starts_with("http://")) {
                path.erase(0, path.find('/', 7));
            }
            requested_.push_back(path);
            const std::string host = req.get_header_value("Host");
            asked_.push_back(host.substr(0, host.find(':')) + " " + path);
            heard_.notify_all();
        });
        get("/index.html", page(R"(<a id="ok" href="/page2.html">ok</a>
            <a id="bad" href="/casino.html">bad</a>
            <a id="popup" href="/page3.html" target="_blank">popup</a>
            <a id="away" href="http://localhost:PORT/page2.html">away</a>
            <a id="awayblank" href="http://localhost:PORT/page3.html" target="_blank">away</a>
            <a id="hop" href="/hop">hop</a>)" +
                                madeUpLinks));
        get("/page2.html", page(R"(<p id="two">two</p>)"));
        // Allowed pages with a frame the page writes itself, and with a player from another host.
        get("/written.html", page(R"(<iframe srcdoc="<p>written here</p>"></iframe>
            <p id="written">written</p>)"));
        get("/framed.html", page(R"(<iframe src="http://localhost:PORT/page3.html"></iframe>
            <p id="framed">framed</p>)"));
        get("/page3.html", page("three"));
        // A player from another host whose frames go on: one within its host (and a frame its
        // next level writes, within the level's host), one to a third.
        get("/player.html", page(R"(<iframe src="http://player.test/game.html"></iframe>
            <iframe src="http://player.test/lead.html"></iframe><p id="led">player</p>)"));
        get("/game.html", page("<script>location.href = '/level2.html';</script>"));
        get("/level2.html", page(R"(<iframe srcdoc="<script>location.href = '/after/ads.html';
            </script>"></iframe>)"));
        get("/lead.html", page("<script>location.href = 'http://ads.test/ads.html';</script>"));
        // Frames the page writes itself, and a frame whose first page sends it on, each led to a
        // third host beside a twin led within bounds.
        get("/srcdocled.html", page(R"(<p id="led">led</p>
            <iframe srcdoc="<script>location.href = 'http://ads.test/srcdoc.html';</script>">
            </iframe><iframe srcdoc="<script>location.href = '/after/srcdoc.html';</script>">
            </iframe>)"));
        get("/blankled.html", page(R"(<p id="led">led</p><iframe></iframe><iframe></iframe>
            <script>[['http://ads.test/blank.html', 0], ['/after/blank.html', 1]].forEach(
              function (to) { var d = frames[to[1]].document; d.write('<a href=' + to[0] + '>');
                              d.links[0].click(); });</script>)"));
        get("/hopled.html", page(R"(<iframe src="/hop/ads.test/hop.html"></iframe>
            <iframe src="/hop/kids.test/after/hop.html"></iframe><p id="led">led</p>)"));
        get("/hop/(.+)", [](const httplib::Request& req, httplib::Response& res) {
            res.set_redirect("http://" + req.matches[1].str());
        });
        // A twin waits (at most 20 s) for its third host's page, so it arrives after that would.
        get("/after/(.+)", [this, shown = page(R"(<img src="/twin-shown.png">)")](
                               const httplib::Request& req, httplib::Response& res) {
            const std::string awaited = "/" + req.matches[1].str();
            std::unique_lock lock(mutex_);
            heard_.wait_for(lock, 20s, [&] {
                return std::find(requested_.begin(), requested_.end(), awaited) != requested_.end();
            });
            lock.unlock();
            shown(req, res);
        });
        // Sites declaring pictures of themselves: a touch icon, only a small icon, nothing, and
        // a touch icon whose address holds a blocked word. The pages are blue, the icon red.
        const std::string blue = "<style>body{background:#0000ff}</style>";
        get("/touch.html", page(blue + R"(<link rel="icon" sizes="16x16" href="/small.png">
            <link rel="apple-touch-icon" href="/touch.png">)"));
        get("/small.html", page(blue + R"(<link rel="icon" sizes="16x16" href="/small.png">)"));
        get("/plain.html", page(blue));
        get("/blockedicon.html",
            page(blue + R"(<link rel="apple-touch-icon" href="/casino.png">)"));
        // Two sections of one host, each with its own icon.
        for (const char* section : {"red", "blue"}) {
            get("/" + std::string(section) + "/index.html",
                page(blue + "<link rel=\"apple-touch-icon\" href=\"/" + section + ".png\">"));
        }
        get("/moved.html", [page, blue](const httplib::Request& req, httplib::Response& res) {
            const std::string row = req.target.substr(req.target.find('?'));
            page(blue + R"(<link rel="apple-touch-icon" href="/moved.png)" + row + "\">")(req, res);
        });
        get("/moved.png", [](const httplib::Request& req, httplib::Response& res) {
            const auto& [code, to, colour] =
                kMovedIcons[std::stoi(req.target.substr(req.target.find('?') + 1))];
            res.set_redirect(to, code);
        });
        wxInitAllImageHandlers();
        for (const auto& [path, side] : {std::pair{"/touch.png", 120},
                                         {"/small.png", 16},
                                         {"/casino.png", 120},
                                         {"/red.png", 120},
                                         {"/blue.png", 120}}) {
            wxImage red(side, side);
            const bool blueIcon = std::string_view(path) == "/blue.png";
            red.SetRGB(wxRect(0, 0, side, side), blueIcon ? 0 : 255, 0, blueIcon ? 255 : 0);
            wxMemoryOutputStream out;
            red.SaveFile(out, wxBITMAP_TYPE_PNG);
            std::string png(out.GetLength(), '\0');
            out.CopyTo(png.data(), png.size());
            get(path, [png](const httplib::Request&, httplib::Response& res) {
                res.set_content(png, "image/png");
            });
        }
        // A page that asks "leave this page?" once it was clicked, and calls home all the time.
        get("/stay.html", page(R"(<p id="stay">stay</p><script>
            addEventListener('beforeunload', function (e) { e.preventDefault(); e.returnValue = 'stay'; return 'stay'; });
            addEventListener('click', function () { document.title = 'clicked'; });
            setInterval(function () { fetch('/tick'); }, 100);</script>)"));
        get("/tick", page(""));
        get("/casino.html", page("blocked"));
        get("/casino-land.html", page("blocked"));
        get("/redirect", [](const httplib::Request&, httplib::Response& res) {
            res.set_redirect("/casino-land.html");
        });
        // From an allowed host to another one.
        get("/hop", [this](const httplib::Request&, httplib::Response& res) {
            res.set_redirect("http://localhost:" + std::to_string(port_) + "/page3.html");
        });
        // A connection kept open for the next request would hold the server's stop until the
        // engine lets it go.
        server_.set_keep_alive_max_count(1);
        // Bound and listening here, so requests wait in the queue until the thread accepts.
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
    }
    ~LocalSite() {
        server_.stop();
        thread_.join();
    }
    std::string HostAndPort() const { return "127.0.0.1:" + std::to_string(port_); }
    std::string Url(const std::string& path) const { return "http://" + HostAndPort() + path; }
    bool WasRequested(const std::string& path) {
        std::lock_guard lock(mutex_);
        return std::find(requested_.begin(), requested_.end(), path) != requested_.end();
    }
    bool WasAsked(const std::string& host, const std::string& path) {
        std::lock_guard lock(mutex_);
        return std::find(asked_.begin(), asked_.end(), host + " " + path) != asked_.end();
    }
    bool AnyFrom(const std::string& host) {
        std::lock_guard lock(mutex_);
        return std::any_of(asked_.begin(), asked_.end(),
                           [&](const std::string& a) { return a.rfind(host + " ", 0) == 0; });
    }
    std::string Other(const std::string& path) const {
        return "http://localhost:" + std::to_string(port_) + path;
    }

private:
    httplib::Server server_;
    std::thread thread_;
    std::mutex mutex_;
    std::vector<std::string> requested_;
    std::vector<std::string> asked_;
    std::condition_variable heard_;
    int port_ = 0;
};

class RealWebView : public ::testing::Test {
protected:
    void SetUp() override {
        h.Put("words.txt", {"casino"});
        h.Put("paswoordNaam.txt", {"parents"});
        h.Put("paswoordNr.txt", {"secret"});
        Prepare();
        h.Put("startpagina.txt",
              {storage::StartPageRecord("Home", site.HostAndPort() + "/index.html")});
        h.Start();
        ASSERT_TRUE(WaitForReached("/index.html"));
    }

    bool Logged(const std::string& path) {
        const std::string prefix = site.Url(path) + " --> Datum: ";
        const auto log = h.VisitLog();
        return std::any_of(log.begin(), log.end(),
                           [&](const std::string& e) { return e.rfind(prefix, 0) == 0; });
    }
    bool WaitForReached(const std::string& path) {
        return testsupport::WaitUntil([&] { return Logged(path); }, 30s);
    }
    virtual void Prepare() {}
    void Open(const std::string& address) {
        h.Browser().cboURL->SetValue(address);
        h.Browser().cboURL_Click();
    }
    std::string Location() { return h.Browser().brwbrowser().LocationURL(); }
    // The address changes before the page is there to be clicked.
    bool WaitForElement(const std::string& id) {
        auto* view = dynamic_cast<wxWebView*>(h.Browser().brwbrowser().Control());
        return testsupport::WaitUntil(
            [&] {
                wxString found;
                return view->RunScript("document.getElementById('" + id + "') !== null", &found) &&
                       found == "true";
            },
            20s);
    }
    bool WaitForRefusal() {
        return testsupport::WaitUntil(
                   [&] { return filter::IsPage(Location(), filter::kRefusedPage); }, 20s) &&
               WaitForElement("ask");
    }
    bool WaitForPage(const std::string& url, const std::string& id) {
        return testsupport::WaitUntil([&] { return Location() == url; }, 20s) && WaitForElement(id);
    }
    std::string Run(const std::string& script) {
        auto* view = dynamic_cast<wxWebView*>(h.Browser().brwbrowser().Control());
        wxString result;
        return view != nullptr && view->RunScript(script, &result) ? result.utf8_string()
                                                                   : std::string();
    }
    std::string PageText() { return Run("document.body.innerText"); }
    // A button of the program's pages as the child sees it: what comes first in it, that
    // picture's height in lines of the button's text, and the text, as "svg 1.5 Back".
    std::string ButtonLook(const std::string& id) {
        return Run("(function () { var a = document.getElementById('" + id +
                   "'); var p = a.firstChild; var lines = p.getBoundingClientRect ? "
                   "p.getBoundingClientRect().height / parseFloat(getComputedStyle(a).fontSize) "
                   ": 0; return p.nodeName.toLowerCase() + ' ' + lines.toFixed(1) + ' ' + "
                   "a.textContent.trim(); })()");
    }
    // The page as the engine drew it, once drawn at the view's present size.
    wxImage Shown() {
        wxImage shot;
        testsupport::WaitUntil(
            [&] {
                bool done = false;
                h.Browser().brwbrowser().Snapshot([&](wxImage image) {
                    shot = std::move(image);
                    done = true;
                });
                return testsupport::WaitUntil([&] { return done; }, 20s) && shot.IsOk() &&
                       Run("innerWidth + ' ' + innerHeight") ==
                           std::to_string(shot.GetWidth()) + " " + std::to_string(shot.GetHeight());
            },
            20s);
        return shot;
    }
    static std::string Colour(const wxImage& shot, int x, int y) {
        const int r = shot.GetRed(x, y), g = shot.GetGreen(x, y), b = shot.GetBlue(x, y);
        return r > 200 && g < 130 && b < 130 ? "red"
               : std::min({r, g, b}) > 235   ? "white"
                                             : "other";
    }
    void Click(const std::string& id) {
        auto* view = dynamic_cast<wxWebView*>(h.Browser().brwbrowser().Control());
        ASSERT_NE(view, nullptr);
        // Again until it is there: a page the engine loads once more has it back a moment later.
        view->RunScript("(function click() { var e = document.getElementById('" + id +
                        "'); if (e) { e.click(); } else { setTimeout(click, 20); } })();");
    }

    LocalSite site;
    engine::WxWebViewFactory realViews;
    Harness h{&realViews};
};

TEST_F(RealWebView, ALinkToABlockedAddressShowsTheRefusalPageInstead) {
    Click("bad");
    ASSERT_TRUE(WaitForRefusal());
    EXPECT_FALSE(site.WasRequested("/casino.html"));
    const std::string text = PageText();
    EXPECT_NE(text.find("This page is not for you. Ask a grown-up!"), std::string::npos) << text;
    EXPECT_EQ(text.find(kWordInTest), std::string::npos) << text;
    for (const auto& [id, look] :
         {std::pair{"back", "svg 1.5 Back"}, {"ask", "svg 1.5 Ask a grown-up"}}) {
        EXPECT_EQ(ButtonLook(id), look);
    }
    // Its picture says "not this way" with a white hand raised on a red sign, no smiling face.
    h.Browser().Show();
    h.Browser().TmrIntro_Timer();
    const wxImage shot = Shown();
    ASSERT_TRUE(shot.IsOk());
    std::istringstream box(
        Run("(function () { var r = document.querySelector('body > svg')"
            ".getBoundingClientRect(); return [r.left, r.top, r.width]"
            ".map(Math.round).join(' '); })()"));
    int left = 0, top = 0, side = 0;
    box >> left >> top >> side;
    ASSERT_GT(side, 60);
    EXPECT_EQ(Colour(shot, left + side / 2, top + side / 10), "red");
    EXPECT_EQ(Colour(shot, left + side / 2, top + side / 2), "white");
    // Logged as tried, never as reached; the program's page is no visit.
    EXPECT_EQ(h.VisitLog().back(), site.Url("/casino.html"));
    EXPECT_FALSE(h.Browser().IsBusy());

    // Its back button returns to where the child was, and an ordinary link still works there.
    Click("back");
    ASSERT_TRUE(WaitForPage(site.Url("/index.html"), "ok"));
    Click("ok");
    EXPECT_TRUE(WaitForReached("/page2.html"));
    EXPECT_EQ(h.Browser().cboURL->GetString(0), site.Url("/page2.html"));
}

TEST_F(RealWebView, WithoutTheSettingsFileEveryHostStillOpens) {
    Click("away");
    EXPECT_TRUE(testsupport::WaitUntil([&] { return Location() == site.Other("/page2.html"); }));
}

TEST_F(RealWebView, ANewWindowLinkOpensInTheSameView) {
    Click("popup");
    EXPECT_TRUE(WaitForReached("/page3.html"));
    EXPECT_EQ(h.Browser().brwbrowser().LocationURL(), site.Url("/page3.html"));
}

TEST_F(RealWebView, ARedirectToABlockedAddressIsRefused) {
    h.Browser().cboURL->SetValue(site.Url("/redirect"));
    h.Browser().cboURL_Click();
    EXPECT_TRUE(WaitForRefusal());
    EXPECT_FALSE(site.WasRequested("/casino-land.html"));
    EXPECT_FALSE(Logged("/casino-land.html"));
}

// A port on the loopback address that takes connections and then either closes them at once or
// never answers; or, once closed, a port nothing listens on.
class SilentPort {
public:
    enum class Does { Close, Hold };
    explicit SilentPort(Does does) {
        listener_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        bind(listener_, reinterpret_cast<sockaddr*>(&address), size);
        listen(listener_, 8);
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this, does] {
            for (int client; (client = accept(listener_, nullptr, nullptr)) >= 0;) {
                ++accepted_;
                if (does == Does::Close) {
                    close(client);
                } else {
                    held_.push_back(client);
                }
            }
        });
    }
    ~SilentPort() { Close(); }
    // From now on nothing listens on the port.
    void Close() {
        if (listener_ >= 0) {
            shutdown(listener_, SHUT_RDWR);
            close(listener_);
            listener_ = -1;
            thread_.join();
            for (int client : held_) {
                close(client);
            }
        }
    }
    std::string Url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/game.html"; }
    int Port() const { return port_; }
    int Accepted() const { return accepted_; }

private:
    int listener_ = -1;
    int port_ = 0;
    std::atomic<int> accepted_ = 0;
    std::vector<int> held_;
    std::thread thread_;
};

// A page that cannot be loaded, in a run with the settings file: the program's own page instead
// of the engine's text, in the run's language.
class NotAnswering : public RealWebView, public ::testing::WithParamInterface<const char*> {
protected:
    void Prepare() override {
        h.Put("instellingen.txt", {"alleentoegestaan=0"});
        h.Put("languagechoose.txt", {GetParam(), GetParam()});
    }
    std::string Sentence() {
        return std::string(GetParam()) == "Dutch"
                   ? "Deze pagina antwoordt niet. Probeer het later nog eens."
                   : "This page is not answering. Try again later.";
    }
    bool WaitForNotAnswering() {
        return testsupport::WaitUntil(
                   [&] { return filter::IsPage(Location(), filter::kNotAnsweringPage); }, 20s) &&
               WaitForElement("retry");
    }
    void ExpectTheFriendlyPage(const std::string& failed) {
        const std::string text = PageText();
        EXPECT_NE(text.find(Sentence()), std::string::npos) << text;
        EXPECT_EQ(text.find("127.0.0.1"), std::string::npos) << text;
        EXPECT_EQ(text.find("rror"), std::string::npos) << text;
        EXPECT_TRUE(h.messages.shown.empty());
        EXPECT_EQ(h.VisitLog().back(), failed);
    }
    // Away again, so the next case sees its own page arrive.
    void Away() {
        Open(site.Url("/page2.html"));
        ASSERT_TRUE(WaitForPage(site.Url("/page2.html"), "two"));
    }
};

TEST_P(NotAnswering, AClosedPortOrABrokenConnectionShowsThePageAndTryAgainLoadsItLater) {
    SilentPort closing(SilentPort::Does::Close);
    Open(closing.Url());
    ASSERT_TRUE(WaitForNotAnswering());
    ExpectTheFriendlyPage(closing.Url());
    Away();

    // A name that resolves nowhere.
    Open("http://nothing.invalid/");
    ASSERT_TRUE(WaitForNotAnswering());
    ExpectTheFriendlyPage("http://nothing.invalid/");
    Away();

    SilentPort nobody(SilentPort::Does::Close);
    nobody.Close();
    Open(nobody.Url());
    ASSERT_TRUE(testsupport::WaitUntil([&] { return h.VisitLog().back() == nobody.Url(); }));
    ASSERT_TRUE(WaitForNotAnswering());
    ExpectTheFriendlyPage(nobody.Url());

    // The site is up again on that port.
    httplib::Server up;
    up.set_keep_alive_max_count(1);
    up.Get("/game.html", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("<html><body><p id=\"up\">up</p></body></html>", "text/html");
    });
    ASSERT_TRUE(up.bind_to_port("127.0.0.1", nobody.Port()));
    std::thread serving([&] { up.listen_after_bind(); });
    Click("retry");
    EXPECT_TRUE(WaitForPage(nobody.Url(), "up"));
    up.stop();
    serving.join();
}

TEST_P(NotAnswering, APageThatNeverAnswersShowsThePageAtTheWatchdog) {
    SilentPort holding(SilentPort::Does::Hold);
    Open(holding.Url());
    ASSERT_TRUE(testsupport::WaitUntil([&] { return holding.Accepted() > 0; }));
    ASSERT_TRUE(h.Browser().timBrowser.IsRunning());
    h.Browser().timBrowser_Timer();  // thirty seconds on
    ASSERT_TRUE(WaitForNotAnswering());
    ExpectTheFriendlyPage(holding.Url());
    // The buttons carry the toolbar's pictures of the same acts.
    const bool dutch = std::string(GetParam()) == "Dutch";
    EXPECT_EQ(ButtonLook("retry"), dutch ? "svg 1.5 Probeer opnieuw" : "svg 1.5 Try again");
    EXPECT_EQ(ButtonLook("home"), dutch ? "svg 1.5 Naar huis" : "svg 1.5 Home");

    Click("home");
    EXPECT_TRUE(WaitForPage(site.Url("/index.html"), "ok"));
}

INSTANTIATE_TEST_SUITE_P(In, NotAnswering, ::testing::Values("English", "Dutch"));

// A minute a day, on the real engine.
class TimeUpOnARealPage : public RealWebView {
protected:
    void Prepare() override {
        std::vector<std::string> settings{"alleentoegestaan=0"};
        for (const char* day : storage::Settings::kMinutesPerDay) {
            settings.push_back(std::string(day) + "=1");
        }
        h.Put("instellingen.txt", settings);
    }
};

TEST_F(TimeUpOnARealPage, APageThatAsksToStayIsLeftAndNoMessageComesOverTheCover) {
    auto* view = dynamic_cast<wxWebView*>(h.Browser().brwbrowser().Control());
    h.Browser().TmrIntro_Timer();
    Open(site.Url("/stay.html"));
    ASSERT_TRUE(WaitForPage(site.Url("/stay.html"), "stay"));
    ASSERT_TRUE(testsupport::WaitUntil([&] { return view->IsShownOnScreen(); }));
    // Only a page the child has touched may ask.
    wxUIActionSimulator mouse;
    mouse.MouseMove(view->GetScreenPosition() + wxPoint(200, 200));
    mouse.MouseClick();
    ASSERT_TRUE(testsupport::WaitUntil([&] { return view->GetCurrentTitle() == "clicked"; }));
    ASSERT_TRUE(testsupport::WaitUntil([&] { return site.WasRequested("/tick"); }));

    h.clock.steady += 61;
    h.Browser().tmrcheck_Timer();
    ASSERT_TRUE(h.Browser().TimeIsUp());
    EXPECT_TRUE(testsupport::WaitUntil([&] { return Location() == "about:blank"; })) << Location();
    h.Browser().timBrowser_Timer();  // thirty seconds on
    EXPECT_TRUE(h.messages.shown.empty()) << h.messages.shown.front().text;
}

// The parent's switch on, with 127.0.0.1 the one allowed site: localhost is another host.
class OnlyAllowedSites : public RealWebView {
protected:
    void Prepare() override {
        h.Put("instellingen.txt", {"alleentoegestaan=1"});
        h.Put("adressen.txt", {storage::SiteRecord("Here", site.HostAndPort())});
    }
};

TEST_F(OnlyAllowedSites, AFrameThePageWritesItselfKeepsTheAllowedPage) {
    Open(site.Url("/written.html"));
    ASSERT_TRUE(WaitForPage(site.Url("/written.html"), "written"));
    // The next page arriving shows the frame was judged by then; the page before was kept.
    Open(site.Url("/page2.html"));
    ASSERT_TRUE(WaitForPage(site.Url("/page2.html"), "two"));
    const auto log = h.VisitLog();
    EXPECT_TRUE(std::none_of(log.begin(), log.end(), [](const std::string& e) {
        return e.find("srcdoc") != std::string::npos || filter::IsPage(e, filter::kRefusedPage);
    }));
}

TEST_F(OnlyAllowedSites, AFrameFromAnotherHostKeepsTheAllowedPage) {
    Open(site.Url("/framed.html"));
    ASSERT_TRUE(WaitForPage(site.Url("/framed.html"), "framed"));
    ASSERT_TRUE(testsupport::WaitUntil([&] { return site.WasAsked("localhost", "/page3.html"); }));
    EXPECT_EQ(Location(), site.Url("/framed.html"));
}

TEST_F(OnlyAllowedSites, AnotherHostIsRefusedAtEveryWayInWithoutARequest) {
    // The allowed host opens, by link as by the address box.
    Click("ok");
    ASSERT_TRUE(WaitForReached("/page2.html"));

    for (const char* way : {"away", "awayblank", "hop", "box"}) {
        SCOPED_TRACE(way);
        h.clock.steady += 60;  // each way's attempt is logged, a minute after the one before
        Open(site.Url("/index.html"));
        ASSERT_TRUE(WaitForPage(site.Url("/index.html"), "away"));
        if (std::string(way) == "box") {
            Open(site.Other("/page2.html"));
        } else {
            Click(way);
        }
        ASSERT_TRUE(WaitForRefusal());
        EXPECT_NE(PageText().find("Ask a grown-up"), std::string::npos);
    }
    // The redirect's first hop was asked for on the allowed host; the other host heard nothing.
    EXPECT_TRUE(site.WasAsked("127.0.0.1", "/hop"));
    EXPECT_FALSE(site.AnyFrom("localhost"));
    EXPECT_EQ(h.VisitLog().back(), site.Other("/page2.html"));
    EXPECT_EQ(h.Browser().RefusedAddress(), site.Other("/page2.html"));
}

TEST_F(OnlyAllowedSites, AGrownUpAllowsTheRefusedSiteInOneStep) {
    Click("away");
    ASSERT_TRUE(WaitForRefusal());
    auto& login = h.Windows().Login();

    // A wrong login, or Cancel, leaves the child on the refusal page.
    Click("ask");
    ASSERT_TRUE(testsupport::WaitUntil([&] { return login.IsShown(); }));
    login.txtnaam->SetValue("parents");
    login.txtpaswoord->SetValue("guess");
    login.cmdLogon_Click();
    EXPECT_FALSE(login.IsShown());
    EXPECT_FALSE(h.Windows().Panel().IsShown());
    Click("ask");
    ASSERT_TRUE(testsupport::WaitUntil([&] { return login.IsShown(); }));
    login.cmdcancel_Click();
    EXPECT_FALSE(h.Windows().Panel().IsShown());
    EXPECT_TRUE(filter::IsPage(Location(), filter::kRefusedPage)) << Location();

    Click("ask");
    ASSERT_TRUE(testsupport::WaitUntil([&] { return login.IsShown(); }));
    login.txtnaam->SetValue("parents");
    login.txtpaswoord->SetValue("secret");
    login.cmdLogon_Click();
    auto& editor = h.Windows().SiteEditor();
    ASSERT_TRUE(editor.IsShown());
    EXPECT_TRUE(h.Windows().Panel().IsShown());
    EXPECT_EQ(editor.txtname->GetValue(), "");
    EXPECT_EQ(editor.txtinternetaddress->GetValue(), site.Other("/page2.html"));

    // Saved in the editor, the site counts at once, without a restart.
    editor.txtname->SetValue("There");
    editor.cmdsave_Click();
    Open(site.Other("/page2.html"));
    EXPECT_TRUE(WaitForPage(site.Other("/page2.html"), "two"));
    EXPECT_TRUE(site.WasAsked("localhost", "/page2.html"));
}

#ifdef __WXGTK__
// Only the allowed site's own host and its subdomains open, whether the parent stored it with
// "www." or without.
// Names that resolve nowhere, reached through the server as the engine's proxy.
class ThroughAProxy : public OnlyAllowedSites {
protected:
    // Before the view exists: a proxy changed under a page that is loading can load it again,
    // over the page the test opens next.
    void Prepare() override {
        OnlyAllowedSites::Prepare();
        UseProxy(WEBKIT_NETWORK_PROXY_MODE_CUSTOM, ("http://" + site.HostAndPort()).c_str());
    }
    // The engine's settings belong to the whole process, so the next test gets its own back.
    void TearDown() override { UseProxy(WEBKIT_NETWORK_PROXY_MODE_DEFAULT, nullptr); }
    void UseProxy(WebKitNetworkProxyMode mode, const char* proxy) {
        WebKitNetworkProxySettings* settings =
            proxy != nullptr ? webkit_network_proxy_settings_new(proxy, nullptr) : nullptr;
        // The views of the program share the engine's default context.
        webkit_website_data_manager_set_network_proxy_settings(
            webkit_web_context_get_website_data_manager(webkit_web_context_get_default()), mode,
            settings);
        if (settings != nullptr) {
            webkit_network_proxy_settings_free(settings);
        }
        engine::WebKitGtkPictures::FetchThrough(proxy != nullptr ? proxy : "");
    }
};

class PlayerFrames : public ThroughAProxy {
protected:
    void Prepare() override {
        ThroughAProxy::Prepare();
        h.Put("adressen.txt", {storage::SiteRecord("Kids", "kids.test")});
    }
    // The page's frame led within bounds arrives; its twin led to the third host, which would
    // have been asked before, never is, and the page stays.
    void ExpectOnlyTheTwinArrives(const std::string& led) {
        Open(led);
        ASSERT_TRUE(WaitForPage(led, "led"));
        ASSERT_TRUE(
            testsupport::WaitUntil([&] { return site.WasRequested("/twin-shown.png"); }, 30s));
        EXPECT_FALSE(site.AnyFrom("ads.test"));
        EXPECT_EQ(Location(), led);
        const auto log = h.VisitLog();
        EXPECT_TRUE(std::none_of(log.begin(), log.end(), [](const std::string& e) {
            return e.find("ads.test") != std::string::npos ||
                   filter::IsPage(e, filter::kRefusedPage);
        }));
    }
};

TEST_F(PlayerFrames, AFrameGoesOnWithinItsHostAndIsStoppedAtAThirdOne) {
    ExpectOnlyTheTwinArrives("http://kids.test/player.html");
}

// Frames the page wrote itself go on within its host; a redirect, within the first page's.
class LedFrames : public PlayerFrames, public ::testing::WithParamInterface<const char*> {};

TEST_P(LedFrames, GoOnWithinTheirBoundsAndAreStoppedAtAThirdHost) {
    ExpectOnlyTheTwinArrives("http://kids.test/" + std::string(GetParam()) + ".html");
}

INSTANTIATE_TEST_SUITE_P(Frames, LedFrames, ::testing::Values("srcdocled", "blankled", "hopled"));

// Each listed site gets its picture the first time it is reached, and keeps it.
class FoundPictures : public ThroughAProxy {
protected:
    void Prepare() override {
        ThroughAProxy::Prepare();
        h.Put("instellingen.txt", {"plaatjes=1"});
        std::vector<std::string> sites = {storage::SiteRecord("Touch", "touch.test"),
                                          storage::SiteRecord("Small", "small.test"),
                                          storage::SiteRecord("Plain", "plain.test"),
                                          storage::SiteRecord("Blocked", "blockedicon.test")};
        for (std::size_t n = 0; n < std::size(kMovedIcons); ++n) {
            sites.push_back(storage::SiteRecord("Moved", "moved" + std::to_string(n) + ".test"));
        }
        for (const char* section : {"red", "blue"}) {
            sites.push_back(storage::SiteRecord(section, Section(section)));
        }
        h.Put("adressen.txt", sites);
    }
    static std::string Section(const std::string& name) { return "shared.test/" + name + "/"; }
    // The red of the icon or the blue of the page, at the picture's middle.
    std::string StoredColour(const std::string& address) {
        const auto png = storage::pictures::Read(storage::DataFiles(h.folder.Path()), address);
        const wxImage image = png ? widgets::ImageFromPng(*png) : wxImage();
        if (!image.IsOk()) {
            return "none";
        }
        const int x = image.GetWidth() / 2;
        const int y = image.GetHeight() / 2;
        return image.GetRed(x, y) > 200 && image.GetBlue(x, y) < 50   ? "red"
               : image.GetBlue(x, y) > 200 && image.GetRed(x, y) < 50 ? "blue"
                                                                      : "other";
    }
};

TEST_F(FoundPictures, TheTouchIconElseAPictureOfThePageNeverABlockedIcon) {
    const std::pair<const char*, const char*> expected[] = {
        {"touch", "red"}, {"small", "blue"}, {"plain", "blue"}, {"blockedicon", "blue"}};
    // A picture of the page needs the page on screen, after the intro.
    h.Browser().Show();
    h.Browser().TmrIntro_Timer();
    for (const auto& [name, colour] : expected) {
        SCOPED_TRACE(name);
        const std::string host = std::string(name) + ".test";
        EXPECT_EQ(StoredColour(host), "none");  // nothing for a site nobody opened
        Open("http://" + host + "/" + name + ".html");
        ASSERT_TRUE(testsupport::WaitUntil([&] { return StoredColour(host) != "none"; }, 20s));
        EXPECT_EQ(StoredColour(host), colour);
    }
    EXPECT_FALSE(site.WasRequested("/casino.png"));
    h.Restart();
    h.Browser().cmdvisit_Click();
    for (int n = 1; n <= 4; ++n) {
        EXPECT_TRUE(h.Browser().cmdsite(n).HasPicture()) << n;
    }
}

TEST_F(FoundPictures, EveryHopOfAnIconIsJudgedBeforeItIsAskedFor) {
    h.Browser().Show();
    h.Browser().TmrIntro_Timer();
    for (std::size_t n = 0; n < std::size(kMovedIcons); ++n) {
        const std::string host = "moved" + std::to_string(n) + ".test";
        SCOPED_TRACE(host);
        Open("http://" + host + "/moved.html?" + std::to_string(n));
        ASSERT_TRUE(testsupport::WaitUntil([&] { return StoredColour(host) != "none"; }, 20s));
        EXPECT_EQ(StoredColour(host), std::get<2>(kMovedIcons[n]));
    }
    EXPECT_FALSE(site.WasRequested("/casino.png"));
}

// Two listed sections of one host, the second visited first: each gets its own icon.
TEST_F(FoundPictures, EachSectionOfASharedHostGetsItsOwnPicture) {
    h.Browser().Show();
    h.Browser().TmrIntro_Timer();
    for (const char* section : {"blue", "red"}) {
        SCOPED_TRACE(section);
        Open("http://" + Section(section) + "index.html");
        ASSERT_TRUE(
            testsupport::WaitUntil([&] { return StoredColour(Section(section)) != "none"; }, 20s));
    }
    EXPECT_EQ(StoredColour(Section("red")), "red");
    EXPECT_EQ(StoredColour(Section("blue")), "blue");
}

class MadeUpHosts : public ThroughAProxy, public ::testing::WithParamInterface<const char*> {
protected:
    void Prepare() override {
        ThroughAProxy::Prepare();
        h.Put("adressen.txt", {storage::SiteRecord("Kids", GetParam())});
    }
};

TEST_P(MadeUpHosts, SubdomainsOpenAndLookAlikesAreRefusedWithoutARequest) {
    for (const auto& [host, opens] : kMadeUpHosts) {
        SCOPED_TRACE(host);
        const std::string url = "http://" + std::string(host) + "/page2.html";
        // An address of its own each time, so the wait never sees the page before it.
        Open(site.Url("/index.html?") + host);
        ASSERT_TRUE(WaitForPage(site.Url("/index.html?") + host, host));
        Click(host);
        if (opens) {
            ASSERT_TRUE(WaitForPage(url, "two"));
            EXPECT_TRUE(site.WasAsked(host, "/page2.html"));
        } else {
            ASSERT_TRUE(WaitForRefusal());
            EXPECT_NE(PageText().find("Ask a grown-up"), std::string::npos);
            EXPECT_EQ(h.Browser().RefusedAddress(), url);
        }
    }
    for (const auto& [host, opens] : kMadeUpHosts) {
        EXPECT_EQ(site.AnyFrom(host), opens) << host;
    }
}

INSTANTIATE_TEST_SUITE_P(StoredAs, MadeUpHosts,
                         ::testing::Values("http://kids.test/", "www.kids.test"));
#endif

}  // namespace
