#include "engine/WebKitGtkPages.h"

#include <webkit2/webkit2.h>
#include <wx/webview.h>

#include <map>
#include <set>
#include <string>

#include "filter/ProgramPages.h"

namespace engine {

namespace {

std::map<WebKitWebView*, WebKitGtkPages*>& Served() {
    static std::map<WebKitWebView*, WebKitGtkPages*> served;
    return served;
}

void OnRequest(WebKitURISchemeRequest* request, gpointer) {
    const auto found = Served().find(webkit_uri_scheme_request_get_web_view(request));
    const gchar* uri = webkit_uri_scheme_request_get_uri(request);
    std::string html;
    if (found != Served().end() && uri != nullptr) {
        html = found->second->PageOf()(uri);
    }
    if (html.empty()) {
        GError* error = g_error_new_literal(G_IO_ERROR, G_IO_ERROR_NOT_FOUND, "no such page");
        webkit_uri_scheme_request_finish_error(request, error);
        g_error_free(error);
        return;
    }
    const gssize length = static_cast<gssize>(html.size());
    GInputStream* stream =
        g_memory_input_stream_new_from_data(g_memdup2(html.data(), html.size()), length, g_free);
    webkit_uri_scheme_request_finish(request, stream, length, "text/html");
    g_object_unref(stream);
}

}  // namespace

WebKitGtkPages::WebKitGtkPages(wxWebView& view, Page page) : page_(std::move(page)) {
    auto* web = static_cast<WebKitWebView*>(view.GetNativeBackend());
    view_ = web;
    Served()[web] = this;
    // Registered once per context: a second registration would leave views made before it with
    // the first handler.
    static std::set<WebKitWebContext*> registered;
    WebKitWebContext* context = webkit_web_view_get_context(web);
    if (registered.insert(context).second) {
        const std::string scheme(filter::kProgramScheme);
        webkit_web_context_register_uri_scheme(context, scheme.c_str(), OnRequest, nullptr,
                                               nullptr);
    }
}

WebKitGtkPages::~WebKitGtkPages() {
    Served().erase(static_cast<WebKitWebView*>(view_));
}

}  // namespace engine
