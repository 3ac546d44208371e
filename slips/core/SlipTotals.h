#pragma once

#include "data/settings/RoundingSettings.h"
#include "data/tables/TableRows.h"

#include <QString>

namespace kv::slips {

// The fields of the totals form the user may type, where a failed
// recomputation puts the focus.
enum class TotalsField {
    None, PartsDiscount, PartsDiscountPercent, LabourDiscount, LabourDiscountPercent,
    PartsLabourTax, Jibai, JyuZei, Insi, Daiko, Syo5, Syo6, CostsTax, Received,
};

// The totals of a slip from its two line totals (m_BuhiMeiTot and
// m_KouMeiTot, set by the caller): discounts as amounts or percentages
// (hundredths of a percent), consumption tax on parts and labour and on
// the taxable costs, the slip total and the amount billed, each rounded by
// the shop's rules in exact integers. A typed tax stays until what it is
// computed from changes.
//
// An invoice issuer rounds the tax once per rate: the slip's tax is then the
// shop's rounding of (parts and labour after discounts + taxable costs) ×
// rate. BuhiKouZei keeps the rounded tax of parts and labour and SyoZei holds
// the rest of that one figure, so the two still add up to it.
class SlipTotals {
public:
    // Why the totals are recomputed: the field group the user changed, or
    // everything (a line changed, recording, printing).
    enum class Cause { PartsDiscount = 0, LabourDiscount = 1, Costs = 2, Tax = 3, Received = 4,
                       Everything = 9 };

    struct Outcome {
        bool ok = true;
        TotalsField focus = TotalsField::None;
        // Empty when the overflow guard has shown its own message.
        QString message;
    };

    enum class TaxRounding { PerPart, OncePerRate };

    explicit SlipTotals(const data::RoundingSettings& rounding,
                        TaxRounding taxRounding = TaxRounding::PerPart);

    // What the filled form holds, as the base of later comparisons.
    void remember(const data::SyaheadRow& slip);
    // The next recomputation of everything computes both taxes afresh at
    // the current rate, typed or stored ones included (a transferred slip is
    // a new sale at today's rate).
    void requireFreshTax() { m_freshTax = true; }
    // Recomputes the slip's totals in place; on failure the slip holds the
    // values up to the failed step.
    Outcome recalc(Cause cause, data::SyaheadRow& slip);

    static constexpr int kBilledLimit = 99'999'999;
    static QString billedRangeMessage();

private:
    int rounded(qint64 numerator, qint64 denominator, const data::RoundingRule& rule) const;
    int tax(qint64 base) const;

    data::RoundingSettings m_rounding;
    qint64 m_rate = 0;
    int m_partsLines = 0;
    int m_labourLines = 0;
    int m_partsDiscount = 0;
    int m_labourDiscount = 0;
    int m_daiko = 0;
    int m_syo5 = 0;
    int m_syo6 = 0;
    int m_lastBilled = 0;
    bool m_freshTax = false;
    bool m_oncePerRate = false;
};

} // namespace kv::slips
