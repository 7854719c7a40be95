#include "engine/WebKitGtkPictures.h"

#include <cairo.h>
#include <libsoup/soup.h>
#include <webkit2/webkit2.h>
#include <wx/image.h>
#include <wx/webview.h>

namespace engine {

struct WebKitGtkPictures::State {
    WebKitWebView* view = nullptr;
    GCancellable* gone = nullptr;  // cancelled when the adapter goes: no answer after that
    // Not the engine's download, which follows every redirect without asking: a session of the
    // same libsoup the engine runs on, that follows none by itself.
    SoupSession* session = nullptr;
};

namespace {

// A redirect chain longer than this is no picture worth following.
constexpr int kMaxHops = 5;
// As long as a page is given to answer.
constexpr guint kFetchSeconds = 30;

std::string& ProxyForFetches() {
    static std::string proxy;
    return proxy;
}

// One fetch, from its first address through every hop it is led to.
struct Fetching {
    GCancellable* gone;
    SoupSession* session;
    WebKitCookieManager* cookies;
    std::function<bool(const std::string&)> mayFetch;
    std::function<void(std::optional<std::string>)> done;
    std::size_t maxBytes;
    SoupURI* address = nullptr;  // the hop to ask for next
    int hops = 0;
    SoupMessage* message = nullptr;  // the hop under way, owned by the session
    std::size_t received = 0;
    bool failed = false;
    guint deadline = 0;
};

void Finish(Fetching* fetching, std::optional<std::string> bytes) {
    if (fetching->deadline != 0) {
        g_source_remove(fetching->deadline);
    }
    // Answered last: the answer may end the adapter and its session.
    auto done = std::move(fetching->done);
    const bool answer = !g_cancellable_is_cancelled(fetching->gone);
    if (fetching->address != nullptr) {
        soup_uri_free(fetching->address);
    }
    g_object_unref(fetching->cookies);
    g_object_unref(fetching->session);
    g_object_unref(fetching->gone);
    delete fetching;
    if (answer) {
        done(std::move(bytes));
    }
}

gboolean OnDeadline(gpointer data) {
    auto* fetching = static_cast<Fetching*>(data);
    fetching->deadline = 0;
    fetching->failed = true;  // a lookup of cookies under way ends the fetch when it answers
    if (fetching->message != nullptr) {
        soup_session_cancel_message(fetching->session, fetching->message, SOUP_STATUS_CANCELLED);
    }
    return G_SOURCE_REMOVE;
}

void OnHeaders(SoupMessage* message, gpointer data) {
    auto* fetching = static_cast<Fetching*>(data);
    if (soup_message_headers_get_encoding(message->response_headers) ==
            SOUP_ENCODING_CONTENT_LENGTH &&
        static_cast<guint64>(soup_message_headers_get_content_length(message->response_headers)) >
            fetching->maxBytes) {
        fetching->failed = true;
        soup_session_cancel_message(fetching->session, message, SOUP_STATUS_CANCELLED);
    }
}

void OnChunk(SoupMessage* message, SoupBuffer* chunk, gpointer data) {
    auto* fetching = static_cast<Fetching*>(data);
    fetching->received += chunk->length;
    if (fetching->received > fetching->maxBytes) {
        fetching->failed = true;
        soup_session_cancel_message(fetching->session, message, SOUP_STATUS_CANCELLED);
    }
}

void Ask(Fetching* fetching);

void OnAnswered(SoupSession*, SoupMessage* message, gpointer data) {
    auto* fetching = static_cast<Fetching*>(data);
    fetching->message = nullptr;
    g_signal_handlers_disconnect_by_data(message, fetching);
    const guint status = message->status_code;
    if (fetching->failed || g_cancellable_is_cancelled(fetching->gone)) {
        Finish(fetching, std::nullopt);
    } else if (SOUP_STATUS_IS_REDIRECTION(status) && status != SOUP_STATUS_NOT_MODIFIED) {
        const char* location = soup_message_headers_get_one(message->response_headers, "Location");
        SoupURI* next = location != nullptr
                            ? soup_uri_new_with_base(soup_message_get_uri(message), location)
                            : nullptr;
        soup_uri_free(fetching->address);
        fetching->address = next;
        if (next == nullptr || !SOUP_URI_VALID_FOR_HTTP(next) || ++fetching->hops > kMaxHops) {
            Finish(fetching, std::nullopt);
        } else {
            Ask(fetching);
        }
    } else if (SOUP_STATUS_IS_SUCCESSFUL(status) &&
               static_cast<std::size_t>(message->response_body->length) <= fetching->maxBytes) {
        Finish(fetching, std::string(message->response_body->data,
                                     static_cast<std::size_t>(message->response_body->length)));
    } else {
        Finish(fetching, std::nullopt);
    }
}

// The engine's cookies for the hop, as a page of its site would send them.
void OnCookies(GObject* manager, GAsyncResult* result, gpointer data) {
    auto* fetching = static_cast<Fetching*>(data);
    GList* cookies =
        webkit_cookie_manager_get_cookies_finish(WEBKIT_COOKIE_MANAGER(manager), result, nullptr);
    std::string header;
    for (GList* at = cookies; at != nullptr; at = at->next) {
        gchar* pair = soup_cookie_to_cookie_header(static_cast<SoupCookie*>(at->data));
        header += (header.empty() ? "" : "; ") + std::string(pair);
        g_free(pair);
    }
    g_list_free_full(cookies, reinterpret_cast<GDestroyNotify>(soup_cookie_free));
    if (fetching->failed || g_cancellable_is_cancelled(fetching->gone)) {
        Finish(fetching, std::nullopt);
        return;
    }
    SoupMessage* message = soup_message_new_from_uri(SOUP_METHOD_GET, fetching->address);
    soup_message_set_flags(message, SOUP_MESSAGE_NO_REDIRECT);
    if (!header.empty()) {
        soup_message_headers_replace(message->request_headers, "Cookie", header.c_str());
    }
    g_signal_connect(message, "got-headers", G_CALLBACK(OnHeaders), fetching);
    g_signal_connect(message, "got-chunk", G_CALLBACK(OnChunk), fetching);
    fetching->message = message;
    fetching->received = 0;
    soup_session_queue_message(fetching->session, message, OnAnswered, fetching);
}

// Judged before anything of the hop goes out, the first as every one a redirect leads to.
void Ask(Fetching* fetching) {
    gchar* address = soup_uri_to_string(fetching->address, FALSE);
    const std::string hop = address;
    g_free(address);
    if (!fetching->mayFetch(hop)) {
        Finish(fetching, std::nullopt);
        return;
    }
    webkit_cookie_manager_get_cookies(fetching->cookies, hop.c_str(), fetching->gone, OnCookies,
                                      fetching);
}

// Always after the caller's turn, as every answer of the view comes.
gboolean Begin(gpointer data) {
    auto* fetching = static_cast<Fetching*>(data);
    if (g_cancellable_is_cancelled(fetching->gone) || fetching->address == nullptr ||
        !SOUP_URI_VALID_FOR_HTTP(fetching->address)) {
        Finish(fetching, std::nullopt);
    } else {
        fetching->deadline = g_timeout_add_seconds(kFetchSeconds, OnDeadline, fetching);
        Ask(fetching);
    }
    return G_SOURCE_REMOVE;
}

struct Answering {
    GCancellable* gone;
    std::function<void(std::string)> done;
};

void OnScriptAnswered(GObject* view, GAsyncResult* result, gpointer data) {
    auto* answering = static_cast<Answering*>(data);
    GError* error = nullptr;
    JSCValue* value =
        webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(view), result, &error);
    std::string answer;
    if (value != nullptr) {
        if (jsc_value_is_string(value)) {
            gchar* text = jsc_value_to_string(value);
            answer = text;
            g_free(text);
        }
        g_object_unref(value);
    }
    if (error != nullptr) {
        g_error_free(error);
    }
    if (!g_cancellable_is_cancelled(answering->gone)) {
        answering->done(std::move(answer));
    }
    g_object_unref(answering->gone);
    delete answering;
}

struct Picturing {
    GCancellable* gone;
    std::function<void(wxImage)> done;
};

wxImage FromSurface(cairo_surface_t* surface) {
    if (cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE ||
        cairo_image_surface_get_format(surface) != CAIRO_FORMAT_ARGB32) {
        return {};
    }
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    if (width <= 0 || height <= 0 || data == nullptr) {
        return {};
    }
    wxImage image(width, height);
    unsigned char* rgb = image.GetData();
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const guint32*>(data + y * stride);
        for (int x = 0; x < width; ++x) {
            const guint32 pixel = row[x];  // native-endian ARGB; a page's pixels are opaque
            *rgb++ = static_cast<unsigned char>(pixel >> 16);
            *rgb++ = static_cast<unsigned char>(pixel >> 8);
            *rgb++ = static_cast<unsigned char>(pixel);
        }
    }
    return image;
}

