#include "records/search/QueryFormSearch.h"

#include "common/MessageGateway.h"
#include "data/engine/ReadSnapshot.h"
#include "data/tables/DaoRecordsets.h"
#include "data/tables/DataStore.h"
#include "records/search/CustomerSearch.h"
#include "records/search/RecordWalk.h"
#include "records/search/SearchTexts.h"

namespace kv::records::search {

QueryFormSearch::QueryFormSearch(data::DataStore& store, QStringList vehicleNames)
    : m_store(store)
    , m_vehicleNames(std::move(vehicleNames))
{
}

QueryFormSearch::Result QueryFormSearch::run(const QueryFormValues& customer,
                                             const QueryFormValues& vehicle,
                                             QueryConditions::Joiner joiner, int capacity)
{
    Result result;
    const auto customerFilter = QueryConditions::buildCustomerFilter(customer, joiner);
    const auto vehicleFilter = QueryConditions::buildVehicleFilter(vehicle, joiner);
    for (const auto* built : {&customerFilter, &vehicleFilter}) {
        if (!built->ok) {
            result.outcome = Outcome::Refused;
            result.failedColumn = built->failedColumn;
            result.message = built->message;
            return result;
        }
    }
    if (customerFilter.filter.isEmpty() && vehicleFilter.filter.isEmpty())
        return result;

    result.list.capacity = capacity;
    if (!vehicleFilter.filter.isEmpty()) {
        if (!listVehicles(vehicleFilter.filter, result.list)) {
            result.outcome = Outcome::Failed;
            return result;
        }
        if (!result.list.rows.empty()) {
            result.outcome = Outcome::Vehicles;
            return result;
        }
    }
    if (!customerFilter.filter.isEmpty()) {
        result.list = {};
        result.list.capacity = capacity;
        if (!listCustomers(customerFilter.filter, result.list)) {
            result.outcome = Outcome::Failed;
            return result;
        }
        if (!result.list.rows.empty()) {
            result.outcome = Outcome::Customers;
            return result;
        }
    }
    result.outcome = Outcome::NoMatch;
    result.list = {};
    return result;
}

bool QueryFormSearch::listCustomers(const QString& filter, RowList<QueryResultRow>& list)
{
    CDaoKokSet set(m_store.connectionFor(CDaoKokSet::tableDef()));
    set.SetFilter(filter);
    set.SetSort(QStringLiteral("KokCode"));
    return appendRows(set, list, [&] { return QueryResultRow{CustomerRow::of(set), false, {}}; });
}

bool QueryFormSearch::listVehicles(const QString& filter, RowList<QueryResultRow>& list)
{
    CDaoCarSet vehicles(m_store.connectionFor(CDaoCarSet::tableDef()));
    vehicles.SetFilter(filter);
    vehicles.SetSort(QStringLiteral("CarCode"));
    CDaoKokSet owners(m_store.connectionFor(CDaoKokSet::tableDef()));
    owners.SetSort(QStringLiteral("KokCode"));
    data::ReadSnapshot snapshot(vehicles.connection());
    const auto fail = [&](const data::EngineError& error) {
        list.failure = error.description;
        showMessage(list.failure);
        return false;
    };
    if (!vehicles.Open())
        return fail(vehicles.lastError());
    if (vehicles.IsEOF())
        return true;
    // One seek per vehicle, each in its own small view.
    int ownerless = 0;
    for (; !vehicles.IsEOF(); vehicles.MoveNext()) {
        if (vehicles.IsDeleted())
            continue;
        if (list.full()) {
            list.truncated = true;
            break;
        }
        owners.Close();
        owners.SetFilter(QStringLiteral("KokCode = %1 AND %2")
                             .arg(vehicles.m_KokCode)
                             .arg(CustomerSearch::notPlaceholder()));
        if (!owners.Open())
            return fail(owners.lastError());
        if (owners.IsEOF()) {
            ++ownerless;
            continue;
        }
        list.rows.push_back({CustomerRow::of(owners), true, VehicleRow::of(vehicles, m_vehicleNames)});
    }
    list.total = int(vehicles.GetRecordCount()) - ownerless;
    return true;
}

} // namespace kv::records::search
