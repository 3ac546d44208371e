#pragma once

#include "records/search/SearchPickList.h"
#include "records/search/SearchRows.h"

namespace kv::records::search {

// "該当車輌一覧": the vehicles a plate number search found, in vehicle code order.
class CDPreno : public SearchPickList {
    Q_OBJECT
public:
    CDPreno(const std::vector<VehicleRow>& rows, QWidget* parent = nullptr);
};

} // namespace kv::records::search
