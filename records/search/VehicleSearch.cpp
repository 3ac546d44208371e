#include "records/search/VehicleSearch.h"

#include "data/tables/DaoRecordsets.h"
#include "data/tables/DataStore.h"
#include "records/search/FilterLiteral.h"
#include "records/search/RecordWalk.h"
#include "records/search/SearchTexts.h"

namespace kv::records::search {

VehicleSearch::VehicleSearch(data::DataStore& store, QStringList vehicleNames)
    : m_store(store)
    , m_vehicleNames(std::move(vehicleNames))
{
}

QString VehicleSearch::notPlaceholder()
{
    return QStringLiteral("Syatai <> %1").arg(FilterLiteral::text(SearchTexts::placeholder()));
}

RowList<VehicleRow> VehicleSearch::withPlateNumber(int number, int capacity)
{
    return collect(QStringLiteral("Preno = %1").arg(number), QStringLiteral("Preno, CarCode"),
                   capacity);
}

RowList<VehicleRow> VehicleSearch::ofCustomer(int customerCode, int capacity)
{
    return collect(QStringLiteral("KokCode = %1").arg(customerCode),
                   QStringLiteral("KokCode, CarCode"), capacity);
}

RowList<VehicleRow> VehicleSearch::collect(const QString& filter, const QString& sort, int capacity)
{
    RowList<VehicleRow> list;
    list.capacity = capacity;
    CDaoCarSet set(m_store.connectionFor(CDaoCarSet::tableDef()));
    set.SetFilter(filter + QStringLiteral(" AND ") + notPlaceholder());
    set.SetSort(sort);
    appendRows(set, list, [&] { return VehicleRow::of(set, m_vehicleNames); });
    return list;
}

} // namespace kv::records::search
