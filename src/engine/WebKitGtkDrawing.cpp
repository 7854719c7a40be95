#include "engine/WebKitGtkDrawing.h"

#include <X11/Xlib.h>
#include <gtk/gtk.h>
#include <sys/stat.h>

#include <cstdlib>

namespace engine {

namespace {

std::optional<std::string> Variable(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    return std::string(value);
}

bool IsSocket(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
}

// The selection a compositing manager holds for as long as it runs; the toolkit asks the same.
bool Composited(Display* display) {
    const std::string name = "_NET_WM_CM_S" + std::to_string(DefaultScreen(display));
    const Atom selection = XInternAtom(display, name.c_str(), False);
    return XGetSelectionOwner(display, selection) != None;
}

// Kept open until the toolkit has its own: Xvfb has been seen to refuse a connection made the
// moment another one of the same program closed.
Display*& AskingConnection() {
    static Display* display = nullptr;
    return display;
}

// What the display answered before the toolkit started, where it was asked.
std::optional<bool>& ComposedEarly() {
    static std::optional<bool> composited;
    return composited;
}

}  // namespace

bool WebKitGtkDrawing::OpensX(const Environment& environment,
                              bool (*socketExists)(const std::string& path)) {
    if (environment.gdkBackend) {
        // The first backend named is the one tried first; "*" and Wayland may find a compositor.
        const std::string& backends = *environment.gdkBackend;
        return backends.compare(0, backends.find(','), "x11") == 0;
    }
    // Without a choice the toolkit tries Wayland first, at its default socket when none is named.
    if (environment.waylandDisplay) {
        return false;
    }
    return !environment.runtimeDir || !socketExists(*environment.runtimeDir + "/wayland-0");
}

void WebKitGtkDrawing::BeforeToolkit() {
    const Environment environment{Variable("GDK_BACKEND"), Variable("WAYLAND_DISPLAY"),
                                  Variable("XDG_RUNTIME_DIR")};
    if (!OpensX(environment, IsSocket)) {
        return;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return;  // the toolkit will say why it cannot open it either
    }
    AskingConnection() = display;
    ComposedEarly() = Composited(display);
    if (*ComposedEarly()) {
        return;
    }
    // Here the view draws the page without the engine's compositing, so the GL the toolkit
    // loads to choose its visuals and the engine loads to share buffers is never used; where the
    // only GL is the software one, loading it delays the first page by some 50 ms. A value the
    // user set stays.
    g_setenv("GDK_GL", "disable", FALSE);
    g_setenv("WEBKIT_DISABLE_DMABUF_RENDERER", "1", FALSE);
}

bool WebKitGtkDrawing::WithoutCompositing(GdkScreen* screen) {
    // The early answer holds even if a compositing manager started since: the toolkit's GL is
    // off for this run.
    if (ComposedEarly()) {
        return !*ComposedEarly();
    }
    return screen != nullptr && !gdk_screen_is_composited(screen);
}

void WebKitGtkDrawing::BeforeFirstView() {
    if (AskingConnection() != nullptr) {
        XCloseDisplay(AskingConnection());
        AskingConnection() = nullptr;
    }
}

}  // namespace engine
