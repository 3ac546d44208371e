#pragma once

#include "records/search/SearchPickList.h"
#include "records/search/SearchRows.h"

namespace kv::records::search {

// "該当顧客一覧": the customers a reading search found, in reading order.
class CDFuri : public SearchPickList {
    Q_OBJECT
public:
    CDFuri(const std::vector<CustomerRow>& rows, QWidget* parent = nullptr);
};

} // namespace kv::records::search
