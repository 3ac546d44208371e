#pragma once

#include "data/tables/TableRows.h"
#include "reports/core/CustomerSelection.h"

#include <QDate>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace kv::data {
class DataStore;
}

namespace kv::reports {

// A customer as the ledger reports list it.
struct ListedCustomer {
    int code = 0;
    // UserName1, and UserName2 after a blank when there is one.
    QString name;
};

// The customers of a selection with their carried-forward balance and
// their ledger rows through a last day, read in one snapshot: the
// customers in the selection's order, then every balance, then the ledger
// once in customer order, so that a list of every customer costs one walk
// of the ledger rather than a query per customer.
class CustomerLedgers {
public:
    // One customer's KuriZan and rows through the last day, by date. A
    // message stops the walk with it.
    using Visit = std::function<std::optional<QString>(size_t index, qint64 carriedForward,
                                                       const std::vector<data::ToriJnlRow>& rows)>;

    struct Outcome {
        bool ok = false;
        QString message;
        // In the selection's order; Visit's index points into it.
        std::vector<ListedCustomer> customers;
    };

    // Every selected customer is visited once, not in the selection's order.
    // A selected customer without a balance record stops the walk before
    // any visit.
    static Outcome walk(data::DataStore& store, const CustomerSelection& selection, const QDate& lastDay,
                        const Visit& visit);

    static QString missingBalanceMessage() { return QStringLiteral("該当残高が存在しません！"); }
};

} // namespace kv::reports
