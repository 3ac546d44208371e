#pragma once

#include "data/costs/CostLookup.h"
#include "slips/core/SlipTotals.h"

#include <QObject>
#include <QString>

#include <functional>
#include <map>
#include <optional>

class QComboBox;
class QLabel;

namespace kv::slips {

class CFTot;

// Fills the totals' 自賠責料, 重量税 and 印紙代 of an inspection slip from
// the dated cost tables: for the slip's date, with 24 or 25 months of
// insurance as chosen beside the fields. An amount the user typed stays
// as typed through every refill (F5 refills); a figure the tables do not
// decide is left alone and its field's tooltip says why. The bar under
// the fields names the tables used and warns of one older than a year.
class StatutoryCostFill : public QObject {
    Q_OBJECT
public:
    // The quote for the slip's current date with the months given;
    // nullopt after a message was shown.
    using QuoteSource = std::function<std::optional<data::CostQuote>(int months)>;

    StatutoryCostFill(CFTot& totals, QuoteSource source, int defaultMonths);

    // Looks the figures up and puts them into the fields not typed.
    bool fill();
    bool hasFilled() const { return m_filled; }

    QComboBox* monthsCombo() const { return m_months; }
    QLabel* tableLabel() const { return m_tables; }
    int months() const;

    static QString staleWarning();

private:
    bool typed(TotalsField which) const;

    CFTot& m_totals;
    QuoteSource m_source;
    QComboBox* m_months = nullptr;
    QLabel* m_tables = nullptr;
    // What the last fill put into each field, to tell a typed amount.
    std::map<TotalsField, QString> m_filledText;
    bool m_filled = false;
};

} // namespace kv::slips
