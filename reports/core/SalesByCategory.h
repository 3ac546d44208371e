#pragma once

#include "reports/core/SalesFigures.h"

#include <QDate>
#include <QString>

#include <optional>
#include <vector>

namespace kv::data {
class Connection;
}

namespace kv::reports {

// A job category as the sales analysis takes it.
struct SalesCategory {
    int code = 0; // NyuukoKbnCode
    QString name;
    int kind = 0; // NyuukoKind
};

// The sales of a period by job category, or of one category by month, from
// the ledger transactions (ToriJnl) and, where asked, the monthly totals of
// the sales analysis table (UriBunReport). The sums are taken by the
// database over its indexes; only the twenty slots come back.
class SalesByCategory {
public:
    static constexpr int kPaymentKind = 99;
    static constexpr int kMonths = 12;

    enum class Sources { Ledger, LedgerAndReport };

    // The job categories in table order; nullopt with the engine's text.
    static std::optional<std::vector<SalesCategory>> loadCategories(data::Connection& connection,
                                                                    QString* error);
    // The categories that take a slot, in their order: those of a kind
    // other than payment, the first twenty of them. A category's place is
    // its slot and its colour.
    static std::vector<SalesCategory> slotCategories(const std::vector<SalesCategory>& all);

    // Slot i holds what category taken[i] sold from the first day 00:00:00
    // through the last day 23:59:59. More than twenty slots stop the
    // figures with their fault.
    static std::optional<SalesFigures> byCategory(data::Connection& connection,
                                                  const std::vector<SalesCategory>& taken, const QDate& first,
                                                  const QDate& last, Sources sources, QString* error);
    // Slot k holds what the category sold in the k-th month from the month
    // of firstMonth, for twelve months.
    static std::optional<SalesFigures> byMonth(data::Connection& connection, const SalesCategory& category,
                                               const QDate& firstMonth, Sources sources, QString* error);
};

} // namespace kv::reports
