// Runs inside the engine's web process, where every request of a page is made: each one whose
// address holds a blocked word is cancelled before it is sent, whatever asked for it (a page, a
// frame, a redirect hop, a picture, a script's fetch). With only the allowed sites on, a frame's
// page is judged here too, before it is asked for. The few kinds of request that never pass
// this point are closed by guards put into every frame before the page's own scripts run.
#include <webkit2/webkit-web-extension.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "filter/BlockedWords.h"
#include "filter/Decision.h"
#include "filter/PageMessages.h"

namespace {

// The words the window sent last: none before it sends a list, after it says it has none, or
// after a list that could not be taken.
std::unique_ptr<const filter::WordMatcher> words;
filter::Settings settings;

// What the module knows of a frame of the page while the frame lives.
struct FrameRecord {
    // The first page of the network it was let to load: it may go on within that host.
    std::string home;
    // Until then, what a page wrote into it (about:srcdoc, about:blank) and that page's address.
    std::string written;
    std::string holder;

    std::string_view Shows() const { return home.empty() ? written : home; }
};
std::map<WebKitFrame*, FrameRecord> frames;
// The frames not seen here yet, each from the document it asked for first: every address it was
// let on to by a redirect, and that first page.
std::map<std::string, std::string> firstPages;

// Without a list to check against, every request is refused.
filter::Words List() {
    return words ? filter::Words{filter::ListState::Present, words.get()} : filter::Words{};
}

bool Refused(const char* uri) {
    return uri != nullptr &&
           !filter::Decide({.address = uri, .kind = filter::Kind::SubResource, .frameShows = {}},
                           List(), settings)
                .Opens();
}

void Forget(gpointer, GObject* gone) {
    frames.erase(reinterpret_cast<WebKitFrame*>(gone));
}

FrameRecord& Record(WebKitFrame* frame) {
    const auto [at, added] = frames.try_emplace(frame);
    if (added) {
        g_object_weak_ref(G_OBJECT(frame), Forget, nullptr);
    }
    return at->second;
}

// A frame takes the address of its next page as that page starts to load, as the window's page
// does, and keeps the address a redirect leads away from until the hop is allowed; so the frame
// a document request is for is the one already at the address asked for.
FrameRecord* FrameLoading(const char* asked) {
    for (auto& [frame, record] : frames) {
        if (g_strcmp0(webkit_frame_get_uri(frame), asked) == 0) {
            return &record;
        }
    }
    return nullptr;
}

// A page or a frame's page, as the engine asks for it. A script's fetch may ask alike; its
// redirect hops are then judged as a frame's, more strictly than a picture's, which is harmless.
bool IsDocument(WebKitURIRequest* request) {
    SoupMessageHeaders* headers = webkit_uri_request_get_http_headers(request);
    const char* accept =
        headers != nullptr ? soup_message_headers_get_one(headers, "Accept") : nullptr;
    return accept != nullptr && g_str_has_prefix(accept, "text/html");
}

gboolean OnSendRequest(WebKitWebPage* page, WebKitURIRequest* request, WebKitURIResponse* redirect,
                       gpointer) {
    const char* uri = webkit_uri_request_get_uri(request);
    if (uri == nullptr) {
        return FALSE;
    }
    // The page of the window takes its new address as it starts to load, as a frame does.
    const char* asked = redirect != nullptr ? webkit_uri_response_get_uri(redirect) : uri;
    const bool thePage = g_strcmp0(webkit_web_page_get_uri(page), asked) == 0;
    FrameRecord* frame = thePage ? nullptr : FrameLoading(asked);
    // A frame not seen yet asks first for what the page put in it, then for each hop from there.
    const bool unseen = !thePage && frame == nullptr && IsDocument(request);
    const auto first = unseen && redirect != nullptr ? firstPages.find(asked) : firstPages.end();
    const bool inFrame =
        frame != nullptr || (unseen && (redirect == nullptr || first != firstPages.end()));
    const std::string shows = frame != nullptr            ? std::string(frame->Shows())
                              : first != firstPages.end() ? first->second
                                                          : std::string();
    const filter::Verdict verdict =
        filter::Decide({.address = uri,
                        .kind = thePage   ? filter::Kind::TopLevel
                                : inFrame ? filter::Kind::Frame
                                          : filter::Kind::SubResource,
                        .frameShows = shows,
                        .frameHolder = frame != nullptr ? frame->holder : std::string_view()},
                       List(), settings);
    if (verdict.Opens()) {
        // A frame's first page of the network is its home, which it and a redirect go on from.
        const bool ofTheNetwork = !filter::NeverJudged(uri);
        if (ofTheNetwork && frame != nullptr && frame->home.empty()) {
            frame->home = uri;
        } else if (ofTheNetwork && frame == nullptr && inFrame) {
            firstPages[uri] = shows.empty() ? uri : shows;
        }
        return FALSE;
    }
    if (thePage && verdict.Explained()) {
        // The window shows the child why, as it does for a page it refuses itself.
        webkit_web_page_send_message_to_view(
            page,
            webkit_user_message_new(filter::pagemessages::kRefused, g_variant_new_string(uri)),
            nullptr, nullptr, nullptr);
    }
    return TRUE;
}

void OnPageCreated(WebKitWebExtension*, WebKitWebPage* page, gpointer) {
    g_signal_connect(page, "send-request", G_CALLBACK(OnSendRequest), nullptr);
}

// Stopped before its page is read, the frame shows nothing and runs nothing of it. A frame that
// cannot be stopped would show a page it may not, so the process ends, as it does for a frame
// without its guards.
void StopFrame(WebKitScriptWorld* world, WebKitFrame* frame) {
    JSCContext* context = webkit_frame_get_js_context_for_script_world(frame, world);
    JSCValue* done =
        context != nullptr ? jsc_context_evaluate(context, "window.stop(); true", -1) : nullptr;
    const bool stopped =
        done != nullptr && jsc_value_is_boolean(done) && jsc_value_to_boolean(done);
    g_clear_object(&done);
    g_clear_object(&context);
    if (!stopped) {
        std::_Exit(EXIT_FAILURE);
    }
}

// The nearest page above a frame that came from the network. Read in a world of the module's own,
// which no script of a page reaches; one of another origin cannot be read and counts as none.
constexpr const char* kHolder = R"JS((function () {
    try {
        for (var w = window.parent; ; w = w.parent) {
            var at = w.location.href;
            if (!/^about:/i.test(at) || w === w.parent) { return at; }
        }
    } catch (e) { return ''; }
})())JS";