void OnSnapshot(GObject* view, GAsyncResult* result, gpointer data) {
    auto* picturing = static_cast<Picturing*>(data);
    GError* error = nullptr;
    cairo_surface_t* surface =
        webkit_web_view_get_snapshot_finish(WEBKIT_WEB_VIEW(view), result, &error);
    wxImage image;
    if (surface != nullptr) {
        image = FromSurface(surface);
        cairo_surface_destroy(surface);
    }
    if (error != nullptr) {
        g_error_free(error);
    }
    if (!g_cancellable_is_cancelled(picturing->gone)) {
        picturing->done(std::move(image));
    }
    g_object_unref(picturing->gone);
    delete picturing;
}

}  // namespace

void WebKitGtkPictures::FetchThrough(const std::string& proxy) {
    ProxyForFetches() = proxy;
}

WebKitGtkPictures::WebKitGtkPictures(wxWebView& view) : state_(new State) {
    state_->view =
        WEBKIT_WEB_VIEW(g_object_ref(static_cast<WebKitWebView*>(view.GetNativeBackend())));
    state_->gone = g_cancellable_new();
    const gchar* agent = webkit_settings_get_user_agent(webkit_web_view_get_settings(state_->view));
    state_->session = soup_session_new_with_options(SOUP_SESSION_USER_AGENT, agent,
                                                    SOUP_SESSION_TIMEOUT, kFetchSeconds, nullptr);
    if (!ProxyForFetches().empty()) {
        GProxyResolver* proxy = g_simple_proxy_resolver_new(ProxyForFetches().c_str(), nullptr);
        g_object_set(state_->session, SOUP_SESSION_PROXY_RESOLVER, proxy, nullptr);
        g_object_unref(proxy);
    }
}

