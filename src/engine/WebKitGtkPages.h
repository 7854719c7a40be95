#pragma once

#include <functional>
#include <string>

class wxWebView;

namespace engine {

// Serves the program's own pages to one WebKitGTK view under the program's scheme. The engine
// keeps one handler per scheme for all views of its context, so the handler finds the view a
// request is for and asks that view's owner for the page.
class WebKitGtkPages {
public:
    // `page` gives the page's HTML for an address of the scheme; nothing (empty) is not found.
    using Page = std::function<std::string(const std::string& url)>;

    WebKitGtkPages(wxWebView& view, Page page);
    ~WebKitGtkPages();
    WebKitGtkPages(const WebKitGtkPages&) = delete;
    WebKitGtkPages& operator=(const WebKitGtkPages&) = delete;

    const Page& PageOf() const { return page_; }

private:
    void* view_;  // the engine's view, kept out of this header
    Page page_;
};

}  // namespace engine
