#include "reports/core/ReceivablesList.h"

#include "reports/core/BillingRule.h"
#include "reports/core/ReportPages.h"

namespace kv::reports {

qint64 ReceivablesList::total() const
{
    qint64 sum = 0;
    for (const Row& row : rows)
        sum += row.balance;
    return sum;
}

int ReceivablesList::pageCount() const
{
    return ReportPages::ofUnits(int(rows.size()), kCustomersPerPage);
}

ReceivablesList ReceivablesList::build(data::DataStore& store, CustomerSelection::Order order, const QDate& lastDay)
{
    std::vector<qint64> balances;
    auto visit = [&](size_t index, qint64 carried,
                     const std::vector<data::ToriJnlRow>& ledger) -> std::optional<QString> {
        qint64 balance = 0;
        if (!BillingRule::addWithin(balance, carried))
            return BillingRule::overflowMessage();
        for (const data::ToriJnlRow& row : ledger) {
            if (!BillingRule::addWithin(balance, row.m_GTot))
                return BillingRule::overflowMessage();
        }
        if (balances.size() <= index)
            balances.resize(index + 1);
        balances[index] = balance;
        return std::nullopt;
    };
    CustomerLedgers::Outcome walked =
        CustomerLedgers::walk(store, CustomerSelection{.order = order}, lastDay, visit);
    ReceivablesList list;
    list.ok = walked.ok;
    list.message = walked.message;
    if (!walked.ok)
        return list;
    balances.resize(walked.customers.size());
    for (size_t i = 0; i < walked.customers.size(); ++i)
        list.rows.push_back({std::move(walked.customers[i]), balances[i]});
    return list;
}

} // namespace kv::reports
