#pragma once

class wxWebView;

namespace engine {

// Keeps the engine's content blocker of one WebKitGTK view refusing the WebSocket connections
// whose address holds a blocked word: those that a page's workers open pass no other check.
// The word list the page processes are given is looked at every second, and the rules follow it
// when it changes.
class WebKitGtkSockets {
public:
    explicit WebKitGtkSockets(wxWebView& view);
    ~WebKitGtkSockets();
    WebKitGtkSockets(const WebKitGtkSockets&) = delete;
    WebKitGtkSockets& operator=(const WebKitGtkSockets&) = delete;

    struct State;  // opaque: the engine's types stay out of this header

private:
    State* state_;
};

}  // namespace engine
