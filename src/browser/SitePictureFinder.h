#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/PagePictures.h"

class wxImage;

namespace engine {
class WebView;
}
namespace family {
class FamilyModel;
}

namespace browser {

class NavigationGuard;

// The site buttons' pictures found by themselves: the first time a listed site is reached (with
// site pictures on and nothing stored for it), the best picture its page declares, else a
// picture of the top of that page. Each site is looked at once a run.
class SitePictureFinder {
public:
    SitePictureFinder(family::FamilyModel& family, engine::WebView& view, NavigationGuard& guard,
                      std::function<void()> found);

    void Reached(const std::string& location) { reached_ = location; }
    // The page finished loading.
    void LoadEnded();
    // The window is closing: nothing more is looked for.
    void Stop() { stopped_ = true; }

private:
    void Try(const std::string& address, std::vector<engine::PagePicture> pictures,
             std::size_t next);
    void Snapshot(const std::string& address);
    // The listed site's address `page` belongs to, if any.
    std::optional<std::string> ListedSiteOf(const std::string& page) const;
    // Whether `image` made a picture; it is stored unless the site got one meanwhile.
    bool Store(const std::string& address, const wxImage& image);

    family::FamilyModel& family_;
    engine::WebView& view_;
    NavigationGuard& guard_;
    std::function<void()> found_;
    std::string reached_;           // the page the view last reached
    std::set<std::string> sought_;  // sites whose picture was looked for in this run
    bool stopped_ = false;
};

}  // namespace browser