std::string Holder(WebKitFrame* frame) {
    static WebKitScriptWorld* const own = webkit_script_world_new();
    JSCContext* context = webkit_frame_get_js_context_for_script_world(frame, own);
    JSCValue* found = context != nullptr ? jsc_context_evaluate(context, kHolder, -1) : nullptr;
    std::string holder;
    if (found != nullptr && jsc_value_is_string(found)) {
        char* text = jsc_value_to_string(found);
        holder = text;
        g_free(text);
    }
    g_clear_object(&found);
    g_clear_object(&context);
    return holder;
}

// The second look, when a frame's page arrives, before anything of it has been read or run: a
// page that slipped past its request (one asked for before the frame was seen here) stops there
// and stays empty. A new page of the window brings frames of its own.
void JudgeFrame(WebKitScriptWorld* world, WebKitFrame* frame) {
    if (webkit_frame_is_main_frame(frame)) {
        firstPages.clear();
        return;
    }
    const char* uri = webkit_frame_get_uri(frame);
    const std::string address = uri != nullptr ? uri : "";
    FrameRecord& record = Record(frame);
    if (const auto first = firstPages.find(address);
        record.home.empty() && first != firstPages.end()) {
        record.home = first->second;
    }
    if (!filter::Decide({.address = address,
                         .kind = filter::Kind::Frame,
                         .frameShows = record.Shows(),
                         .frameHolder = record.holder},
                        List(), settings)
             .Opens()) {
        StopFrame(world, frame);
        return;
    }
    if (!record.home.empty()) {
        return;
    }
    if (!filter::NeverJudged(address)) {
        record.home = address;
    } else if (record.written.empty()) {
        record.written = address;
        record.holder = Holder(frame);
    }
}

