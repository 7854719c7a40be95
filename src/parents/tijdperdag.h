#pragma once

#include <wx/dialog.h>

#include <array>
#include <memory>

#include "parents/ParentsWindows.h"
#include "storage/Settings.h"

class wxStaticText;
class wxTextCtrl;

namespace widgets {
class chameleonButton;
}

namespace parents {

class TypingLimit;

// The time editor behind the panel's "Time per day": the minutes the child may browse on each
// day of the week, and from and until which time of day. Save puts the limits in force at once; the
// panel's "Log out and save" stores them. "15 minutes more today" grants extra time at once and is
// kept whatever else happens.
class tijdperdag : public wxDialog {
public:
    static constexpr int kExtraMinutes = 15;

    explicit tijdperdag(ParentsWindows& forms);
    ~tijdperdag() override;

    void Form_Load() {}
    // Before each opening: the boxes show the limits in force, so a Cancel leaves no trace.
    void Form_Activate();
    void cmdsave_Click();
    void cmdcancel_Click();
    void cmdextra_Click();
    void txtminuten_KeyPress(int day, int& keyAscii);
    void txtminuten_Change(int day);

    wxStaticText* lbluitleg = nullptr;
    wxStaticText* lblvandaag = nullptr;       // today's used and remaining minutes
    std::array<wxStaticText*, 7> lbldag{};    // Monday first
    std::array<wxTextCtrl*, 7> txtminuten{};  // empty: no limit that day
    wxStaticText* lblminuten = nullptr;       // the columns' heads
    wxStaticText* lblvanaf = nullptr;
    wxStaticText* lbltot = nullptr;
    wxStaticText* lbltijden = nullptr;      // how a time is typed
    std::array<wxTextCtrl*, 7> txtvanaf{};  // empty: from midnight
    std::array<wxTextCtrl*, 7> txttot{};    // empty: until midnight
    widgets::chameleonButton* cmdextra = nullptr;
    widgets::chameleonButton* cmdsave = nullptr;
    widgets::chameleonButton* cmdcancel = nullptr;

private:
    void Tell(const std::string& message);
    void ShowToday();
    std::string LimitMessage() const;

    ParentsWindows& forms_;
    std::array<std::unique_ptr<TypingLimit>, 7> limits_;
};

}  // namespace parents
