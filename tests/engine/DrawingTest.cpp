#include <gtest/gtest.h>

#include "engine/WebKitGtkDrawing.h"

namespace {

using engine::WebKitGtkDrawing;

bool WaylandSocketThere(const std::string& path) {
    return path == "/run/user/1000/wayland-0";
}

// Turning the toolkit's GL off is only ever right on X: a Wayland session draws through it.
TEST(Drawing, GlIsLeftAloneWhereverTheToolkitMayOpenWayland) {
    const struct {
        std::optional<std::string> backend, waylandDisplay, runtimeDir;
        bool opensX;
    } cases[] = {
        {"x11", std::nullopt, std::nullopt, true},
        {"x11,wayland", "wayland-0", "/run/user/1000", true},
        {"wayland,x11", std::nullopt, std::nullopt, false},
        {"*", std::nullopt, std::nullopt, false},
        {"x11wayland", std::nullopt, std::nullopt, false},
        {std::nullopt, "wayland-1", "/run/user/1000", false},
        // Unnamed, the compositor is looked for at its default socket.
        {std::nullopt, std::nullopt, "/run/user/1000", false},
        {std::nullopt, std::nullopt, "/run/user/1001", true},
        {std::nullopt, std::nullopt, std::nullopt, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.backend.value_or("-") + " " + c.waylandDisplay.value_or("-") + " " +
                     c.runtimeDir.value_or("-"));
        EXPECT_EQ(WebKitGtkDrawing::OpensX({c.backend, c.waylandDisplay, c.runtimeDir},
                                           WaylandSocketThere),
                  c.opensX);
    }
}

}  // namespace
