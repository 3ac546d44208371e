#include "reports/core/SalesFigures.h"

namespace kv::reports {

namespace {

// a += b within the limit; false (a unchanged) when the sum leaves it.
bool addBounded(qint64& a, qint64 b)
{
    qint64 sum = 0;
    if (qAddOverflow(a, b, &sum) || sum > SalesFigures::kLimit || sum < -SalesFigures::kLimit)
        return false;
    a = sum;
    return true;
}

bool addMeasures(SalesMeasures& to, const SalesMeasures& from)
{
    SalesMeasures sum = to;
    if (qAddOverflow(sum.count, from.count, &sum.count))
        return false;
    for (auto member : {&SalesMeasures::parts, &SalesMeasures::labour, &SalesMeasures::other,
                        &SalesMeasures::sales, &SalesMeasures::expenses, &SalesMeasures::tax,
                        &SalesMeasures::total}) {
        if (!addBounded(sum.*member, from.*member))
            return false;
    }
    to = sum;
    return true;
}

} // namespace

bool SalesFigures::stop(Fault fault)
{
    if (m_fault == Fault::None)
        m_fault = fault;
    return false;
}

bool SalesFigures::add(int slot, const SalesMeasures& amounts)
{
    if (!ok())
        return false;
    if (slot < 0 || slot >= kSlots)
        return stop(Fault::SlotOutOfRange);
    if (!addMeasures(m_slots[size_t(slot)], amounts))
        return stop(Fault::Overflow);
    return true;
}

bool SalesFigures::finish()
{
    if (!ok())
        return false;
    SalesMeasures grand;
    for (const SalesMeasures& slot : m_slots) {
        if (!addMeasures(grand, slot))
            return stop(Fault::Overflow);
    }
    m_grand = grand;
    return true;
}

QString SalesFigures::message() const
{
    switch (m_fault) {
    case Fault::None:
        return {};
    case Fault::SlotOutOfRange:
        return QStringLiteral("配列が異常です！");
    case Fault::Overflow:
        return QStringLiteral("オーバーフローが発生しました！\n処理を中止します");
    }
    return {};
}

qint64 SalesFigures::graphValue(int index, bool totals) const
{
    const SalesMeasures& s = slot(index);
    return totals ? s.total : s.sales;
}

qint64 SalesFigures::graphTotal(bool totals) const
{
    return totals ? m_grand.total : m_grand.sales;
}

} // namespace kv::reports
