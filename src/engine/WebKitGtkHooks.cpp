#include "engine/WebKitGtkHooks.h"

#include <gmodule.h>
#include <gtk/gtk.h>
#include <webkit2/webkit2.h>
#include <wx/filename.h>
#include <wx/stdpaths.h>
#include <wx/webview.h>

#include <memory>
#include <set>
#include <vector>

#include "engine/WebKitGtkDrawing.h"
#include "filter/PageMessages.h"

namespace engine {

struct WebKitGtkHooks::State {
    WebKitWebView* view = nullptr;
    WebKitWebContext* context = nullptr;
    WebKitUserContentManager* content = nullptr;
    gulong downloadHandler = 0;
    Calls calls;
    bool leaving = false;  // the page is being left without its asking
};

namespace {

using State = WebKitGtkHooks::State;

// Menu entries that stay inside the window: editing, the page's own history, copying, spelling
// and media controls. Anything else, including entries a later engine adds, is removed.
bool StaysInside(WebKitContextMenuAction action) {
    static const std::set<WebKitContextMenuAction> kInside = {
        WEBKIT_CONTEXT_MENU_ACTION_GO_BACK,
        WEBKIT_CONTEXT_MENU_ACTION_GO_FORWARD,
        WEBKIT_CONTEXT_MENU_ACTION_STOP,
        WEBKIT_CONTEXT_MENU_ACTION_RELOAD,
        WEBKIT_CONTEXT_MENU_ACTION_COPY,
        WEBKIT_CONTEXT_MENU_ACTION_CUT,
        WEBKIT_CONTEXT_MENU_ACTION_PASTE,
        WEBKIT_CONTEXT_MENU_ACTION_PASTE_AS_PLAIN_TEXT,
        WEBKIT_CONTEXT_MENU_ACTION_DELETE,
        WEBKIT_CONTEXT_MENU_ACTION_SELECT_ALL,
        WEBKIT_CONTEXT_MENU_ACTION_INPUT_METHODS,
        WEBKIT_CONTEXT_MENU_ACTION_UNICODE,
        WEBKIT_CONTEXT_MENU_ACTION_INSERT_EMOJI,
        WEBKIT_CONTEXT_MENU_ACTION_SPELLING_GUESS,
        WEBKIT_CONTEXT_MENU_ACTION_NO_GUESSES_FOUND,
        WEBKIT_CONTEXT_MENU_ACTION_IGNORE_SPELLING,
        WEBKIT_CONTEXT_MENU_ACTION_LEARN_SPELLING,
        WEBKIT_CONTEXT_MENU_ACTION_IGNORE_GRAMMAR,
        WEBKIT_CONTEXT_MENU_ACTION_FONT_MENU,
        WEBKIT_CONTEXT_MENU_ACTION_BOLD,
        WEBKIT_CONTEXT_MENU_ACTION_ITALIC,
        WEBKIT_CONTEXT_MENU_ACTION_UNDERLINE,
        WEBKIT_CONTEXT_MENU_ACTION_OUTLINE,
        WEBKIT_CONTEXT_MENU_ACTION_COPY_LINK_TO_CLIPBOARD,
        WEBKIT_CONTEXT_MENU_ACTION_COPY_IMAGE_TO_CLIPBOARD,
        WEBKIT_CONTEXT_MENU_ACTION_COPY_IMAGE_URL_TO_CLIPBOARD,
        WEBKIT_CONTEXT_MENU_ACTION_COPY_VIDEO_LINK_TO_CLIPBOARD,
        WEBKIT_CONTEXT_MENU_ACTION_COPY_AUDIO_LINK_TO_CLIPBOARD,
        WEBKIT_CONTEXT_MENU_ACTION_TOGGLE_MEDIA_CONTROLS,
        WEBKIT_CONTEXT_MENU_ACTION_TOGGLE_MEDIA_LOOP,
        WEBKIT_CONTEXT_MENU_ACTION_MEDIA_PLAY,
        WEBKIT_CONTEXT_MENU_ACTION_MEDIA_PAUSE,
        WEBKIT_CONTEXT_MENU_ACTION_MEDIA_MUTE,
    };
    return kInside.count(action) > 0;
}

// Keeps the entries that stay inside; a separator survives only between two kept entries.
// Returns whether anything is left.
bool KeepInsideEntries(WebKitContextMenu* menu) {
    std::vector<WebKitContextMenuItem*> doomed;
    bool lastKeptIsSeparator = true;  // a leading separator goes too
    WebKitContextMenuItem* lastKept = nullptr;
    for (GList* node = webkit_context_menu_get_items(menu); node != nullptr; node = node->next) {
        auto* item = static_cast<WebKitContextMenuItem*>(node->data);
        bool keep;
        if (webkit_context_menu_item_is_separator(item)) {
            keep = !lastKeptIsSeparator;
        } else if (WebKitContextMenu* sub = webkit_context_menu_item_get_submenu(item)) {
            keep = KeepInsideEntries(sub);
        } else {
            keep = StaysInside(webkit_context_menu_item_get_stock_action(item));
        }
        if (keep) {
            lastKept = item;
            lastKeptIsSeparator = webkit_context_menu_item_is_separator(item);
        } else {
            doomed.push_back(item);
        }
    }
    if (lastKept != nullptr && lastKeptIsSeparator) {
        doomed.push_back(lastKept);
    }
    for (WebKitContextMenuItem* item : doomed) {
        webkit_context_menu_remove(menu, item);
    }
    return webkit_context_menu_get_n_items(menu) > 0;
}

gboolean OnContextMenu(WebKitWebView*, WebKitContextMenu* menu, GdkEvent*, WebKitHitTestResult*,
                       gpointer) {
    // Nothing left: no menu at all rather than an empty one.
    return KeepInsideEntries(menu) ? FALSE : TRUE;
}

// A page's window.open or a link into a new window: no second view is made; the address is
// handed on so that it opens here, through the filter.
GtkWidget* OnCreate(WebKitWebView*, WebKitNavigationAction* action, gpointer data) {
    auto* state = static_cast<State*>(data);
    const gchar* uri = webkit_uri_request_get_uri(webkit_navigation_action_get_request(action));
    if (uri != nullptr && *uri != '\0' && state->calls.newWindow) {
        state->calls.newWindow(uri);
    }
    return nullptr;
}

void OnDownloadStarted(WebKitWebContext*, WebKitDownload* download, gpointer data) {
    auto* state = static_cast<State*>(data);
    // The context is shared by every view of the process; only this view's downloads are ours.
    if (webkit_download_get_web_view(download) == state->view) {
        webkit_download_cancel(download);
    }
}

// window.open takes the engine's path for new views, which this engine aborts the whole process
// on when the page names no window features; document.open with three arguments is window.open
// under another name. Both are replaced, in every frame before any of the page's own scripts
// run, by one that hands the address over here.
constexpr const char* kOpenHandler = "lanternwickOpen";
constexpr const char* kOpenHere = R"JS((function () {
    var handlers = window.webkit && window.webkit.messageHandlers;
    var post = handlers && handlers.lanternwickOpen;
    if (!post) { return; }
    var openHere = function open(url) {
        if (url !== undefined && url !== null && String(url) !== '') {
            post.postMessage(new URL(String(url), document.baseURI).href);
        }
        return null;
    };
    window.open = openHere;
    var documentOpen = Document.prototype.open;
    Document.prototype.open = function open() {
        return arguments.length > 2 ? openHere(arguments[0])
                                    : documentOpen.apply(this, arguments);
    };
})();)JS";

