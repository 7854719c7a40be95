#pragma once

#include <memory>

#include "engine/WebView.h"

class wxWebView;
class wxWebViewEvent;

namespace engine {

class WebKitGtkHooks;
class WebKitGtkPages;
class WebKitGtkPictures;
class WebKitGtkSockets;

// The platform's web view (WebKitGTK here, Edge or WebKit elsewhere).
class WxWebView : public WebView {
public:
    WxWebView(wxWindow* parent, WordSource words);
    // The program folder whose request filter the page processes load, where it is not the
    // running program's own (a family install serving a copy of the program).
    static void UseFilterBeside(const std::string& programFolder);
    // Called before the toolkit starts: how pages are drawn is chosen from the display.
    static void BeforeToolkit();
    ~WxWebView() override;

    wxWindow* Control() override;
    void SetEvents(WebViewEvents events) override;
    void Navigate(const std::string& url) override;
    bool GoBack() override;
    bool GoForward() override;
    void Refresh() override;
    void Stop() override;
    void Empty() override;
    std::string LocationURL() const override;
    bool IsLoading() const override;
    std::vector<std::string> BackHistory() const override;
    bool RequestFilterMissing() const override { return filterMissing_; }
    void UseFilterSettings(const filter::Settings& settings) override;
    void FindPagePictures(std::function<void(std::vector<PagePicture>)> found) override;
    void Fetch(const std::string& url, std::size_t maxBytes,
               std::function<bool(const std::string& hop)> mayFetch,
               std::function<void(std::optional<std::string>)> done) override;
    void Snapshot(std::function<void(wxImage)> done) override;

private:
    void OnNavigating(wxWebViewEvent& event);
    void NewWindowLater(const std::string& url);
    std::string ProgramPage(const std::string& url) const;

    wxWebView* view_ = nullptr;
    WebViewEvents events_;
    bool filterMissing_ = false;
#ifdef __WXGTK__
    std::unique_ptr<WebKitGtkHooks> hooks_;
    std::unique_ptr<WebKitGtkPages> pages_;
    std::unique_ptr<WebKitGtkSockets> sockets_;
    std::unique_ptr<WebKitGtkPictures> pictures_;
#endif
};

class WxWebViewFactory : public WebViewFactory {
public:
    std::unique_ptr<WebView> Create(wxWindow* parent, WordSource words) override;
};

}  // namespace engine
