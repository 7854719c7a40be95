#pragma once

#include <wx/dialog.h>

#include <string>
#include <vector>

#include "parents/ParentsWindows.h"

class wxScrolledWindow;
class wxStaticBitmap;
class wxStaticText;

namespace widgets {
class chameleonButton;
}

namespace parents {

// The addresses the child left for a grown-up from the refusal page, each with what the parent
// may answer: allow (the site editor opens with it) or refuse (it leaves the list). It reads
// the family model afresh each time it is shown.
class frmVerzoeken : public wxDialog {
public:
    explicit frmVerzoeken(ParentsWindows& forms);

    void Form_Load() {}
    // Reads the requests and shows them; the panel calls it before each showing.
    void Form_Activate();
    void cmdallow_Click(const std::string& address);
    void cmdrefuse_Click(const std::string& address);

    struct Row {
        std::string address;
        wxStaticBitmap* picture = nullptr;
        wxStaticText* name = nullptr;
        widgets::chameleonButton* allow = nullptr;
        widgets::chameleonButton* refuse = nullptr;
    };

    wxStaticText* lblhint = nullptr;
    wxScrolledWindow* rowsPanel = nullptr;
    wxStaticText* lblnone = nullptr;
    widgets::chameleonButton* cmdclose = nullptr;
    const std::vector<Row>& Rows() const { return rows_; }

private:
    wxBitmap PictureOf(const std::string& address) const;

    ParentsWindows& forms_;
    std::vector<Row> rows_;
    int pictureSide_;
};

}  // namespace parents
