#include "records/search/CustomerSearch.h"

#include "data/tables/DaoRecordsets.h"
#include "data/tables/DataStore.h"
#include "records/search/FilterLiteral.h"
#include "records/search/RecordWalk.h"
#include "records/search/SearchTexts.h"

namespace kv::records::search {

CustomerSearch::CustomerSearch(data::DataStore& store)
    : m_store(store)
{
}

QString CustomerSearch::notPlaceholder()
{
    return QStringLiteral("UserName1 <> %1").arg(FilterLiteral::text(SearchTexts::placeholder()));
}

RowList<CustomerRow> CustomerSearch::inReadingRange(const ReadingRange& range, int capacity,
                                                    bool firstAddressLineOnly)
{
    RowList<CustomerRow> list;
    list.capacity = capacity;
    CDaoKokSet set(m_store.connectionFor(CDaoKokSet::tableDef()));
    set.SetSort(QStringLiteral("Furi, KokCode"));
    // Outside a range means below it, then above it: two index ranges in
    // reading order rather than one scan of the whole table.
    for (const QString& condition : range.conditions()) {
        set.SetFilter(condition + QStringLiteral(" AND ") + notPlaceholder());
        if (!appendRows(set, list, [&] { return CustomerRow::of(set, firstAddressLineOnly); }))
            return list;
        set.Close();
    }
    return list;
}

std::optional<int> CustomerSearch::ownedVehicleCount(int customerCode)
{
    CDaoKokSet set(m_store.connectionFor(CDaoKokSet::tableDef()));
    set.SetFilter(QStringLiteral("KokCode = %1 AND %2").arg(customerCode).arg(notPlaceholder()));
    if (!set.Open()) {
        showMessage(set.lastError().description);
        return std::nullopt;
    }
    if (set.IsEOF())
        return std::nullopt;
    return set.m_Hoyu;
}

bool CustomerSearch::any()
{
    CDaoKokSet set(m_store.connectionFor(CDaoKokSet::tableDef()));
    set.SetFilter(notPlaceholder());
    if (!set.Open()) {
        showMessage(set.lastError().description);
        return false;
    }
    return !set.IsEOF();
}

} // namespace kv::records::search
