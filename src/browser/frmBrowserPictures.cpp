// The site buttons' pictures found by themselves: the first time a listed site is reached, the
// best picture its page declares, else a picture of the top of that page.
#include <wx/image.h>

#include <algorithm>

#include "browser/frmBrowser.h"
#include "filter/AllowedSites.h"
#include "storage/Records.h"
#include "storage/SitePictures.h"
#include "widgets/ButtonPicture.h"

namespace browser {

namespace {

// An icon or a sharing image worth a button is far smaller; more is no picture to wait for.
constexpr std::size_t kMaxFetched = 2 * 1024 * 1024;

}  // namespace

void frmBrowser::FindSitePicture() {
    auto& family = context_.Family();
    const std::string page = web_->LocationURL();
    if (!family.SitePictures() || closing_ || page != reached_ || filter::NeverJudged(page)) {
        return;
    }
    for (const auto& record : family.Sites()) {
        const std::string address = storage::SiteAddress(record);
        if (!filter::IsAllowedSite(page, {address})) {
            continue;
        }
        // A picture the parent chose, or "no picture", stands; a site is looked at once a run.
        if (family.SitePictureStored(address) || !picturesSought_.insert(address).second) {
            return;
        }
        web_->FindPagePictures([this, address](std::vector<engine::PagePicture> declared) {
            TrySitePictures(address, engine::PicturesToTry(std::move(declared)), 0);
        });
        return;
    }
}

void frmBrowser::TrySitePictures(const std::string& address,
                                 std::vector<engine::PagePicture> pictures, std::size_t next) {
    // Judged as every request of the page is: one the filter refuses is never fetched.
    while (next < pictures.size() &&
           !Judge(pictures[next].url, filter::Kind::SubResource).Opens()) {
        ++next;
    }
    if (next == pictures.size()) {
        SnapshotSitePicture(address);
        return;
    }
    const engine::PagePicture picture = pictures[next];
    // So is every address a redirect leads the fetch to, before it is asked for.
    auto mayFetch = [this](const std::string& hop) {
        return Judge(hop, filter::Kind::SubResource).Opens();
    };
    web_->Fetch(picture.url, kMaxFetched, std::move(mayFetch),
                [this, address, picture, pictures = std::move(pictures),
                 next](std::optional<std::string> bytes) mutable {
                    const wxImage image = bytes ? widgets::ImageFromBytes(*bytes) : wxImage();
                    // An icon that declared no size must show the size a button needs.
                    const bool fits =
                        image.IsOk() &&
                        (picture.kind != engine::PagePicture::Kind::Icon ||
                         std::min(image.GetWidth(), image.GetHeight()) >= engine::kMinIconSide);
                    if (!fits || !StoreSitePicture(address, image)) {
                        TrySitePictures(address, std::move(pictures), next + 1);
                    }
                });
}

void frmBrowser::SnapshotSitePicture(const std::string& address) {
    if (!filter::IsAllowedSite(web_->LocationURL(), {address})) {
        picturesSought_.erase(address);  // the child went on: looked for at the next visit
        return;
    }
    web_->Snapshot([this, address](wxImage shot) {
        if (!shot.IsOk()) {
            return;
        }
        // The top of the page, at its left, where a site puts its name and its logo.
        const int side = std::min(shot.GetWidth(), shot.GetHeight());
        StoreSitePicture(address, shot.GetSubImage(wxRect(0, 0, side, side)));
    });
}

bool frmBrowser::StoreSitePicture(const std::string& address, const wxImage& image) {
    const auto png = widgets::ButtonPicturePng(image, storage::pictures::kMaxBytes);
    if (!png) {
        return false;
    }
    // A parent's choice made meanwhile wins. A failed write is no matter for the child: the
    // site is looked at again in the next run.
    if (context_.Family().AddSitePicture(address, *png).ok) {
        ShowWorkingSites();
    }
    return true;
}

}  // namespace browser
