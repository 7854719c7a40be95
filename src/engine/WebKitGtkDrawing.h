#pragma once

#include <optional>
#include <string>

typedef struct _GdkScreen GdkScreen;

namespace engine {

// How WebKitGTK draws, set up so that the first page waits as little as possible for it.
class WebKitGtkDrawing {
public:
    // The environment the toolkit and the engine read their drawing choices from.
    struct Environment {
        std::optional<std::string> gdkBackend;      // GDK_BACKEND
        std::optional<std::string> waylandDisplay;  // WAYLAND_DISPLAY
        std::optional<std::string> runtimeDir;      // XDG_RUNTIME_DIR
    };
    // Whether the toolkit will surely open an X display rather than a Wayland one.
    // `socketExists` answers for a path whether a Wayland compositor listens there.
    static bool OpensX(const Environment& environment,
                       bool (*socketExists)(const std::string& path));

    // Called before the toolkit starts. Where it will open an X display without a compositing
    // manager, on which the view draws the page without the engine's compositing
    // (WebKitGtkHooks), neither the toolkit nor the engine's buffer sharing sets up GL.
    static void BeforeToolkit();
    // Called before the first view is made, once the toolkit has its display.
    static void BeforeFirstView();
    // Whether views draw pages without the engine's compositing: on a display that no
    // compositing manager composites. Without one, the engine's composited drawing leaves what a
    // closed dialog uncovered unpainted until the page draws again.
    static bool WithoutCompositing(GdkScreen* screen);
};

}  // namespace engine
