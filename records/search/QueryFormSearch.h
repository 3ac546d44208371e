#pragma once

#include "records/search/QueryConditions.h"
#include "records/search/SearchRows.h"

#include <QStringList>

namespace kv::data {
class DataStore;
}

namespace kv::records::search {

// The query-by-form search without a window: the filters built from the
// two halves of the form, then vehicles when vehicle conditions exist and
// match (each with its owner; vehicles without one are left out),
// otherwise customers when customer conditions exist and match.
class QueryFormSearch {
public:
    enum class Outcome {
        Refused,      // a field cannot be a condition: message, field; nothing was read
        NoConditions, // nothing filled in: nothing to show
        NoMatch,      // conditions, no record: "該当データが存在しません！"
        Failed,       // a database error, already shown: counts as no result
        Customers,
        Vehicles,
    };

    struct Result {
        Outcome outcome = Outcome::NoConditions;
        QString failedColumn;
        QString message;
        RowList<QueryResultRow> list;
    };

    QueryFormSearch(data::DataStore& store, QStringList vehicleNames);

    Result run(const QueryFormValues& customer, const QueryFormValues& vehicle,
               QueryConditions::Joiner joiner, int capacity = Capacity::kQueryResults);

private:
    bool listVehicles(const QString& filter, RowList<QueryResultRow>& list);
    bool listCustomers(const QString& filter, RowList<QueryResultRow>& list);

    data::DataStore& m_store;
    QStringList m_vehicleNames;
};

} // namespace kv::records::search