void OnOpenMessage(WebKitUserContentManager*, WebKitJavascriptResult* result, gpointer data) {
    auto* state = static_cast<State*>(data);
    JSCValue* value = webkit_javascript_result_get_js_value(result);
    if (!jsc_value_is_string(value) || !state->calls.newWindow) {
        return;
    }
    gchar* url = jsc_value_to_string(value);
    state->calls.newWindow(url);
    g_free(url);
}

gboolean OnPrint(WebKitWebView*, WebKitPrintOperation*, gpointer) {
    return TRUE;  // the print dialog is a window of its own, with a file chooser behind it
}

// The engine's choosers and its password and permission prompts would each be a window of its
// own over the browser; a file chooser could even browse the program's folder. All are refused.
gboolean OnFileChooser(WebKitWebView*, WebKitFileChooserRequest* request, gpointer) {
    webkit_file_chooser_request_cancel(request);
    return TRUE;
}

gboolean OnColorChooser(WebKitWebView*, WebKitColorChooserRequest* request, gpointer) {
    webkit_color_chooser_request_cancel(request);
    return TRUE;
}

gboolean OnAuthenticate(WebKitWebView*, WebKitAuthenticationRequest* request, gpointer) {
    webkit_authentication_request_cancel(request);
    return TRUE;
}

