#pragma once

#include <wx/dialog.h>
#include <wx/panel.h>

#include <array>
#include <vector>

#include "family/Activity.h"
#include "parents/ParentsWindows.h"

class wxScrolledWindow;
class wxStaticBitmap;
class wxStaticText;

namespace widgets {
class chameleonButton;
}

namespace parents {

// The last seven days as bars of minutes, each with its day's limit drawn as a line across it.
class WeekBars : public wxPanel {
public:
    explicit WeekBars(wxWindow* parent);
    void Show(const std::array<family::DayBar, 7>& days, std::array<wxString, 7> labels,
              std::array<wxString, 7> minutes, const wxString& limitMark);
    const std::array<family::DayBar, 7>& Days() const { return days_; }
    const std::array<wxString, 7>& Labels() const { return labels_; }
    const std::array<wxString, 7>& Minutes() const { return minutes_; }

private:
    void OnPaint(wxPaintEvent& event);

    std::array<family::DayBar, 7> days_{};
    std::array<wxString, 7> labels_;
    std::array<wxString, 7> minutes_;
    wxString limitMark_;
};

// "Today and this week": what the child did today and the minutes of the week, for a parent in
// the panel. It reads only the family model, afresh each time the panel opens it.
class frmVandaag : public wxDialog {
public:
    explicit frmVandaag(ParentsWindows& forms);

    void Form_Load() {}
    // Reads the model and shows it; the panel calls it before each showing.
    void Form_Activate();
    // Hands a refused address to the site editor, filled in.
    void cmdallow_Click(const std::string& address);

    struct Row {
        family::ActivityRow activity;
        wxStaticBitmap* picture = nullptr;
        wxStaticText* name = nullptr;
        wxStaticText* minutes = nullptr;            // the minutes, or "not opened"
        widgets::chameleonButton* allow = nullptr;  // refused rows only
    };

    wxStaticText* lblweek = nullptr;
    WeekBars* bars = nullptr;
    wxStaticText* lbltoday = nullptr;
    wxScrolledWindow* rowsPanel = nullptr;
    wxStaticText* lblnothing = nullptr;
    widgets::chameleonButton* cmdclose = nullptr;
    const std::vector<Row>& Rows() const { return rows_; }

private:
    void ShowRows(const std::vector<family::ActivityRow>& rows);
    wxBitmap PictureOf(const family::ActivityRow& row) const;

    ParentsWindows& forms_;
    std::vector<Row> rows_;
    int pictureSide_;
};

}  // namespace parents
