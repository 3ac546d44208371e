#pragma once

#include "records/search/SearchPickList.h"
#include "records/search/SearchRows.h"

namespace kv::records::search {

// "保有車輌一覧": the displayed customer's vehicles, in vehicle code order.
class CDHoyu : public SearchPickList {
    Q_OBJECT
public:
    CDHoyu(const std::vector<VehicleRow>& rows, QWidget* parent = nullptr);
};

} // namespace kv::records::search
