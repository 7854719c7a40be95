#pragma once

#include <wx/dialog.h>

#include <memory>
#include "parents/ParentsWindows.h"

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

    wxStaticText* lblname = nullptr;
    wxTextCtrl* txtname = nullptr;  // at most 50 characters; a record keeps 20
    wxStaticText* lblinternetaddress = nullptr;
    wxStaticText* Label3 = nullptr;            // "http://", a hint only
    wxTextCtrl* txtinternetaddress = nullptr;  // at most 70 characters, stored as typed
    widgets::chameleonButton* cmdsave = nullptr;
    widgets::chameleonButton* cmdcancel = nullptr;

private:
    // Whether the name and the address may be stored; the parent is told why not.
    bool CheckTyped(const std::string& name, const std::string& address);

    ParentsWindows& forms_;
    std::unique_ptr<TypingLimit> nameLimit_;
    std::unique_ptr<TypingLimit> addressLimit_;
    bool storeAtOnce_ = false;
};

}  // namespace parents
