#pragma once

#include "controls/CListCtrlEx.h"
#include "records/search/SearchRows.h"

namespace kv::records::search {

class SearchProfile;

// The list of the query-by-form results: name and address, for vehicles
// also plate and vehicle name; column widths kept in the profile.
class CAllSearchListView : public CListCtrlEx {
    Q_OBJECT
public:
    CAllSearchListView(SearchProfile& profile, bool vehicles, QWidget* parent = nullptr);
    // Each row carries the vehicle code for vehicle results, else the customer code.
    void fill(const std::vector<QueryResultRow>& rows);

private:
    TypedListModel<QueryResultRow>* m_results;
};

} // namespace kv::records::search
