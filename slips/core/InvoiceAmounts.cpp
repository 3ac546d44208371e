#include "slips/core/InvoiceAmounts.h"

namespace kv::slips {

InvoiceAmounts InvoiceAmounts::of(const data::SyaheadRow& s)
{
    InvoiceAmounts a;
    a.taxable = s.m_BuhiKouTot;
    a.tax = qint64(s.m_BuhiKouZei) + s.m_SyoZei;
    a.nonTaxable = s.m_Jibai;
    a.outOfScope = qint64(s.m_JyuZei) + s.m_Insi;
    for (const auto& [flag, amount] : {std::pair{s.m_DaikoZeiFlag, s.m_Daiko},
                                       {s.m_Syo5ZeiFlag, s.m_Syo5}, {s.m_Syo6ZeiFlag, s.m_Syo6}})
        (flag != 0 ? a.taxable : a.outOfScope) += amount;
    return a;
}

InvoiceAmounts& InvoiceAmounts::operator+=(const InvoiceAmounts& o)
{
    taxable += o.taxable;
    tax += o.tax;
    nonTaxable += o.nonTaxable;
    outOfScope += o.outOfScope;
    return *this;
}

QString InvoiceAmounts::rateText(int hundredthsOfPercent)
{
    return QString::number(hundredthsOfPercent / 100.0, 'g', 6) + QLatin1Char('%');
}

} // namespace kv::slips
