#pragma once

#include "data/tables/TableRows.h"
#include "reports/core/ClosingPeriod.h"

#include <QString>

#include <optional>
#include <vector>

namespace kv::reports {

// What a customer is billed for a period, in 64 bits.
struct BillingFigures {
    // KuriZan and every GTot dated before the period.
    qint64 carryOver = 0;
    // Nyu and NyuCho within the period.
    qint64 receipts = 0;
    // Sales within the period: GTot + NyuCho + Nyu of a sale paid at once
    // (ToriKbn 0), GTot of a sale on credit (ToriKbn 1).
    qint64 periodAmount = 0;
    qint64 billingAmount = 0;
    // Rows within the period other than payments.
    int periodSales = 0;
    bool operator==(const BillingFigures&) const = default;
};

// Which customers the billing list takes: the profile's "Meisai" asks for
// sales in the period, "Seikyu" for an amount to bill; with both or
// neither, the two conditions together (both) or either (neither).
struct BillingInclusion {
    bool sales = false;  // "Meisai"
    bool amount = true;  // "Seikyu"

    bool includes(const BillingFigures& figures) const;
};

namespace BillingRule {

// What a balance column can hold; every running sum stays within it.
inline constexpr qint64 kSumLimit = 999'999'999;
// What the billing amount may reach.
inline constexpr qint64 kBillingLimit = 9'999'999'999;

// Adds value to a running sum; false when the sum leaves kSumLimit.
bool addWithin(qint64& sum, qint64 value);
// What a row sold: GTot + NyuCho + Nyu paid at once, GTot on credit, 0 for
// a payment.
qint64 saleAmount(const data::ToriJnlRow& row);

// The figures of a customer from its KuriZan and its ledger rows (rows
// after the period are ignored); none when a sum leaves its bounds.
std::optional<BillingFigures> compute(qint64 carriedForward, const std::vector<data::ToriJnlRow>& rows,
                                      const ReportPeriod& period);

inline QString overflowMessage() { return QStringLiteral("オーバーフローが発生しました！\n処理を中止します"); }

} // namespace BillingRule

} // namespace kv::reports
