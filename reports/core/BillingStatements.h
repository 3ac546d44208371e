#pragma once

#include "reports/core/BillingRule.h"
#include "reports/core/CustomerLedgers.h"

#include <vector>

namespace kv::data {
class DataStore;
}

namespace kv::reports {

// Which customers are billed for which period.
struct BillingRequest {
    // The customer range, with its closing day when not 0.
    CustomerSelection customers;
    ReportPeriod period;
    BillingInclusion inclusion;
    // Whether each customer's rows within the period are kept (a statement
    // lists them; the billing list does not).
    bool keepTransactions = false;
};

struct CustomerBilling {
    ListedCustomer customer;
    BillingFigures figures;
    // The ledger rows within the period by date, when asked for.
    std::vector<data::ToriJnlRow> transactions;
};

// The customers billed, in the selection's order, or why there are none.
struct BillingOutcome {
    static constexpr int kRowsPerPage = 19;

    bool ok = false;
    // The message to show when not ok: the engine's, a missing balance, an
    // overflow.
    QString message;
    std::vector<CustomerBilling> customers;

    // The sums of every customer's figures (periodSales counts the rows).
    BillingFigures totals() const;
    // One row a customer and one for the totals, 19 rows a page.
    int pageCount() const;
};

// The billing of a customer range: carry-over, receipts, period amount and
// billing amount from each customer's balance record and ledger, the
// customers taken by the inclusion. Reads the store and shows nothing, so
// that a list and a statement alike are built on it.
namespace BillingStatements {

BillingOutcome run(data::DataStore& store, const BillingRequest& request);

} // namespace BillingStatements

} // namespace kv::reports
