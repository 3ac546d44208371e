#include "slips/core/SlipTotals.h"

#include "common/KVCommon.h"
#include "slips/core/ExactRounding.h"

#include <initializer_list>
#include <utility>

namespace kv::slips {

namespace {

using Cause = SlipTotals::Cause;
using F = TotalsField;

bool isOneOf(Cause cause, std::initializer_list<Cause> causes)
{
    for (const Cause c : causes) {
        if (c == cause)
            return true;
    }
    return false;
}

// Sums and differences under the nine-digit guard; the first refusal names
// the field to focus.
class GuardedSums {
public:
    bool add(int& into, int value, F focus) { return apply(into, value, "+", focus); }
    bool subtract(int& into, int value, F focus) { return apply(into, value, "-", focus); }
    bool ok() const { return m_focus == F::None; }
    F focus() const { return m_focus; }

private:
    bool apply(int& into, int value, const char* op, F focus)
    {
        if (!ok())
            return false;
        if (!OverFlowCheck(into, value, QString::fromLatin1(op))) {
            m_focus = focus;
            return false;
        }
        into = op[0] == '+' ? into + value : into - value;
        return true;
    }

    F m_focus = F::None;
};

} // namespace

SlipTotals::SlipTotals(const data::RoundingSettings& rounding, TaxRounding taxRounding)
    : m_rounding(rounding)
    , m_rate(rateInHundredthsOfPercent(rounding.taxRate))
    , m_oncePerRate(taxRounding == TaxRounding::OncePerRate)
{
}

QString SlipTotals::billedRangeMessage()
{
    return QStringLiteral("御請求額が-99,999,999から99,999,999迄を\n超えないようにして下さい！");
}

int SlipTotals::rounded(qint64 numerator, qint64 denominator,
                        const data::RoundingRule& rule) const
{
    return int(roundFraction(numerator, denominator, rule));
}

int SlipTotals::tax(qint64 base) const
{
    return rounded(base * m_rate, 10000, m_rounding.tax);
}

void SlipTotals::remember(const data::SyaheadRow& slip)
{
    m_partsLines = slip.m_BuhiMeiTot;
    m_labourLines = slip.m_KouMeiTot;
    m_partsDiscount = slip.m_BuhiNebi;
    m_labourDiscount = slip.m_KouNebi;
    m_daiko = slip.m_Daiko;
    m_syo5 = slip.m_Syo5;
    m_syo6 = slip.m_Syo6;
    m_lastBilled = slip.m_Seikyu;
}

SlipTotals::Outcome SlipTotals::recalc(Cause cause, data::SyaheadRow& s)
{
    GuardedSums sums;
    auto failed = [&sums] { return Outcome{false, sums.focus(), {}}; };

    struct Half {
        int lines;
        int& discount;
        int percent;
        int& net;
        F focus;
        Cause cause;
    };
    for (const Half& half : {Half{s.m_BuhiMeiTot, s.m_BuhiNebi, s.m_BuhiNebiPer, s.m_BuhiTot,
                                  F::PartsDiscount, Cause::PartsDiscount},
                             Half{s.m_KouMeiTot, s.m_KouNebi, s.m_KouNebiPer, s.m_KouTot,
                                  F::LabourDiscount, Cause::LabourDiscount}}) {
        if (!isOneOf(cause, {half.cause, Cause::Everything}))
            continue;
        // A percentage other than 0 overrides a typed discount amount.
        if (half.percent != 0)
            half.discount = rounded(qint64(half.percent) * half.lines, 10000, m_rounding.discount);
        half.net = half.lines;
        if (!sums.subtract(half.net, half.discount, half.focus))
            return failed();
    }

    s.m_BuhiKouTot = s.m_BuhiTot;
    if (!sums.add(s.m_BuhiKouTot, s.m_KouTot, F::PartsDiscount))
        return failed();

    bool partsLabourTaxed = false;
    if (isOneOf(cause, {Cause::PartsDiscount, Cause::LabourDiscount, Cause::Everything})) {
        const bool changed = (m_freshTax && cause == Cause::Everything)
            || s.m_BuhiMeiTot != m_partsLines || s.m_KouMeiTot != m_labourLines
            || s.m_BuhiNebi != m_partsDiscount || s.m_KouNebi != m_labourDiscount;
        if (changed) {
            s.m_BuhiKouZei = tax(s.m_BuhiKouTot);
            partsLabourTaxed = true;
        }
        // What the tax was computed from, so that a typed tax stays until it
        // changes again.
        m_partsDiscount = s.m_BuhiNebi;
        m_labourDiscount = s.m_KouNebi;
    }
    m_partsLines = s.m_BuhiMeiTot;
    m_labourLines = s.m_KouMeiTot;

    if (isOneOf(cause, {Cause::Costs, Cause::Everything})) {
        s.m_SyoTot = 0;
        for (const auto& [value, focus] : {std::pair{s.m_Jibai, F::Jibai}, {s.m_JyuZei, F::JyuZei},
                                           {s.m_Insi, F::Insi}, {s.m_Daiko, F::Daiko},
                                           {s.m_Syo5, F::Syo5}, {s.m_Syo6, F::Syo6}}) {
            if (!sums.add(s.m_SyoTot, value, focus))
                return failed();
        }
    }

    const bool costsChanged = s.m_Daiko != m_daiko || s.m_Syo5 != m_syo5 || s.m_Syo6 != m_syo6;
    const bool costsTaxDue = cause == Cause::Costs
        || (cause == Cause::Everything && (costsChanged || m_freshTax));
    // Rounded once, the costs' share depends on the parts and labour too.
    if (costsTaxDue || (m_oncePerRate && partsLabourTaxed)) {
        const qint64 base = qint64(s.m_DaikoZeiFlag ? s.m_Daiko : 0)
            + (s.m_Syo5ZeiFlag ? s.m_Syo5 : 0) + (s.m_Syo6ZeiFlag ? s.m_Syo6 : 0);
        s.m_SyoZei = m_oncePerRate ? tax(s.m_BuhiKouTot + base) - tax(s.m_BuhiKouTot) : tax(base);
    }
    if (costsTaxDue) {
        m_daiko = s.m_Daiko;
        m_syo5 = s.m_Syo5;
        m_syo6 = s.m_Syo6;
    }

    if (cause != Cause::Received) {
        s.m_Tot = 0;
        for (const auto& [value, focus] :
             {std::pair{s.m_BuhiTot, F::PartsDiscount}, {s.m_KouTot, F::LabourDiscount},
              {s.m_BuhiKouZei, F::PartsLabourTax}, {s.m_SyoTot, F::Jibai},
              {s.m_SyoZei, F::CostsTax}}) {
            if (!sums.add(s.m_Tot, value, focus))
                return failed();
        }
    }

    int billed = s.m_Tot;
    if (!sums.subtract(billed, s.m_Azu, F::Received))
        return failed();
    if (billed < -kBilledLimit || billed > kBilledLimit)
        return {false, F::Received, billedRangeMessage()};
    if (billed != m_lastBilled) {
        s.m_Seikyu = rounded(billed, 1, m_rounding.billed);
        m_lastBilled = billed;
    }
    if (cause == Cause::Everything)
        m_freshTax = false;
    return {};
}

} // namespace kv::slips