// WebSocket connections and beacons are made without passing the page's request signal; a
// service worker or a shared worker fetches for a page outside it too, so pages may start
// neither. The function answers true only once every way is guarded or gone.
constexpr const char* kGuards = R"JS((function (refused) {
    function absolute(url) {
        try { return new URL(String(url), document.baseURI).href; } catch (e) { return String(url); }
    }
    function fixed(owner, name) {
        var d = Object.getOwnPropertyDescriptor(owner, name);
        return d !== undefined && !d.configurable;
    }
    // A way found fixed was fixed here for the frame's first, empty document, whose window this
    // document took over. A guard that cannot be put in leaves its way gone instead.
    function fix(owner, name, guard) {
        if (!owner || !(name in owner) || fixed(owner, name)) { return; }
        try { guard(); } catch (e) {}
        if (!fixed(owner, name)) {
            Object.defineProperty(owner, name, { value: undefined, writable: false,
                                                 configurable: false });
        }
    }
    fix(window, 'WebSocket', function () {
        var Socket = window.WebSocket;
        var Guarded = function WebSocket(url, protocols) {
            if (refused(absolute(url))) {
                throw new DOMException('This address is blocked.', 'SecurityError');
            }
            return arguments.length > 1 ? new Socket(url, protocols) : new Socket(url);
        };
        Guarded.prototype = Socket.prototype;
        ['CONNECTING', 'OPEN', 'CLOSING', 'CLOSED'].forEach(function (k) {
            Object.defineProperty(Guarded, k, { value: Socket[k] });
        });
        Object.defineProperty(Socket.prototype, 'constructor', { value: Guarded });
        Object.defineProperty(window, 'WebSocket', { value: Guarded, writable: false,
                                                     configurable: false });
    });
    var navigatorProto = window.Navigator && Navigator.prototype;
    fix(navigatorProto, 'sendBeacon', function () {
        var beacon = navigatorProto.sendBeacon;
        Object.defineProperty(navigatorProto, 'sendBeacon', {
            value: function sendBeacon(url) {
                return refused(absolute(url)) ? false : beacon.apply(this, arguments);
            }, writable: false, configurable: false });
    });
    fix(navigatorProto, 'serviceWorker', function () {
        Object.defineProperty(navigatorProto, 'serviceWorker', {
            get: function () { return undefined; }, configurable: false });
    });
    fix(window, 'SharedWorker', function () {});  // no guard: the way is simply gone
    return true;
}))JS";

gboolean RefusedFromScript(const char* url, gpointer) {
    return Refused(url) ? TRUE : FALSE;
}

// Whether the frame's window holds every guard, or is without the ways they guard.
bool Guard(WebKitScriptWorld* world, WebKitFrame* frame) {
    JSCContext* context = webkit_frame_get_js_context_for_script_world(frame, world);
    if (context == nullptr) {
        g_warning("Lanternwick: frame %" G_GUINT64_FORMAT " has no script context to guard",
                  webkit_frame_get_id(frame));
        return false;
    }
    bool guarded = false;
    JSCValue* guards = jsc_context_evaluate(context, kGuards, -1);
    if (guards != nullptr && jsc_value_is_function(guards)) {
        JSCValue* refused =
            jsc_value_new_function(context, nullptr, G_CALLBACK(RefusedFromScript), nullptr,
                                   nullptr, G_TYPE_BOOLEAN, 1, G_TYPE_STRING);
        JSCValue* done = jsc_value_function_call(guards, JSC_TYPE_VALUE, refused, G_TYPE_NONE);
        guarded = done != nullptr && jsc_value_is_boolean(done) && jsc_value_to_boolean(done);
        g_clear_object(&done);
        g_object_unref(refused);
    }
    if (!guarded) {
        JSCException* exception = jsc_context_get_exception(context);
        g_warning("Lanternwick: the guards of frame %" G_GUINT64_FORMAT " failed: %s",
                  webkit_frame_get_id(frame),
                  exception != nullptr ? jsc_exception_get_message(exception) : "no answer");
    }
    g_clear_object(&guards);
    g_object_unref(context);
    return guarded;
}

