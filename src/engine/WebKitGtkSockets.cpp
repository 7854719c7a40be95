#include "engine/WebKitGtkSockets.h"

#include <webkit2/webkit2.h>
#include <wx/webview.h>

#include "engine/WebKitGtkHooks.h"
#include "filter/SocketRules.h"

namespace engine {

struct WebKitGtkSockets::State {
    WebKitWebView* view = nullptr;
    WebKitUserContentManager* content = nullptr;
    WebKitUserContentFilterStore* store = nullptr;
    // The list's version the rules in force or on their way are for; none at first.
    unsigned long rulesFor = static_cast<unsigned long>(-1);
    GCancellable* pending = nullptr;
    guint watch = 0;
};

namespace {

using State = WebKitGtkSockets::State;

// One set of rules on its way: loaded when an earlier run compiled the same rules, compiled
// otherwise. It may finish after newer rules were asked for, or after the view is gone, and is
// then dropped unseen.
struct Rules {
    State* state;
    GCancellable* cancel;
    std::string json;
    std::string id;
};

void Apply(State* state, const std::string& json);

// The store keeps only the rules last put in force.
void Prune(GObject* store, GAsyncResult* result, gpointer data) {
    std::unique_ptr<std::string> keep(static_cast<std::string*>(data));
    gchar** ids = webkit_user_content_filter_store_fetch_identifiers_finish(
        WEBKIT_USER_CONTENT_FILTER_STORE(store), result);
    for (gchar** id = ids; id != nullptr && *id != nullptr; ++id) {
        if (*keep != *id) {
            webkit_user_content_filter_store_remove(
                WEBKIT_USER_CONTENT_FILTER_STORE(store), *id, nullptr,
                [](GObject* from, GAsyncResult* done, gpointer) {
                    webkit_user_content_filter_store_remove_finish(
                        WEBKIT_USER_CONTENT_FILTER_STORE(from), done, nullptr);
                },
                nullptr);
        }
    }
    g_strfreev(ids);
}

// Takes the rules that arrived, or says whether they did not.
bool Arrived(Rules& rules, WebKitUserContentFilter* filter) {
    const bool dropped = g_cancellable_is_cancelled(rules.cancel);
    if (dropped || filter == nullptr) {
        if (filter != nullptr) {
            webkit_user_content_filter_unref(filter);
        }
        return dropped;
    }
    State* state = rules.state;
    g_clear_object(&state->pending);
    webkit_user_content_manager_remove_all_filters(state->content);
    webkit_user_content_manager_add_filter(state->content, filter);
    webkit_user_content_filter_unref(filter);
    webkit_user_content_filter_store_fetch_identifiers(state->store, nullptr, Prune,
                                                       new std::string(rules.id));
    return true;
}

void Compiled(GObject* store, GAsyncResult* result, gpointer data) {
    std::unique_ptr<Rules> rules(static_cast<Rules*>(data));
    WebKitUserContentFilter* filter = webkit_user_content_filter_store_save_finish(
        WEBKIT_USER_CONTENT_FILTER_STORE(store), result, nullptr);
    const bool done = Arrived(*rules, filter);
    g_object_unref(rules->cancel);
    // Rules that do not compile would leave the connections unchecked: all are refused instead.
    if (!done && rules->json != filter::SocketRulesRefusingAll()) {
        Apply(rules->state, filter::SocketRulesRefusingAll());
    }
}

void Loaded(GObject* store, GAsyncResult* result, gpointer data) {
    std::unique_ptr<Rules> rules(static_cast<Rules*>(data));
    WebKitUserContentFilter* filter = webkit_user_content_filter_store_load_finish(
        WEBKIT_USER_CONTENT_FILTER_STORE(store), result, nullptr);
    if (Arrived(*rules, filter)) {
        g_object_unref(rules->cancel);
        return;
    }
    // Compiling a long list takes a while (half a second for 100,000 words), so it is done
    // only for rules no earlier run has compiled.
    GBytes* bytes = g_bytes_new(rules->json.data(), rules->json.size());
    Rules* next = rules.release();
    webkit_user_content_filter_store_save(WEBKIT_USER_CONTENT_FILTER_STORE(store), next->id.c_str(),
                                          bytes, next->cancel, Compiled, next);
    g_bytes_unref(bytes);
}

void Apply(State* state, const std::string& json) {
    if (state->pending != nullptr) {
        g_cancellable_cancel(state->pending);
        g_clear_object(&state->pending);
    }
    if (json.empty()) {
        webkit_user_content_manager_remove_all_filters(state->content);
        return;
    }
    state->pending = g_cancellable_new();
    // Named by their text the same way by every build, so a later one finds what this one compiled.
    gchar* sum = g_compute_checksum_for_data(
        G_CHECKSUM_SHA256, reinterpret_cast<const guchar*>(json.data()), json.size());
    const std::string id = std::string("sockets-") + sum;
    g_free(sum);
    auto* rules = new Rules{state, G_CANCELLABLE(g_object_ref(state->pending)), json, id};
    webkit_user_content_filter_store_load(state->store, rules->id.c_str(), rules->cancel, Loaded,
                                          rules);
}

// Looked at every second, as the window looks at the page it shows: a stat while nothing changed.
gboolean KeepCurrent(gpointer data) {
    auto* state = static_cast<State*>(data);
    WebKitGtkHooks::KeepWordsCurrent();
    const WebKitGtkHooks::WordsNow words = WebKitGtkHooks::CurrentWords();
    if (state->rulesFor != words.version) {
        state->rulesFor = words.version;
        Apply(state, filter::SocketRulesForList(words.state, words.lines));
    }
    return G_SOURCE_CONTINUE;
}

// A page opened just after the list changed would otherwise meet the rules of the list before
// for up to a second, and its workers' sockets with them. Rules for a short list, or for any
// list compiled before, arrive within milliseconds, well before the page's answer.
void OnLoadChanged(WebKitWebView*, WebKitLoadEvent event, gpointer data) {
    if (event == WEBKIT_LOAD_STARTED) {
        KeepCurrent(data);
    }
}

}  // namespace

WebKitGtkSockets::WebKitGtkSockets(wxWebView& view) : state_(new State) {
    auto* web = static_cast<WebKitWebView*>(view.GetNativeBackend());
    state_->view = WEBKIT_WEB_VIEW(g_object_ref(web));
    state_->content =
        WEBKIT_USER_CONTENT_MANAGER(g_object_ref(webkit_web_view_get_user_content_manager(web)));
    // Compiled rules are a cache, kept where the engine keeps its own.
    gchar* folder =
        g_build_filename(g_get_user_cache_dir(), "lanternwick", "socket-rules", nullptr);
    state_->store = webkit_user_content_filter_store_new(folder);
    g_free(folder);
    KeepCurrent(state_);
    state_->watch = g_timeout_add_seconds(1, KeepCurrent, state_);
    g_signal_connect(web, "load-changed", G_CALLBACK(OnLoadChanged), state_);
}

WebKitGtkSockets::~WebKitGtkSockets() {
    g_source_remove(state_->watch);
    g_signal_handlers_disconnect_by_data(state_->view, state_);
    if (state_->pending != nullptr) {
        g_cancellable_cancel(state_->pending);
        g_object_unref(state_->pending);
    }
    g_object_unref(state_->store);
    g_object_unref(state_->content);
    g_object_unref(state_->view);
    delete state_;
}

}  // namespace engine
