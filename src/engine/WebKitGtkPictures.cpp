#include "engine/WebKitGtkPictures.h"

#include <cairo.h>
#include <glib/gstdio.h>
#include <unistd.h>
#include <webkit2/webkit2.h>
#include <wx/image.h>
#include <wx/webview.h>

#include <fstream>
#include <iterator>
#include <set>

namespace engine {

struct WebKitGtkPictures::State {
    WebKitWebView* view = nullptr;
    GCancellable* gone = nullptr;  // cancelled when the adapter goes: no answer after that
    std::set<WebKitDownload*> downloads;
};

namespace {

// One fetch: the file it is written to, and how much has come.
struct Fetching {
    WebKitGtkPictures::State* state;
    GCancellable* gone;
    std::function<void(std::optional<std::string>)> done;
    std::size_t maxBytes;
    std::string path;
    std::size_t received = 0;
    bool failed = false;
};

gboolean OnDecideDestination(WebKitDownload* download, gchar*, gpointer data) {
    auto* fetching = static_cast<Fetching*>(data);
    gchar* uri = g_filename_to_uri(fetching->path.c_str(), nullptr, nullptr);
    webkit_download_set_allow_overwrite(download, TRUE);
    webkit_download_set_destination(download, uri);
    g_free(uri);
    return TRUE;
}

void OnReceivedData(WebKitDownload* download, guint64 length, gpointer data) {
    auto* fetching = static_cast<Fetching*>(data);
    fetching->received += static_cast<std::size_t>(length);
    if (fetching->received > fetching->maxBytes) {
        fetching->failed = true;
        webkit_download_cancel(download);
    }
}

void OnFailed(WebKitDownload*, GError*, gpointer data) {
    static_cast<Fetching*>(data)->failed = true;
}

// Comes last, after a failure too.
void OnFinished(WebKitDownload* download, gpointer data) {
    auto* fetching = static_cast<Fetching*>(data);
    std::optional<std::string> bytes;
    if (!fetching->failed) {
        std::ifstream in(fetching->path, std::ios::binary);
        std::string read((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.good() || in.eof()) {
            if (read.size() <= fetching->maxBytes) {
                bytes = std::move(read);
            }
        }
    }
    g_remove(fetching->path.c_str());
    g_signal_handlers_disconnect_by_data(download, fetching);
    if (!g_cancellable_is_cancelled(fetching->gone)) {
        fetching->state->downloads.erase(download);
        fetching->done(std::move(bytes));
    }
    g_object_unref(download);
    g_object_unref(fetching->gone);
    delete fetching;
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

WebKitGtkPictures::WebKitGtkPictures(wxWebView& view) : state_(new State) {
    state_->view =
        WEBKIT_WEB_VIEW(g_object_ref(static_cast<WebKitWebView*>(view.GetNativeBackend())));
    state_->gone = g_cancellable_new();
}

WebKitGtkPictures::~WebKitGtkPictures() {
    g_cancellable_cancel(state_->gone);
    for (WebKitDownload* download : state_->downloads) {
        webkit_download_cancel(download);
    }
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
                              std::function<void(std::optional<std::string>)> done) {
    gchar* path = nullptr;
    const gint fd = g_file_open_tmp("lanternwick-picture-XXXXXX", &path, nullptr);
    if (fd < 0) {
        done(std::nullopt);
        return;
    }
    close(fd);
    auto* fetching = new Fetching{state_, G_CANCELLABLE(g_object_ref(state_->gone)),
                                  std::move(done), maxBytes, path};
    g_free(path);
    // Not the view's own download, which its hooks cancel as every download of a page: the
    // engine's, on the same network as the pages.
    WebKitDownload* download =
        webkit_web_context_download_uri(webkit_web_view_get_context(state_->view), url.c_str());
    state_->downloads.insert(download);
    g_signal_connect(download, "decide-destination", G_CALLBACK(OnDecideDestination), fetching);
    g_signal_connect(download, "received-data", G_CALLBACK(OnReceivedData), fetching);
    g_signal_connect(download, "failed", G_CALLBACK(OnFailed), fetching);
    g_signal_connect(download, "finished", G_CALLBACK(OnFinished), fetching);
}

void WebKitGtkPictures::Snapshot(std::function<void(wxImage)> done) {
    auto* picturing = new Picturing{G_CANCELLABLE(g_object_ref(state_->gone)), std::move(done)};
    webkit_web_view_get_snapshot(state_->view, WEBKIT_SNAPSHOT_REGION_VISIBLE,
                                 WEBKIT_SNAPSHOT_OPTIONS_NONE, state_->gone, OnSnapshot, picturing);
}

}  // namespace engine
