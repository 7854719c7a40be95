#include "parents/LogList.h"

namespace parents {

LogList::LogList(wxWindow* parent, const wxSize& size)
    : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, size,
                 wxLC_REPORT | wxLC_VIRTUAL | wxLC_NO_HEADER | wxLC_SINGLE_SEL) {
    // One wide column, so long addresses with their stamps scroll sideways instead of being cut.
    AppendColumn("", wxLIST_FORMAT_LEFT, FromDIP(1600));
}

void LogList::Append(std::string entry) {
    entries_.push_back(std::move(entry));
    Refreshed();
}

void LogList::Append(std::vector<std::string> entries) {
    if (entries_.empty()) {
        entries_ = std::move(entries);
    } else {
        entries_.insert(entries_.end(), std::make_move_iterator(entries.begin()),
                        std::make_move_iterator(entries.end()));
    }
    Refreshed();
}

void LogList::Clear() {
    entries_.clear();
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
