#pragma once

#include <wx/dialog.h>

#include <memory>
#include <optional>
#include <string>

#include "parents/ParentsWindows.h"

class wxStaticBitmap;
class wxStaticText;
class wxTextCtrl;

namespace widgets {
class chameleonButton;
}

namespace parents {

class TypingLimit;

// The site editor behind the panel's "Add an internetaddress": a name and an address become one
// site record at the end of the panel's site list. Opened from the panel, nothing is written to
// disk here; opened for a site the child was refused, Save also stores it in the site file.
class invoegensite : public wxDialog {
public:
    explicit invoegensite(ParentsWindows& forms);
    ~invoegensite() override;

    void Form_Load() {}
    void cmdsave_Click();
    void cmdcancel_Click();
    // Whether Save stores the site in the site file too, until the next opening says otherwise.
    void StoreAtOnce(bool atOnce) { storeAtOnce_ = atOnce; }
    void txtname_KeyPress(int& keyAscii);
    void txtname_Change();
    void txtinternetaddress_KeyPress(int& keyAscii);
    void txtinternetaddress_Change();
    // A picture for the site's button: a file the parent chooses, or none.
    void cmdpicture_Click();
    void cmdnopicture_Click();
    // Takes the picture in `path` for the site, shown in the preview and stored with the site at
    // Save; false, and a message, when it is no picture.
    bool UsePicture(const std::string& path);

    wxStaticText* lblname = nullptr;
    wxTextCtrl* txtname = nullptr;  // at most 50 characters; a record keeps 20
    wxStaticText* lblinternetaddress = nullptr;
    wxStaticText* Label3 = nullptr;            // "http://", a hint only
    wxTextCtrl* txtinternetaddress = nullptr;  // at most 70 characters, stored as typed
    widgets::chameleonButton* cmdsave = nullptr;
    widgets::chameleonButton* cmdcancel = nullptr;
    wxStaticBitmap* imgpreview = nullptr;  // what the site's button will show
    widgets::chameleonButton* cmdpicture = nullptr;
    widgets::chameleonButton* cmdnopicture = nullptr;

private:
    // Whether the name and the address may be stored; the parent is told why not.
    bool CheckTyped(const std::string& name, const std::string& address);

    ParentsWindows& forms_;
    std::unique_ptr<TypingLimit> nameLimit_;
    std::unique_ptr<TypingLimit> addressLimit_;
    bool storeAtOnce_ = false;
    // The picture to store at Save, as PNG bytes; empty takes the site's picture away; none
    // leaves it as it is.
    std::optional<std::string> picture_;
    void ShowPreview();
    void ShowPictureRow();
    void StorePicture(const std::string& address);
};

}  // namespace parents
