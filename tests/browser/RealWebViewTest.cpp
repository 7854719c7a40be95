// The filter in front of the real web view, with pages from a server on the loopback address.
#include <gtest/gtest.h>
#include <httplib.h>
#include <wx/combobox.h>
#include <wx/webview.h>

#include <algorithm>
#include <mutex>
#include <thread>

#include "browser/WxWebView.h"
#include "browser/frmBrowser.h"
#include "storage/Records.h"
#include "support/Harness.h"
#include "support/Wait.h"

using namespace std::chrono_literals;
using testsupport::Harness;

namespace {

// Serves a few pages on 127.0.0.1 and remembers every path that was asked for.
class LocalSite {
public:
    LocalSite() {
        auto page = [](const std::string& body) {
            return [body](const httplib::Request&, httplib::Response& res) {
                res.set_content("<html><body>" + body + "</body></html>", "text/html");
            };
        };
        server_.set_logger([this](const httplib::Request& req, const httplib::Response&) {
            std::lock_guard lock(mutex_);
            requested_.push_back(req.path);
        });
        server_.Get("/index.html", page(R"(<a id="ok" href="/page2.html">ok</a>
            <a id="bad" href="/casino.html">bad</a>
            <a id="popup" href="/page3.html" target="_blank">popup</a>)"));
        server_.Get("/page2.html", page("two"));
        server_.Get("/page3.html", page("three"));
        server_.Get("/casino.html", page("blocked"));
        server_.Get("/casino-land.html", page("blocked"));
        server_.Get("/redirect", [](const httplib::Request&, httplib::Response& res) {
            res.set_redirect("/casino-land.html");
        });
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

private:
    httplib::Server server_;
    std::thread thread_;
    std::mutex mutex_;
    std::vector<std::string> requested_;
    int port_ = 0;
};

class RealWebView : public ::testing::Test {
protected:
    void SetUp() override {
        h.Put("words.txt", {"casino"});
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
    void Click(const std::string& id) {
        auto* view = dynamic_cast<wxWebView*>(h.Browser().brwbrowser().Control());
        ASSERT_NE(view, nullptr);
        view->RunScript("document.getElementById('" + id + "').click();");
    }

    LocalSite site;
    browser::WxWebViewFactory realViews;
    Harness h{&realViews};
};

TEST_F(RealWebView, ALinkToABlockedAddressIsNeverFollowed) {
    Click("bad");
    testsupport::PumpFor(1500ms);
    EXPECT_FALSE(site.WasRequested("/casino.html"));
    EXPECT_EQ(h.Browser().brwbrowser().LocationURL(), site.Url("/index.html"));
    EXPECT_FALSE(h.Browser().IsBusy());

    // An ordinary link still works and its page lands in the log.
    Click("ok");
    EXPECT_TRUE(WaitForReached("/page2.html"));
    EXPECT_EQ(h.Browser().cboURL->GetString(0), site.Url("/page2.html"));
}

TEST_F(RealWebView, ANewWindowLinkOpensInTheSameView) {
    Click("popup");
    EXPECT_TRUE(WaitForReached("/page3.html"));
    EXPECT_EQ(h.Browser().brwbrowser().LocationURL(), site.Url("/page3.html"));
}

TEST_F(RealWebView, ARedirectToABlockedAddressIsRefused) {
    h.Browser().cboURL->SetValue(site.Url("/redirect"));
    h.Browser().cboURL_Click();
    EXPECT_TRUE(testsupport::WaitUntil([&] { return site.WasRequested("/redirect"); }, 10s));
    testsupport::PumpFor(1500ms);
    EXPECT_FALSE(site.WasRequested("/casino-land.html"));
    EXPECT_FALSE(Logged("/casino-land.html"));
}

}  // namespace
