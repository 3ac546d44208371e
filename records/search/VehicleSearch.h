#pragma once

#include "records/search/SearchRows.h"

#include <QStringList>

namespace kv::data {
class DataStore;
}

namespace kv::records::search {

// Look-ups of vehicles for the searches, each an index seek on the vehicle
// table; placeholder vehicles ("新規作成中" as chassis number) are never found.
class VehicleSearch {
public:
    // vehicleNames: the entries of the vehicle-name list, by index.
    VehicleSearch(data::DataStore& store, QStringList vehicleNames);

    // The vehicles with that plate number part, in vehicle code order.
    RowList<VehicleRow> withPlateNumber(int number, int capacity);
    // The customer's vehicles, in vehicle code order.
    RowList<VehicleRow> ofCustomer(int customerCode, int capacity);

    static QString notPlaceholder();

private:
    RowList<VehicleRow> collect(const QString& filter, const QString& sort, int capacity);

    data::DataStore& m_store;
    QStringList m_vehicleNames;
};

} // namespace kv::records::search
