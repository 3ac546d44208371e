#pragma once

#include "data/tables/TableRows.h"
#include "slips/core/JobCategoryList.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace kv::data {
class CCarMaintenanceDoc;
}

namespace kv::ledger {

// The columns of the ledger list.
enum class LedgerColumn {
    Date, SlipNo, Category, Buhin, Koutin, Sonota, Zei, Costs, Tot, Payments, Result, Balance,
    Note, Count
};

// One line of the ledger list: its texts, and beside them the row's
// identity, date-time, linked slip and effect on the balance.
struct LedgerLine {
    int id = 0;
    double dateTime = 0.0;
    // DenNo while the row is linked to its slip, else 0.
    int linkedSlip = 0;
    qint64 effect = 0; // GTot
    qint64 balance = 0;
    std::array<QString, int(LedgerColumn::Count)> texts;

    const QString& text(LedgerColumn column) const { return texts[size_t(column)]; }
};

// A customer's ledger rows in date order with the running balance from the
// carried-forward balance. Balances are summed in 64 bits: one that passes
// what a balance column can hold is shown as it is and reported, never
// wrapped.
class LedgerRows {
public:
    static constexpr int kMaxRows = 1000;
    // What KuriZan can hold.
    static constexpr qint64 kBalanceLimit = 999'999'999;
    static constexpr int kMaxCategories = slips::JobCategoryList::kMaxItems;

    LedgerRows() = default;
    LedgerRows(qint64 carriedForward, const std::vector<data::ToriJnlRow>& rows,
               std::vector<slips::JobCategory> categories);

    // The customer's rows ("KokCode = n", by date then ID), the KuriZan of
    // the balance record (0 without one) and the first 20 job categories
    // of every kind in code order; nullopt with the engine's text in error.
    static std::optional<LedgerRows> load(data::CCarMaintenanceDoc& document, int customerCode,
                                          QString* error);

    qint64 carriedForward() const { return m_carriedForward; }
    const std::vector<LedgerLine>& lines() const { return m_lines; }
    const std::vector<slips::JobCategory>& categories() const { return m_categories; }
    // The category with the code, null when the list lacks it.
    const slips::JobCategory* category(int code) const;

    // The line of a row, its texts from the row and the categories.
    LedgerLine lineOf(const data::ToriJnlRow& row) const;

    void setCarriedForward(qint64 value);
    // Adds the row's line, or replaces the line of the same ID, then orders.
    void put(const data::ToriJnlRow& row);
    // Removes the line of the ID; false when there is none.
    bool remove(int id);

    // Lines by date-time, then ID; balances computed again from the
    // carried-forward balance.
    void reorder();

    int indexOfId(int id) const;
    // The line linked to the slip number, -1 when none is.
    int indexOfSlip(int slipNumber) const;
    // The first line whose balance lies beyond kBalanceLimit, -1 when none.
    int firstBalanceBeyondLimit() const;

private:
    void recomputeBalances();

    qint64 m_carriedForward = 0;
    std::vector<LedgerLine> m_lines;
    std::vector<slips::JobCategory> m_categories;
};

} // namespace kv::ledger
