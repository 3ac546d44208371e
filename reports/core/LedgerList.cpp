#include "reports/core/LedgerList.h"

#include "reports/core/BillingRule.h"
#include "reports/core/ReportPages.h"

#include <map>

namespace kv::reports {

int LedgerList::pageCount() const
{
    return ReportPages::ofUnits(int(lines.size()), kLinesPerPage);
}

LedgerList LedgerList::build(data::DataStore& store, const CustomerSelection& selection, const ReportPeriod& period)
{
    // Lines by the customer's place in the selection, put in order at the end.
    std::map<size_t, std::vector<Line>> byCustomer;
    const double first = period.firstDayNumber();
    auto visit = [&](size_t index, qint64 carried,
                     const std::vector<data::ToriJnlRow>& rows) -> std::optional<QString> {
        qint64 balance = 0;
        if (!BillingRule::addWithin(balance, carried))
            return BillingRule::overflowMessage();
        std::vector<Line> lines{Line{index, std::nullopt, balance}};
        for (const data::ToriJnlRow& row : rows) {
            if (!BillingRule::addWithin(balance, row.m_GTot))
                return BillingRule::overflowMessage();
            if (row.m_Date < first)
                lines.front().balance = balance;
            else
                lines.push_back(Line{index, row, balance});
        }
        if (lines.size() > 1 || balance != 0)
            byCustomer.emplace(index, std::move(lines));
        return std::nullopt;
    };
    CustomerLedgers::Outcome walked = CustomerLedgers::walk(store, selection, period.last, visit);
    LedgerList list;
    list.ok = walked.ok;
    list.message = walked.message;
    if (!walked.ok)
        return list;
    list.customers = std::move(walked.customers);
    for (auto& [index, lines] : byCustomer)
        list.lines.insert(list.lines.end(), lines.begin(), lines.end());
    return list;
}

} // namespace kv::reports
