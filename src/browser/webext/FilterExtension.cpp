// Runs inside the engine's web process, where every request of a page is made: each one whose
// address holds a blocked word is cancelled before it is sent, whatever asked for it (a page, a
// frame, a redirect hop, a picture, a script's fetch). The few kinds of request that never pass
// this point are closed by guards put into every frame before the page's own scripts run.
#include <webkit2/webkit-web-extension.h>

#include <memory>
#include <string>

#include "browser/ProgramPages.h"
#include "browser/WordList.h"

namespace {

std::unique_ptr<browser::WordList> words;

bool Refused(const char* uri) {
    if (uri == nullptr) {
        return false;
    }
    const std::string address(uri);
    // The program's own pages are made by the program, never fetched, and hold no word.
    if (browser::IsProgramPage(address)) {
        return false;
    }
    return !browser::IsBlankPage(address) && (!words || words->Refuses(address));
}

gboolean OnSendRequest(WebKitWebPage*, WebKitURIRequest* request, WebKitURIResponse*, gpointer) {
    return Refused(webkit_uri_request_get_uri(request)) ? TRUE : FALSE;
}

void OnPageCreated(WebKitWebExtension*, WebKitWebPage* page, gpointer) {
    g_signal_connect(page, "send-request", G_CALLBACK(OnSendRequest), nullptr);
}

// WebSocket connections and beacons are made without passing the page's request signal; a
// service worker or a shared worker fetches for a page outside it too, so pages may start
// neither.
constexpr const char* kGuards = R"JS((function (refused) {
    function absolute(url) {
        try { return new URL(String(url), document.baseURI).href; } catch (e) { return String(url); }
    }
    var Socket = window.WebSocket;
    if (Socket) {
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
    }
    if (window.Navigator && Navigator.prototype.sendBeacon) {
        var beacon = Navigator.prototype.sendBeacon;
        Object.defineProperty(Navigator.prototype, 'sendBeacon', {
            value: function sendBeacon(url) {
                return refused(absolute(url)) ? false : beacon.apply(this, arguments);
            }, writable: false, configurable: false });
    }
    if (window.Navigator && 'serviceWorker' in Navigator.prototype) {
        Object.defineProperty(Navigator.prototype, 'serviceWorker', {
            get: function () { return undefined; }, configurable: false });
    }
    if ('SharedWorker' in window) {
        Object.defineProperty(window, 'SharedWorker', { value: undefined, writable: false,
                                                        configurable: false });
    }
}))JS";

gboolean RefusedFromScript(const char* url, gpointer) {
    return Refused(url) ? TRUE : FALSE;
}

void OnWindowObjectCleared(WebKitScriptWorld* world, WebKitWebPage*, WebKitFrame* frame, gpointer) {
    JSCContext* context = webkit_frame_get_js_context_for_script_world(frame, world);
    JSCValue* guards = jsc_context_evaluate(context, kGuards, -1);
    JSCValue* refused = jsc_value_new_function(context, nullptr, G_CALLBACK(RefusedFromScript),
                                               nullptr, nullptr, G_TYPE_BOOLEAN, 1, G_TYPE_STRING);
    JSCValue* done = jsc_value_function_call(guards, JSC_TYPE_VALUE, refused, G_TYPE_NONE);
    g_clear_object(&done);
    g_object_unref(refused);
    g_object_unref(guards);
    g_object_unref(context);
}

}  // namespace

// A program that switches to another data folder tells the running page processes.
gboolean OnMessage(WebKitWebExtension*, WebKitUserMessage* message, gpointer) {
    GVariant* path = webkit_user_message_get_parameters(message);
    if (g_strcmp0(webkit_user_message_get_name(message), "words") == 0 && path != nullptr &&
        g_variant_is_of_type(path, G_VARIANT_TYPE_STRING)) {
        words = std::make_unique<browser::WordList>(g_variant_get_string(path, nullptr));
    }
    return TRUE;
}

// The program hands over the path of its "words.txt" when the web process starts.
extern "C" G_MODULE_EXPORT void webkit_web_extension_initialize_with_user_data(
    WebKitWebExtension* extension, const GVariant* data) {
    auto* variant = const_cast<GVariant*>(data);
    // Without a list to check against, every request is refused.
    const bool named = variant != nullptr && g_variant_is_of_type(variant, G_VARIANT_TYPE_STRING);
    if (named) {
        words = std::make_unique<browser::WordList>(g_variant_get_string(variant, nullptr));
    }
    g_signal_connect(extension, "page-created", G_CALLBACK(OnPageCreated), nullptr);
    g_signal_connect(extension, "user-message-received", G_CALLBACK(OnMessage), nullptr);
    g_signal_connect(webkit_script_world_get_default(), "window-object-cleared",
                     G_CALLBACK(OnWindowObjectCleared), nullptr);
}
