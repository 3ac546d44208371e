#include "reports/core/BillingStatements.h"

#include "reports/core/ReportPages.h"

namespace kv::reports {

BillingFigures BillingOutcome::totals() const
{
    BillingFigures sum;
    for (const CustomerBilling& billing : customers) {
        sum.carryOver += billing.figures.carryOver;
        sum.receipts += billing.figures.receipts;
        sum.periodAmount += billing.figures.periodAmount;
        sum.billingAmount += billing.figures.billingAmount;
        sum.periodSales += billing.figures.periodSales;
    }
    return sum;
}

int BillingOutcome::pageCount() const
{
    return customers.empty() ? 0 : ReportPages::ofUnits(int(customers.size()) + 1, kRowsPerPage);
}

namespace BillingStatements {

BillingOutcome run(data::DataStore& store, const BillingRequest& request)
{
    // Figures by the customer's place in the selection, filled as the
    // ledger walk reaches each customer.
    std::vector<std::optional<CustomerBilling>> billed;
    const double first = request.period.firstDayNumber();
    auto visit = [&](size_t index, qint64 carried,
                     const std::vector<data::ToriJnlRow>& rows) -> std::optional<QString> {
        const auto figures = BillingRule::compute(carried, rows, request.period);
        if (!figures)
            return BillingRule::overflowMessage();
        if (!request.inclusion.includes(*figures))
            return std::nullopt;
        if (billed.size() <= index)
            billed.resize(index + 1);
        CustomerBilling billing{{}, *figures, {}};
        if (request.keepTransactions) {
            for (const data::ToriJnlRow& row : rows) {
                if (row.m_Date >= first)
                    billing.transactions.push_back(row);
            }
        }
        billed[index] = std::move(billing);
        return std::nullopt;
    };
    CustomerLedgers::Outcome walked =
        CustomerLedgers::walk(store, request.customers, request.period.last, visit);

    BillingOutcome outcome;
    outcome.ok = walked.ok;
    outcome.message = walked.message;
    if (!walked.ok)
        return outcome;
    for (size_t i = 0; i < billed.size(); ++i) {
        if (!billed[i])
            continue;
        billed[i]->customer = std::move(walked.customers[i]);
        outcome.customers.push_back(std::move(*billed[i]));
    }
    return outcome;
}

} // namespace BillingStatements

} // namespace kv::reports