gboolean OnPermission(WebKitWebView*, WebKitPermissionRequest* request, gpointer) {
    webkit_permission_request_deny(request);
    return TRUE;
}

gboolean OnScriptDialog(WebKitWebView*, WebKitScriptDialog* dialog, gpointer data) {
    auto* state = static_cast<State*>(data);
    if (!state->leaving || webkit_script_dialog_get_dialog_type(dialog) !=
                               WEBKIT_SCRIPT_DIALOG_BEFORE_UNLOAD_CONFIRM) {
        return FALSE;
    }
    webkit_script_dialog_confirm_set_confirmed(dialog, TRUE);
    return TRUE;
}

void OnLoadChanged(WebKitWebView*, WebKitLoadEvent event, gpointer data) {
    // The page asks, if it asks, before the next load starts; after that it is gone.
    if (event == WEBKIT_LOAD_STARTED) {
        static_cast<State*>(data)->leaving = false;
    }
}

void OnProcessTerminated(WebKitWebView*, WebKitWebProcessTerminationReason, gpointer data) {
    auto* state = static_cast<State*>(data);
    if (state->calls.contentGone) {
        state->calls.contentGone();
    }
}

// The filter of the page processes, from the "webext" folder beside the program, the words it
// is to use and the parent's settings it judges pages and frames by. Page processes already
// running learn of a change by message.
struct PageWords {
    std::unique_ptr<filter::WordList> list;
    std::string file;
    filter::ListState state = filter::ListState::Missing;
    unsigned long seen = 0;  // the list's generation last sent
    unsigned long version = 0;
};

PageWords& Words() {
    static PageWords words;
    return words;
}

// Whether the list changed since it was last looked at.
bool RefreshWords() {
    PageWords& words = Words();
    if (!words.list) {
        return false;
    }
    words.state = filter::LookAt(*words.list).state;
    if (words.list->Generation() == words.seen) {
        return false;
    }
    words.seen = words.list->Generation();
    ++words.version;
    return true;
}

// Nothing without a list to judge by, which the page process answers by refusing everything.
GVariant* WordsVariant() {
    const PageWords& words = Words();
    if (!words.list || words.state != filter::ListState::Present) {
        return g_variant_new_maybe(G_VARIANT_TYPE_STRING_ARRAY, nullptr);
    }
    GVariantBuilder lines;
    g_variant_builder_init(&lines, G_VARIANT_TYPE_STRING_ARRAY);
    for (const std::string& line : words.list->Lines()) {
        g_variant_builder_add(&lines, "s", line.c_str());
    }
    return g_variant_new_maybe(nullptr, g_variant_builder_end(&lines));
}

filter::Settings& FilterSettings() {
    static filter::Settings settings;
    return settings;
}

// The page process reads the same layout: the switch, then the allowed addresses.
GVariant* SettingsVariant(const filter::Settings& settings) {
    GVariantBuilder addresses;
    g_variant_builder_init(&addresses, G_VARIANT_TYPE_STRING_ARRAY);
    for (const std::string& address : settings.allowedAddresses) {
        g_variant_builder_add(&addresses, "s", address.c_str());
    }
    return g_variant_new(filter::pagemessages::kSettingsType,
                         settings.allowedSitesOnly ? TRUE : FALSE, &addresses,
                         settings.programKey.c_str());
}

void OnInitializeExtensions(WebKitWebContext* context, gpointer) {
    webkit_web_context_set_web_extensions_directory(context,
                                                    WebKitGtkHooks::FilterFolder().c_str());
    // A process may start while a change to the list is still unseen: the others hear of it too.
    WebKitGtkHooks::KeepWordsCurrent();
    GVariant* both[] = {WordsVariant(), SettingsVariant(FilterSettings())};
    webkit_web_context_set_web_extensions_initialization_user_data(context,
                                                                   g_variant_new_tuple(both, 2));
}