WebKitGtkPictures::~WebKitGtkPictures() {
    g_cancellable_cancel(state_->gone);
    soup_session_abort(state_->session);
    g_object_unref(state_->session);
    g_object_unref(state_->gone);
    g_object_unref(state_->view);
    delete state_;
}

void WebKitGtkPictures::RunApart(const std::string& script, std::function<void(std::string)> done) {
    auto* answering = new Answering{G_CANCELLABLE(g_object_ref(state_->gone)), std::move(done)};
    webkit_web_view_evaluate_javascript(state_->view, script.c_str(), -1, "lanternwick-pictures",
                                        nullptr, state_->gone, OnScriptAnswered, answering);
}

void WebKitGtkPictures::Fetch(const std::string& url, std::size_t maxBytes,
                              std::function<bool(const std::string& hop)> mayFetch,
                              std::function<void(std::optional<std::string>)> done) {
    WebKitCookieManager* cookies = webkit_website_data_manager_get_cookie_manager(
        webkit_web_context_get_website_data_manager(webkit_web_view_get_context(state_->view)));
    auto* fetching = new Fetching{G_CANCELLABLE(g_object_ref(state_->gone)),
                                  SOUP_SESSION(g_object_ref(state_->session)),
                                  WEBKIT_COOKIE_MANAGER(g_object_ref(cookies)),
                                  std::move(mayFetch),
                                  std::move(done),
                                  maxBytes};
    fetching->address = soup_uri_new(url.c_str());
    g_idle_add(Begin, fetching);
}

void WebKitGtkPictures::Snapshot(std::function<void(wxImage)> done) {
    auto* picturing = new Picturing{G_CANCELLABLE(g_object_ref(state_->gone)), std::move(done)};
    webkit_web_view_get_snapshot(state_->view, WEBKIT_SNAPSHOT_REGION_VISIBLE,
                                 WEBKIT_SNAPSHOT_OPTIONS_NONE, state_->gone, OnSnapshot, picturing);
}

}  // namespace engine
