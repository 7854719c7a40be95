#include "browser/SitePictureFinder.h"

#include <wx/image.h>

#include <algorithm>

#include "browser/NavigationGuard.h"
#include "engine/WebView.h"
#include "family/FamilyModel.h"
#include "filter/AllowedSites.h"
#include "storage/Records.h"
#include "storage/SitePictures.h"
#include "widgets/ButtonPicture.h"

namespace browser {

namespace {

// An icon or a sharing image worth a button is far smaller; more is no picture to wait for.
constexpr std::size_t kMaxFetched = 2 * 1024 * 1024;

}  // namespace

SitePictureFinder::SitePictureFinder(family::FamilyModel& family, engine::WebView& view,
                                     NavigationGuard& guard, std::function<void()> found)
    : family_(family), view_(view), guard_(guard), found_(std::move(found)) {}

void SitePictureFinder::LoadEnded() {
    const std::string page = view_.LocationURL();
    if (!family_.SitePictures() || stopped_ || page != reached_ || filter::NeverJudged(page)) {
        return;
    }
    const auto address = ListedSiteOf(page);
    if (!address) {
        return;
    }
    // A picture the parent chose, or "no picture", stands; a site is looked at once a run.
    if (family_.SitePictureStored(*address) || !sought_.insert(*address).second) {
        return;
    }
    view_.FindPagePictures([this, address = *address](std::vector<engine::PagePicture> declared) {
        Try(address, engine::PicturesToTry(std::move(declared)), 0);
    });
}

std::optional<std::string> SitePictureFinder::ListedSiteOf(const std::string& page) const {
    std::vector<std::string> addresses;
    for (const auto& record : family_.Sites()) {
        addresses.push_back(storage::SiteAddress(record));
    }
    // Sections of one host listed as sites of their own each get their own picture.
    const auto best = filter::BestListedSite(page, addresses);
    if (!best) {
        return std::nullopt;
    }
    return addresses[*best];
}

void SitePictureFinder::Try(const std::string& address, std::vector<engine::PagePicture> pictures,
                            std::size_t next) {
    // Judged as every request of the page is: one the filter refuses is never fetched.
    while (next < pictures.size() &&
           !guard_.Judge(pictures[next].url, filter::Kind::SubResource).Opens()) {
        ++next;
    }
    if (next == pictures.size()) {
        Snapshot(address);
        return;
    }
    const engine::PagePicture picture = pictures[next];
    // So is every address a redirect leads the fetch to, before it is asked for.
    auto mayFetch = [this](const std::string& hop) {
        return guard_.Judge(hop, filter::Kind::SubResource).Opens();
    };
    view_.Fetch(picture.url, kMaxFetched, std::move(mayFetch),
                [this, address, picture, pictures = std::move(pictures),
                 next](std::optional<std::string> bytes) mutable {
                    const wxImage image = bytes ? widgets::ImageFromBytes(*bytes) : wxImage();
                    // An icon that declared no size must show the size a button needs.
                    const bool fits =
                        image.IsOk() &&
                        (picture.kind != engine::PagePicture::Kind::Icon ||
                         std::min(image.GetWidth(), image.GetHeight()) >= engine::kMinIconSide);
                    if (!fits || !Store(address, image)) {
                        Try(address, std::move(pictures), next + 1);
                    }
                });
}

void SitePictureFinder::Snapshot(const std::string& address) {
    if (ListedSiteOf(view_.LocationURL()) != address) {
        sought_.erase(address);  // the child went on: looked for at the next visit
        return;
    }
    view_.Snapshot([this, address](wxImage shot) {
        if (!shot.IsOk()) {
            return;
        }
        // The top of the page, at its left, where a site puts its name and its logo.
        const int side = std::min(shot.GetWidth(), shot.GetHeight());
        Store(address, shot.GetSubImage(wxRect(0, 0, side, side)));
    });
}

bool SitePictureFinder::Store(const std::string& address, const wxImage& image) {
    const auto png = widgets::ButtonPicturePng(image, storage::pictures::kMaxBytes);
    if (!png) {
        return false;
    }
    // A parent's choice made meanwhile wins. A failed write is no matter for the child: the
    // site is looked at again in the next run.
    if (family_.AddSitePicture(address, *png).ok) {
        found_();
    }
    return true;
}

}  // namespace browser
