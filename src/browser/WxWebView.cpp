#include "browser/WxWebView.h"

#include <wx/webview.h>

#include <stdexcept>

namespace browser {

namespace {

std::string Utf8(const wxString& s) {
    return s.utf8_string();
}

}  // namespace

WxWebView::WxWebView(wxWindow* parent) {
    view_ = wxWebView::New(parent, wxID_ANY, "about:blank");
    if (view_ == nullptr) {
        throw std::runtime_error("no web view is available on this system");
    }
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
    view_->Bind(wxEVT_WEBVIEW_NEWWINDOW, [this](wxWebViewEvent& event) {
        if (events_.newWindow) {
            events_.newWindow(Utf8(event.GetURL()));
        }
    });
}

void WxWebView::OnNavigating(wxWebViewEvent& event) {
    bool cancel = false;
    if (events_.beforeNavigate) {
        events_.beforeNavigate(Utf8(event.GetURL()), event.GetTarget().empty(), cancel);
    }
    if (cancel) {
        event.Veto();
    }
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

std::string WxWebView::LocationURL() const {
    return Utf8(view_->GetCurrentURL());
}

std::unique_ptr<WebView> WxWebViewFactory::Create(wxWindow* parent) {
    return std::make_unique<WxWebView>(parent);
}

}  // namespace browser
