#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

class wxImage;
class wxWebView;

namespace engine {

// What the site buttons' pictures need of WebKitGTK: the page's answer to a script run apart
// from its own, a file fetched the way the engine fetches (its network, proxy and cookies), and
// a picture of what the view shows. Nothing is answered once this is gone.
class WebKitGtkPictures {
public:
    explicit WebKitGtkPictures(wxWebView& view);
    ~WebKitGtkPictures();
    WebKitGtkPictures(const WebKitGtkPictures&) = delete;
    WebKitGtkPictures& operator=(const WebKitGtkPictures&) = delete;

    // The script's answer as text; empty when it failed.
    void RunApart(const std::string& script, std::function<void(std::string)> done);
    void Fetch(const std::string& url, std::size_t maxBytes,
               std::function<void(std::optional<std::string>)> done);
    void Snapshot(std::function<void(wxImage)> done);

    struct State;  // opaque: the engine's types stay out of this header

private:
    State* state_;
};

}  // namespace engine
