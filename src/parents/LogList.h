#pragma once

#include <wx/listctrl.h>

#include <string>
#include <vector>

namespace parents {

// The visit log as the panel shows it. The entries live in a plain list and the control only
// draws the rows in view, so a log of a hundred thousand entries loads and saves in moments.
class LogList : public wxListCtrl {
public:
    explicit LogList(wxWindow* parent, const wxSize& size);

    void Append(std::string entry);
    void Append(std::vector<std::string> entries);
    void Clear();
    const std::vector<std::string>& Entries() const { return entries_; }
    size_t Count() const { return entries_.size(); }

protected:
    wxString OnGetItemText(long item, long column) const override;

private:
    void Refreshed();

    std::vector<std::string> entries_;
};

}  // namespace parents
