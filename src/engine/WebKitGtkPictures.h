#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

class wxImage;
class wxWebView;

namespace engine {

// What the site buttons' pictures need of WebKitGTK: the page's answer to a script run apart
// from its own, a file fetched as the engine fetches (the system's proxy, the engine's cookies
// and user agent) with every redirect judged before it is followed, and a picture of what the
// view shows. Nothing is answered once this is gone.
class WebKitGtkPictures {
public:
    // The engine cannot say which proxy it was given: whoever gives it one gives the fetches of
    // the adapters made after that the same ("" for the system's, the engine's default too).
    static void FetchThrough(const std::string& proxy);

    explicit WebKitGtkPictures(wxWebView& view);
    ~WebKitGtkPictures();
    WebKitGtkPictures(const WebKitGtkPictures&) = delete;
    WebKitGtkPictures& operator=(const WebKitGtkPictures&) = delete;

    // The script's answer as text; empty when it failed.
    void RunApart(const std::string& script, std::function<void(std::string)> done);
    void Fetch(const std::string& url, std::size_t maxBytes,
               std::function<bool(const std::string& hop)> mayFetch,
               std::function<void(std::optional<std::string>)> done);
    void Snapshot(std::function<void(wxImage)> done);

    struct State;  // opaque: the engine's types stay out of this header

private:
    State* state_;
};

}  // namespace engine
