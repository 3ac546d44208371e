#pragma once

#include "controls/CListCtrlEx.h"
#include "records/search/SearchRows.h"

namespace kv::records::search {

class SearchProfile;

// The list of the reading index: name and address of each customer, the
// column widths kept in the profile when the user drags a divider.
class CKokRanSearchListView : public CListCtrlEx {
    Q_OBJECT
public:
    CKokRanSearchListView(SearchProfile& profile, QWidget* parent = nullptr);
    void fill(const std::vector<CustomerRow>& rows);

private:
    TypedListModel<CustomerRow>* m_customers;
};

} // namespace kv::records::search
