#include "reports/core/BillingRule.h"

namespace kv::reports {

bool BillingInclusion::includes(const BillingFigures& figures) const
{
    const bool hasSales = figures.periodSales > 0;
    const bool hasAmount = figures.billingAmount != 0;
    if (sales && amount)
        return hasSales && hasAmount;
    if (sales)
        return hasSales;
    if (amount)
        return hasAmount;
    return hasSales || hasAmount;
}

namespace BillingRule {

bool addWithin(qint64& sum, qint64 value)
{
    sum += value;
    return sum >= -kSumLimit && sum <= kSumLimit;
}

qint64 saleAmount(const data::ToriJnlRow& row)
{
    if (row.m_ToriKbn == 0)
        return qint64(row.m_GTot) + row.m_NyuCho + row.m_Nyu;
    return row.m_ToriKbn == 1 ? row.m_GTot : 0;
}

std::optional<BillingFigures> compute(qint64 carriedForward, const std::vector<data::ToriJnlRow>& rows,
                                      const ReportPeriod& period)
{
    const double first = period.firstDayNumber();
    const double last = period.lastDayNumber();
    BillingFigures figures;
    if (!addWithin(figures.carryOver, carriedForward))
        return std::nullopt;
    for (const data::ToriJnlRow& row : rows) {
        if (row.m_Date > last)
            continue;
        if (row.m_Date < first) {
            if (!addWithin(figures.carryOver, row.m_GTot))
                return std::nullopt;
            continue;
        }
        if (!addWithin(figures.receipts, row.m_Nyu) || !addWithin(figures.receipts, row.m_NyuCho))
            return std::nullopt;
        if (row.m_ToriKbn != 2 && !addWithin(figures.periodAmount, saleAmount(row)))
            return std::nullopt;
        if (row.m_ToriKbn != 2)
            ++figures.periodSales;
    }
    figures.billingAmount = figures.carryOver - figures.receipts + figures.periodAmount;
    if (figures.billingAmount < -kBillingLimit || figures.billingAmount > kBillingLimit)
        return std::nullopt;
    return figures;
}

} // namespace BillingRule

} // namespace kv::reports
