#include "browser/SitePanel.h"

#include <wx/window.h>

#include <algorithm>
#include <optional>

#include "browser/ToolbarArt.h"
#include "family/FamilyModel.h"
#include "storage/Records.h"
#include "widgets/ButtonPicture.h"
#include "widgets/ChameleonButton.h"

namespace browser {

SitePanel::SitePanel(family::FamilyModel& family, wxWindow& backdrop, Buttons buttons, Place place,
                     Say say)
    : family_(family),
      backdrop_(backdrop),
      buttons_(buttons),
      place_(std::move(place)),
      say_(std::move(say)),
      plainFont_(buttons[0]->ButtonFont()) {
    hold_.SetOwner(&backdrop_, wxWindow::NewControlId());
    backdrop_.Bind(
        wxEVT_TIMER, [this](wxTimerEvent&) { Held(); }, hold_.GetId());
    backdrop_.Bind(wxEVT_MOTION, [this](wxMouseEvent& event) {
        Hovered(0);
        event.Skip();
    });
    for (int n = 1; n <= kSiteButtons; ++n) {
        Button(n).MouseMove = [this, n](std::int16_t&, std::int16_t&, float&, float&) {
            Hovered(n);
        };
        Button(n).Bind(wxEVT_SET_FOCUS, [this, n](wxFocusEvent& event) {
            Focused(n);
            event.Skip();
        });
    }
}

namespace {
constexpr int kHoldMs = 700;  // a pointer resting, not passing over
}  // namespace

void SitePanel::Hovered(int n) {
    if (n == hovered_) {
        return;
    }
    hovered_ = n;
    spoken_ = 0;
    hold_.Stop();
    if (n != 0 && Tiles()) {
        hold_.StartOnce(kHoldMs);
    }
}

void SitePanel::Held() {
    if (hovered_ != 0 && spoken_ != hovered_ && IsOpen() && Button(hovered_).IsShown()) {
        spoken_ = hovered_;
        say_(storage::SiteName(records_.at(hovered_ - 1)));
    }
}

void SitePanel::Focused(int n) {
    if (Tiles() && IsOpen() && Button(n).IsShown()) {
        say_(storage::SiteName(records_.at(n - 1)));
    }
}

bool SitePanel::Tiles() const {
    return family_.SitePictures();
}

void SitePanel::Arrange() {
    if (!Tiles()) {
        for (int n = 1; n <= kSiteButtons; ++n) {
            Button(n).SetPictureAbove(0);
            Button(n).SetButtonFont(plainFont_);
            place_(&Button(n), SiteButtonRect(n));
        }
        return;
    }
    int count = 0;
    for (auto* button : buttons_) {
        count += button->Caption().empty() ? 0 : 1;
    }
    const wxSize area = backdrop_.GetClientSize();
    const TileGrid grid = TilesFor(count, area.x, area.y);
    // The name in large letters under the picture, for readers and for the parent.
    widgets::FontDesc font = plainFont_;
    font.points = std::max(9.0, grid.CaptionHeight() * 0.45 * 72.0 / backdrop_.GetDPI().y);
    font.bold = true;
    int index = 0;
    for (auto* button : buttons_) {
        if (button->Caption().empty()) {
            continue;
        }
        const ScreenRect tile = grid.Tile(index++);
        button->SetButtonFont(font);
        button->SetSize(tile.x, tile.y, tile.width, tile.height);
        button->SetPictureAbove(grid.CaptionHeight());
    }
}

void SitePanel::Show(int n, const std::string& record) {
    widgets::chameleonButton& button = Button(n);
    const std::string address = storage::SiteAddress(record);
    records_.at(n - 1) = record;
    button.SetCaption(wxString::FromUTF8(storage::SiteName(record)));
    // Hovering a site button shows the address it opens.
    button.SetToolTipText(wxString::FromUTF8(address));
    // A damaged file or one that is no picture gives none: never half a picture. A tile is
    // never empty: without a picture of its own it shows its name's first letter.
    const auto png = family_.SitePictures() ? family_.SitePicture(address) : std::nullopt;
    wxImage picture = png ? widgets::ImageFromPng(*png) : wxImage();
    if (!picture.IsOk() && Tiles()) {
        picture =
            NameTilePicture(wxString::FromUTF8(storage::SiteName(record)), widgets::kPictureSide);
    }
    button.SetPicture(picture);
}

void SitePanel::Clear(int n) {
    records_.at(n - 1).clear();
    Button(n).SetCaption("");
    Button(n).SetToolTipText("");
    Button(n).SetPicture(wxImage());
}

void SitePanel::LoadSiteList() {
    const size_t before = family_.Sites().size();
    family_.LoadSites();
    for (size_t i = before; i < family_.Sites().size(); ++i) {
        const std::string& line = family_.Sites()[i];
        if (Button(2).Caption().empty() && !Button(1).Caption().empty()) {
            Show(2, line);
        }
        if (Button(1).Caption().empty()) {
            Show(1, line);
        }
    }
}

void SitePanel::FillSiteButtons() {
    // Sites the parent changed in the panel and has not saved yet count already: a deleted
    // site must not stay open to the child until the save.
    const auto lines = family_.SitesToShow();
    if (!lines) {
        return;  // the buttons keep what they show
    }
    int k = 0;
    for (const auto& line : *lines) {
        Show(std::min(k, kSiteButtons - 1) + 1, line);
        ++k;
    }
    // A site the parent deleted must not stay on the panel until the next start.
    for (int n = k + 1; n <= kSiteButtons; ++n) {
        Clear(n);
    }
    Arrange();
}

void SitePanel::ShowWorkingSites() {
    FillSiteButtons();
    if (IsOpen()) {
        for (auto* button : buttons_) {
            button->Show(!button->Caption().empty());
        }
    }
}

bool SitePanel::IsOpen() const {
    return backdrop_.IsShown();
}

void SitePanel::Toggle() {
    FillSiteButtons();
    for (auto* button : buttons_) {
        button->Hide();
    }
    if (IsOpen()) {
        Hovered(0);
        backdrop_.Hide();
        return;
    }
    backdrop_.Show();
    for (auto* button : buttons_) {
        if (!button->Caption().empty()) {
            button->Show();
        }
    }
}

void SitePanel::Close() {
    Hovered(0);
    for (auto* button : buttons_) {
        button->Hide();  // all of them: any left would float over the page
    }
    backdrop_.Hide();
}

std::string SitePanel::AddressOf(int n) const {
    return storage::SiteAddress(records_.at(n - 1));
}

}  // namespace browser
