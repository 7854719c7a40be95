#include "engine/WxWebView.h"

#include <wx/image.h>
#include <wx/webview.h>

#include <stdexcept>

#include "filter/ProgramPages.h"

#ifdef __WXGTK__
#include "engine/WebKitGtkDrawing.h"
#include "engine/WebKitGtkHooks.h"
#include "engine/WebKitGtkPages.h"
#include "engine/WebKitGtkPictures.h"
#include "engine/WebKitGtkSockets.h"
#else
#include <wx/filesys.h>
#include <wx/mstream.h>
#include <wx/sharedptr.h>
#endif

namespace engine {

namespace {

std::string Utf8(const wxString& s) {
    return s.utf8_string();
}

#ifndef __WXGTK__
// The toolkit's own way to serve a scheme, on the engines where it keeps no handler per view.
class ProgramPageHandler : public wxWebViewHandler {
public:
    explicit ProgramPageHandler(std::function<std::string(const std::string&)> page)
        : wxWebViewHandler(wxString::FromUTF8(std::string(filter::kProgramScheme))),
          page_(std::move(page)) {}
    wxFSFile* GetFile(const wxString& uri) override {
        const std::string html = page_(Utf8(uri));
        if (html.empty()) {
            return nullptr;
        }
        wxMemoryOutputStream bytes;
        bytes.Write(html.data(), html.size());
        return new wxFSFile(new wxMemoryInputStream(bytes), uri, "text/html", wxString(),
                            wxDateTime::Now());
    }

private:
    std::function<std::string(const std::string&)> page_;
};
#endif

}  // namespace

void WxWebView::UseFilterBeside(const std::string& programFolder) {
#ifdef __WXGTK__
    WebKitGtkHooks::FilterBeside(programFolder);
#else
    (void)programFolder;  // this engine has no request filter of its own
#endif
}

void WxWebView::BeforeToolkit() {
#ifdef __WXGTK__
    WebKitGtkDrawing::BeforeToolkit();
#endif
}

WxWebView::WxWebView(wxWindow* parent, WordSource words) {
#ifdef __WXGTK__
    // Before the view exists: its page process starts with it and must start filtered.
    WebKitGtkHooks::FilterEveryRequest(std::move(words));
    WebKitGtkDrawing::BeforeFirstView();
#else
    (void)words;          // this engine has no request layer of its own to filter
#endif
    view_ = wxWebView::New(parent, wxID_ANY, "about:blank");
    if (view_ == nullptr) {
        throw std::runtime_error("no web view is available on this system");
    }
#ifdef __WXGTK__
    // Looked at once the page process is on its way, which it need not wait for.
    filterMissing_ = !WebKitGtkHooks::FilterLoadable(WebKitGtkHooks::FilterFolder());
#endif
    view_->Bind(wxEVT_WEBVIEW_NAVIGATING, &WxWebView::OnNavigating, this);
    view_->Bind(wxEVT_WEBVIEW_NAVIGATED, [this](wxWebViewEvent&) {
        if (events_.navigateComplete) {
            events_.navigateComplete();
        }
    });
    // A failed load ends the busy state just as a finished one does.
    auto loadEnded = [this](wxWebViewEvent&) {
        if (events_.downloadComplete) {
            events_.downloadComplete();
        }
    };
    view_->Bind(wxEVT_WEBVIEW_LOADED, loadEnded);
    view_->Bind(wxEVT_WEBVIEW_ERROR, loadEnded);
    view_->Bind(wxEVT_WEBVIEW_NEWWINDOW,
                [this](wxWebViewEvent& event) { NewWindowLater(Utf8(event.GetURL())); });
    // The inspector is a window of its own from which any address can be opened.
    view_->EnableAccessToDevTools(false);
#ifdef __WXGTK__
    hooks_ = std::make_unique<WebKitGtkHooks>(
        *view_, WebKitGtkHooks::Calls{
                    .newWindow = [this](const std::string& url) { NewWindowLater(url); },
                    .contentGone =
                        [this] {
                            view_->CallAfter([this] {
                                if (events_.contentGone) {
                                    events_.contentGone();
                                }
                            });
                        },
                    .pageRefused =
                        [this](const std::string& url) {
                            if (events_.pageRefused) {
                                events_.pageRefused(url);
                            }
                        },
                    .loadFailed =
                        [this](const std::string& url) {
                            return events_.loadFailed && events_.loadFailed(url);
                        },
                });
    pages_ = std::make_unique<WebKitGtkPages>(
        *view_, [this](const std::string& url) { return ProgramPage(url); });
    sockets_ = std::make_unique<WebKitGtkSockets>(*view_);
    pictures_ = std::make_unique<WebKitGtkPictures>(*view_);
#else
    view_->RegisterHandler(wxSharedPtr<wxWebViewHandler>(
        new ProgramPageHandler([this](const std::string& url) { return ProgramPage(url); })));
#endif
}

WxWebView::~WxWebView() = default;

void WxWebView::NewWindowLater(const std::string& url) {
    // Served once the engine has finished asking: opening a page from inside its request for a
    // new window re-enters the engine, which window.open does not survive.
    view_->CallAfter([this, url] {
        if (events_.newWindow) {
            events_.newWindow(url);
        }
    });
}

std::string WxWebView::ProgramPage(const std::string& url) const {
    return events_.programPage ? events_.programPage(url) : std::string();
}

void WxWebView::OnNavigating(wxWebViewEvent& event) {
#ifdef __WXGTK__
    // The page processes learn of a changed list before the engine asks one of them to load.
    WebKitGtkHooks::KeepWordsCurrent();
#endif
    // The toolkit names the target frame only for a link that names one ("_top" and its kin
    // name the page). Any other navigation may be the page's or a frame's: WebKitGTK's page
    // process tells them apart and judges the host there; an engine without one treats each as
    // the page's.
    const wxString target = event.GetTarget();
    filter::Kind kind = filter::Kind::TopLevel;
    if (!target.empty() && !target.StartsWith("_")) {
        kind = filter::Kind::Frame;
    }
#ifdef __WXGTK__
    else if (!filterMissing_) {
        kind = filter::Kind::PageOrFrame;
    }
#endif
    bool cancel = false;
    if (events_.beforeNavigate) {
        events_.beforeNavigate(Utf8(event.GetURL()), kind, cancel);
    }
    if (cancel) {
        event.Veto();
    }
}

void WxWebView::UseFilterSettings(const filter::Settings& settings) {
#ifdef __WXGTK__
    WebKitGtkHooks::JudgeBy(settings);
#else
    (void)settings;  // no page process to judge in: every navigation is judged as the page's
#endif
}

void WxWebView::FindPagePictures(std::function<void(std::vector<PagePicture>)> found) {
#ifdef __WXGTK__
    pictures_->RunApart(FindPicturesScript(), [found = std::move(found)](std::string answer) {
        found(ReadPagePictures(answer));
    });
#else
    // Here the page's own world is the only one; what it answers is judged all the same.
    view_->CallAfter([this, found = std::move(found)] {
        wxString answer;
        found(view_->RunScript(FindPicturesScript(), &answer) ? ReadPagePictures(Utf8(answer))
                                                              : std::vector<PagePicture>{});
    });
#endif
}

void WxWebView::Fetch(const std::string& url, std::size_t maxBytes,
                      std::function<bool(const std::string& hop)> mayFetch,
                      std::function<void(std::optional<std::string>)> done) {
#ifdef __WXGTK__
    pictures_->Fetch(url, maxBytes, std::move(mayFetch), std::move(done));
#else
    (void)url;
    (void)maxBytes;
    (void)mayFetch;
    view_->CallAfter([done = std::move(done)] { done(std::nullopt); });
#endif
}

void WxWebView::Snapshot(std::function<void(wxImage)> done) {
#ifdef __WXGTK__
    pictures_->Snapshot(std::move(done));
#else
    view_->CallAfter([done = std::move(done)] { done(wxImage()); });
#endif
}

wxWindow* WxWebView::Control() {
    return view_;
}

void WxWebView::SetEvents(WebViewEvents events) {
    events_ = std::move(events);
}

void WxWebView::Navigate(const std::string& url) {
    view_->LoadURL(wxString::FromUTF8(url));
}

bool WxWebView::GoBack() {
    if (!view_->CanGoBack()) {
        return false;
    }
    view_->GoBack();
    return true;
}

bool WxWebView::GoForward() {
    if (!view_->CanGoForward()) {
        return false;
    }
    view_->GoForward();
    return true;
}

void WxWebView::Refresh() {
    view_->Reload();
}

void WxWebView::Stop() {
    view_->Stop();
}

void WxWebView::Empty() {
    view_->Stop();
#ifdef __WXGTK__
    hooks_->LeaveWithoutAsking();
#endif
    view_->LoadURL("about:blank");
}

bool WxWebView::IsLoading() const {
    return view_->IsBusy();
}

std::string WxWebView::LocationURL() const {
    return Utf8(view_->GetCurrentURL());
}

std::vector<std::string> WxWebView::BackHistory() const {
    std::vector<std::string> urls;
    // The toolkit lists them oldest first.
    for (const auto& item : view_->GetBackwardHistory()) {
        urls.insert(urls.begin(), Utf8(item->GetUrl()));
    }
    return urls;
}

std::unique_ptr<WebView> WxWebViewFactory::Create(wxWindow* parent, WordSource words) {
    return std::make_unique<WxWebView>(parent, std::move(words));
}

}  // namespace engine