// A frame left with an unguarded way must not run at all. Nothing in this process can stop its
// sockets and beacons, so the process ends, and the program shows an empty page as it does for
// any page process it loses.
void OnWindowObjectCleared(WebKitScriptWorld* world, WebKitWebPage*, WebKitFrame* frame, gpointer) {
    if (!Guard(world, frame)) {
        std::_Exit(EXIT_FAILURE);
    }
    JudgeFrame(world, frame);
}

// The switch, then the allowed addresses, as the program sends them.
void TakeSettings(GVariant* given) {
    if (given == nullptr ||
        !g_variant_is_of_type(given, G_VARIANT_TYPE(filter::pagemessages::kSettingsType))) {
        return;
    }
    gboolean on = FALSE;
    GVariantIter* addresses = nullptr;
    gchar* key = nullptr;  // the type's "s" hands over a copy
    g_variant_get(given, filter::pagemessages::kSettingsType, &on, &addresses, &key);
    filter::Settings taken{
        .allowedSitesOnly = on == TRUE, .allowedAddresses = {}, .programKey = key};
    g_free(key);
    const gchar* address = nullptr;
    while (g_variant_iter_next(addresses, "&s", &address)) {
        taken.allowedAddresses.emplace_back(address);
    }
    g_variant_iter_free(addresses);
    settings = std::move(taken);
}

void TakeWords(GVariant* given) {
    words.reset();
    if (given == nullptr ||
        !g_variant_is_of_type(given, G_VARIANT_TYPE(filter::pagemessages::kWordsType))) {
        return;
    }
    GVariant* list = g_variant_get_maybe(given);
    if (list == nullptr) {
        return;
    }
    gsize count = 0;
    const gchar** lines = g_variant_get_strv(list, &count);  // the strings stay the variant's
    const std::vector<std::string> taken(lines, lines + count);
    g_free(lines);
    g_variant_unref(list);
    words = std::make_unique<const filter::WordMatcher>(taken);
}

}  // namespace

// A program whose list of words or whose parent's settings change tells the running page
// processes.
gboolean OnMessage(WebKitWebExtension*, WebKitUserMessage* message, gpointer) {
    const char* name = webkit_user_message_get_name(message);
    if (g_strcmp0(name, filter::pagemessages::kWords) == 0) {
        TakeWords(webkit_user_message_get_parameters(message));
    } else if (g_strcmp0(name, filter::pagemessages::kSettings) == 0) {
        TakeSettings(webkit_user_message_get_parameters(message));
    }
    return TRUE;
}

// The program hands over its blocked words and its settings when the web process starts.
// Without a list to check against, every request is refused.
extern "C" G_MODULE_EXPORT void webkit_web_extension_initialize_with_user_data(
    WebKitWebExtension* extension, const GVariant* data) {
    auto* given = const_cast<GVariant*>(data);
    if (given != nullptr &&
        g_variant_is_of_type(given, G_VARIANT_TYPE(filter::pagemessages::kStartType))) {
        GVariant* list = g_variant_get_child_value(given, 0);
        GVariant* taken = g_variant_get_child_value(given, 1);
        TakeWords(list);
        TakeSettings(taken);
        g_variant_unref(list);
        g_variant_unref(taken);
    }
    g_signal_connect(extension, "page-created", G_CALLBACK(OnPageCreated), nullptr);
    g_signal_connect(extension, "user-message-received", G_CALLBACK(OnMessage), nullptr);
    g_signal_connect(webkit_script_world_get_default(), "window-object-cleared",
                     G_CALLBACK(OnWindowObjectCleared), nullptr);
}
