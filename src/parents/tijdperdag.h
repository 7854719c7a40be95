#pragma once

#include <wx/dialog.h>

#include <array>
#include <memory>

#include "storage/Settings.h"

class wxStaticText;
class wxTextCtrl;

namespace app {
class Forms;
}
namespace widgets {
class chameleonButton;
}

namespace parents {

class TypingLimit;

// The time editor behind the panel's "Time per day": the minutes the child may browse on each
// day of the week. Save puts the limits in force at once; the panel's "Log out and save" stores
// them. "15 minutes more today" grants extra time at once and is kept whatever else happens.
class tijdperdag : public wxDialog {
public:
    static constexpr int kExtraMinutes = 15;

    explicit tijdperdag(app::Forms& forms);
    ~tijdperdag() override;

    void Form_Load() {}
    // Before each opening: the boxes show the limits in force, so a Cancel leaves no trace.
    void Form_Activate();
    void cmdsave_Click();
    void cmdcancel_Click();
    void cmdextra_Click();
    void txtminuten_KeyPress(int day, int& keyAscii);
    void txtminuten_Change(int day);

    // Whether Save was used since the start: only then does the panel's save write the limits.
    bool Changed() const { return changed_; }

    wxStaticText* lbluitleg = nullptr;
    std::array<wxStaticText*, 7> lbldag{};    // Monday first
    std::array<wxTextCtrl*, 7> txtminuten{};  // empty: no limit that day
    widgets::chameleonButton* cmdextra = nullptr;
    widgets::chameleonButton* cmdsave = nullptr;
    widgets::chameleonButton* cmdcancel = nullptr;

private:
    void Tell(const std::string& message);
    std::string LimitMessage() const;

    app::Forms& forms_;
    std::array<std::unique_ptr<TypingLimit>, 7> limits_;
    bool changed_ = false;
};

// The storage step of the panel's "Log out and save": writes the limits into "instellingen.txt",
// keeping every other line, when the editor changed them. False when the file could not be
// written (the parent has been told which file and why).
bool SaveTimeLimits(app::Forms& forms);

}  // namespace parents
