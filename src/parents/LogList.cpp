#include "parents/LogList.h"

namespace parents {

LogList::LogList(wxWindow* parent, const wxSize& size, const std::vector<std::string>& entries)
    : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, size,
                 wxLC_REPORT | wxLC_VIRTUAL | wxLC_NO_HEADER | wxLC_SINGLE_SEL),
      entries_(entries) {
    // One wide column, so long addresses with their stamps scroll sideways instead of being cut.
    AppendColumn("", wxLIST_FORMAT_LEFT, FromDIP(1600));
    Refreshed();
}

void LogList::Refreshed() {
    SetItemCount(static_cast<long>(entries_.size()));
    Refresh();
}

wxString LogList::OnGetItemText(long item, long) const {
    return item >= 0 && static_cast<size_t>(item) < entries_.size()
               ? wxString::FromUTF8(entries_[item])
               : wxString();
}

}  // namespace parents