// A load stopped on purpose (a refusal, a download, Stop) is no failure of the page.
bool Stopped(const GError* error) {
    return error == nullptr ||
           g_error_matches(error, WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_CANCELLED) ||
           g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED) ||
           error->domain == WEBKIT_POLICY_ERROR || error->domain == WEBKIT_DOWNLOAD_ERROR ||
           error->domain == WEBKIT_PLUGIN_ERROR;
}

gboolean OnLoadFailed(WebKitWebView*, WebKitLoadEvent, gchar* uri, GError* error, gpointer data) {
    auto* state = static_cast<State*>(data);
    if (Stopped(error) || uri == nullptr || !state->calls.loadFailed) {
        return FALSE;
    }
    // TRUE keeps the engine's own error page, in English and full of details, off the screen.
    return state->calls.loadFailed(uri) ? TRUE : FALSE;
}

// A page the page process refused itself, with nothing of it sent.
gboolean OnPageProcessMessage(WebKitWebView*, WebKitUserMessage* message, gpointer data) {
    auto* state = static_cast<State*>(data);
    GVariant* url = webkit_user_message_get_parameters(message);
    if (g_strcmp0(webkit_user_message_get_name(message), filter::pagemessages::kRefused) != 0 ||
        url == nullptr ||
        !g_variant_is_of_type(url, G_VARIANT_TYPE(filter::pagemessages::kRefusedType))) {
        return FALSE;
    }
    if (state->calls.pageRefused) {
        state->calls.pageRefused(g_variant_get_string(url, nullptr));
    }
    return TRUE;
}

}  // namespace

namespace {
std::string& FilterProgramFolder() {
    static std::string folder;
    return folder;
}
}  // namespace

void WebKitGtkHooks::FilterBeside(std::string programFolder) {
    FilterProgramFolder() = std::move(programFolder);
}

std::string WebKitGtkHooks::FilterFolder() {
    if (!FilterProgramFolder().empty()) {
        return FilterProgramFolder() + "/webext";
    }
    return (wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPathWithSep() + "webext")
        .utf8_string();
}

bool WebKitGtkHooks::FilterLoadable(const std::string& folder) {
    gchar* path = g_build_filename(folder.c_str(), "lanternwick-filter.so", nullptr);
    // Opened the way the page process opens it; its entry point tells it from another file
    // that merely has the name.
    GModule* module =
        g_module_open(path, static_cast<GModuleFlags>(G_MODULE_BIND_LAZY | G_MODULE_BIND_LOCAL));
    g_free(path);
    gpointer entry = nullptr;
    const bool loadable =
        module != nullptr &&
        g_module_symbol(module, "webkit_web_extension_initialize_with_user_data", &entry) &&
        entry != nullptr;
    if (module != nullptr) {
        g_module_close(module);
    }
    return loadable;
}

void WebKitGtkHooks::FilterEveryRequest(WordSource words) {
    WebKitWebContext* context = webkit_web_context_get_default();
    static bool connected = false;
    if (!connected) {
        connected = true;
        // After the toolkit's own handler, which hands its own extension its own data: the page
        // processes load this program's filter instead. (The toolkit's extension serves only
        // selection and DOM calls that this program does not make.)
        g_signal_connect_after(context, "initialize-web-extensions",
                               G_CALLBACK(OnInitializeExtensions), nullptr);
    }
    PageWords& now = Words();
    if (now.list && now.file == words.file) {
        return;
    }
    now.file = words.file;
    now.list = std::make_unique<filter::WordList>(std::move(words.file), std::move(words.read),
                                                  filter::WordList::Keep::Lines);
    now.seen = 0;
    KeepWordsCurrent();
}

void WebKitGtkHooks::KeepWordsCurrent() {
    if (RefreshWords()) {
        webkit_web_context_send_message_to_all_extensions(
            webkit_web_context_get_default(),
            webkit_user_message_new(filter::pagemessages::kWords, WordsVariant()));
    }
}

WebKitGtkHooks::WordsNow WebKitGtkHooks::CurrentWords() {
    static const std::vector<std::string> none;
    const PageWords& words = Words();
    return {words.state, words.list ? words.list->Lines() : none, words.version};
}

void WebKitGtkHooks::JudgeBy(const filter::Settings& settings) {
    FilterSettings() = settings;
    webkit_web_context_send_message_to_all_extensions(
        webkit_web_context_get_default(),
        webkit_user_message_new(filter::pagemessages::kSettings, SettingsVariant(settings)));
}

