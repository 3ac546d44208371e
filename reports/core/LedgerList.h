#pragma once

#include "reports/core/ClosingPeriod.h"
#include "reports/core/CustomerLedgers.h"

#include <vector>

namespace kv::data {
class DataStore;
}

namespace kv::reports {

// The ledger of a customer range for a period (元帳): per customer a line
// with the balance carried into the period, then each row of the period
// with the balance after it. Customers with neither rows in the period nor
// a balance are left out.
struct LedgerList {
    static constexpr int kLinesPerPage = 38;

    struct Line {
        // Index into customers.
        size_t customer = 0;
        // The period's row; none on the carried-over line.
        std::optional<data::ToriJnlRow> row;
        qint64 balance = 0;
    };

    bool ok = false;
    QString message;
    std::vector<ListedCustomer> customers;
    std::vector<Line> lines;

    int pageCount() const;

    static LedgerList build(data::DataStore& store, const CustomerSelection& selection, const ReportPeriod& period);
};

} // namespace kv::reports
