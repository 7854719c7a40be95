#pragma once

#include <functional>
#include <optional>
#include <string>

#include "basics/Twips.h"
#include "browser/TimeLook.h"
#include "i18n/CaptionTables.h"

class wxWindow;

namespace context {
class WindowContext;
}
namespace engine {
class WebView;
}

namespace browser {

class NavigationGuard;
class PictureBox;

// The daily time limit and the day's times as the child meets them: the clock on the band, the
// notice five minutes before the end, and the cover over the page and the site panel once the
// model says the time is up or the day's times are over. The cover lifts when the model says so and
// no parent is in the panel. Without any limit stored nothing of it shows.
class TimeCover {
public:
    struct Controls {
        PictureBox* clock;   // imgklok
        PictureBox* notice;  // imgmelding
        PictureBox* cover;   // imgtijdop
        wxWindow* page;      // the page's rectangle, which the site panel shares
    };
    // What the cover asks of the rest of the window.
    struct Window {
        std::function<void()> closeSitePanel;
        std::function<void(bool)> enableVisit;  // the visit button, as the time allows
        std::function<std::string()> startAddress;
        std::function<void(const std::string&)> open;  // through the checks of the address box
        std::function<void(const std::string&)> say;   // read aloud, where that is on
    };

    TimeCover(context::WindowContext& context, engine::WebView& view, NavigationGuard& guard,
              const basics::TwipScale& scale, Controls controls, Window window);

    void Start();              // at the window's load
    void Tick(bool counting);  // every tick of tmrcheck
    void ShowState();          // the model's limit or used time changed
    void Place();              // the window's size changed
    void SetLanguage(std::optional<i18n::Language> language) { language_ = language; }
    void SaveUsedTime(bool counting);

    // The cover is on: nothing may be opened until it lifts.
    bool On() const { return back_.has_value(); }
    // The help page a parent asked for shows over the cover; any other page brings it back.
    void ShowHelpOver();
    void PageReached(bool help);
    const TimeLook& Shown() const { return shownLook_; }

private:
    void Cover();
    void Uncover();
    std::string TimeUpText() const;

    context::WindowContext& context_;
    engine::WebView& view_;
    NavigationGuard& guard_;
    const basics::TwipScale& scale_;
    Controls controls_;
    Window window_;
    std::optional<i18n::Language> language_;
    TimeLook shownLook_;
    int noticeTicks_ = 0;  // ticks the notice stays up
    // While the cover is on: where the child was, opened again when it lifts.
    std::optional<std::string> back_;
    std::string coverText_;  // the sentence the cover shows
};

}  // namespace browser