WebKitGtkHooks::WebKitGtkHooks(wxWebView& view, Calls calls) : state_(new State) {
    auto* web = static_cast<WebKitWebView*>(view.GetNativeBackend());
    state_->view = WEBKIT_WEB_VIEW(g_object_ref(web));
    state_->calls = std::move(calls);

    // The toolkit's own answer to a request for a new view is replaced: no second view is ever
    // made, the address is opened here instead.
    g_signal_handlers_disconnect_matched(web, G_SIGNAL_MATCH_ID,
                                         g_signal_lookup("create", WEBKIT_TYPE_WEB_VIEW), 0,
                                         nullptr, nullptr, nullptr);
    g_signal_connect(web, "create", G_CALLBACK(OnCreate), state_);
    g_signal_connect(web, "context-menu", G_CALLBACK(OnContextMenu), state_);
    g_signal_connect(web, "print", G_CALLBACK(OnPrint), state_);
    g_signal_connect(web, "run-file-chooser", G_CALLBACK(OnFileChooser), state_);
    g_signal_connect(web, "run-color-chooser", G_CALLBACK(OnColorChooser), state_);
    g_signal_connect(web, "authenticate", G_CALLBACK(OnAuthenticate), state_);
    g_signal_connect(web, "permission-request", G_CALLBACK(OnPermission), state_);
    g_signal_connect(web, "web-process-terminated", G_CALLBACK(OnProcessTerminated), state_);
    g_signal_connect(web, "user-message-received", G_CALLBACK(OnPageProcessMessage), state_);
    g_signal_connect(web, "load-failed", G_CALLBACK(OnLoadFailed), state_);
    g_signal_connect(web, "script-dialog", G_CALLBACK(OnScriptDialog), state_);
    g_signal_connect(web, "load-changed", G_CALLBACK(OnLoadChanged), state_);

    state_->content =
        WEBKIT_USER_CONTENT_MANAGER(g_object_ref(webkit_web_view_get_user_content_manager(web)));
    webkit_user_content_manager_register_script_message_handler(state_->content, kOpenHandler);
    const std::string received = std::string("script-message-received::") + kOpenHandler;
    g_signal_connect(state_->content, received.c_str(), G_CALLBACK(OnOpenMessage), state_);
    WebKitUserScript* openHere =
        webkit_user_script_new(kOpenHere, WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES,
                               WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, nullptr, nullptr);
    webkit_user_content_manager_add_script(state_->content, openHere);
    webkit_user_script_unref(openHere);

    state_->context = WEBKIT_WEB_CONTEXT(g_object_ref(webkit_web_view_get_context(web)));
    state_->downloadHandler = g_signal_connect(state_->context, "download-started",
                                               G_CALLBACK(OnDownloadStarted), state_);

    // A dropped link or file would open whatever it names, bypassing every page of the site
    // list; the view takes no drops at all.
    gtk_drag_dest_unset(GTK_WIDGET(web));

    WebKitSettings* settings = webkit_web_view_get_settings(web);
    webkit_settings_set_enable_developer_extras(settings, FALSE);
    webkit_settings_set_javascript_can_open_windows_automatically(settings, FALSE);
    // Without a compositing manager (a plain X window manager, or none at all in the child's
    // whole session) a grey band would lie over the child's page after every login.
    if (WebKitGtkDrawing::WithoutCompositing(gtk_widget_get_screen(GTK_WIDGET(web)))) {
        webkit_settings_set_hardware_acceleration_policy(settings,
                                                         WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER);
    }
}

void WebKitGtkHooks::LeaveWithoutAsking() {
    state_->leaving = true;
}

WebKitGtkHooks::~WebKitGtkHooks() {
    g_signal_handlers_disconnect_by_data(state_->view, state_);
    g_signal_handler_disconnect(state_->context, state_->downloadHandler);
    g_signal_handlers_disconnect_by_data(state_->content, state_);
    webkit_user_content_manager_unregister_script_message_handler(state_->content, kOpenHandler);
    g_object_unref(state_->content);
    g_object_unref(state_->context);
    g_object_unref(state_->view);
    delete state_;
}

}  // namespace engine
