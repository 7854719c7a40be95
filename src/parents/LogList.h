#pragma once

#include <wx/listctrl.h>

#include <string>
#include <vector>

namespace parents {

// The visit log as the panel shows it. The entries live in the family model and the control
// only draws the rows in view, so a log of a hundred thousand entries loads and saves in moments.
class LogList : public wxListCtrl {
public:
    LogList(wxWindow* parent, const wxSize& size, const std::vector<std::string>& entries);

    // After the entries changed.
    void Refreshed();
    const std::vector<std::string>& Entries() const { return entries_; }
    size_t Count() const { return entries_.size(); }

protected:
    wxString OnGetItemText(long item, long column) const override;

private:
    const std::vector<std::string>& entries_;
};

}  // namespace parents
