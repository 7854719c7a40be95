#pragma once

#include <wx/timer.h>

#include <array>
#include <functional>
#include <string>

#include "browser/Layout.h"
#include "widgets/FontDesc.h"

class wxWindow;

namespace family {
class FamilyModel;
}
namespace widgets {
class chameleonButton;
}

namespace browser {

// The site panel: up to eighteen buttons for the sites a parent allowed, over the page. Each
// button opens the address of the site record it shows, as the family model holds it.
class SitePanel {
public:
    using Buttons = std::array<widgets::chameleonButton*, kSiteButtons>;

    using Place = std::function<void(wxWindow*, const TwipRect&)>;
    using Say = std::function<void(const std::string&)>;
    // `say` reads a tile's name aloud, where the family has that on.
    SitePanel(family::FamilyModel& family, wxWindow& backdrop, Buttons buttons, Place place,
              Say say);

    // Where site pictures are on, the sites are picture tiles sized to the backdrop; else the
    // buttons of the fixed grid.
    bool Tiles() const;
    // Lays the buttons out for the backdrop's present size and the pictures' switch.
    void Arrange();

    // At the window's load: the first two buttons show the first two sites from the start.
    void LoadSiteList();
    // Gives the buttons the sites as they now stand, the parent's unsaved changes included.
    void FillSiteButtons();
    // The same, at once, whether the panel is open or not.
    void ShowWorkingSites();

    void Toggle();  // the visit button
    void Close();
    bool IsOpen() const;
    // The address the button n (1 to 18) opens, spaces trimmed; empty for an empty button.
    std::string AddressOf(int n) const;

    widgets::chameleonButton& Button(int n) { return *buttons_.at(n - 1); }

private:
    // A name is read when the pointer rests on a tile for a moment, once until it leaves, and
    // at once when the keyboard reaches the tile.
    void Hovered(int n);  // 0: off every tile
    void Held();
    void Focused(int n);
    void Show(int n, const std::string& record);
    void Clear(int n);

    family::FamilyModel& family_;
    wxWindow& backdrop_;
    Buttons buttons_;
    Place place_;
    Say say_;
    wxTimer hold_;
    int hovered_ = 0;  // the tile the pointer is on
    int spoken_ = 0;   // the tile whose name was read since the pointer came onto it
    std::array<std::string, kSiteButtons> records_;  // what each button shows
    widgets::FontDesc plainFont_;                    // the buttons' font outside the tiles
};

}  // namespace browser
