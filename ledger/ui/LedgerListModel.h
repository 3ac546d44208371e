#pragma once

#include "controls/TypedListModel.h"
#include "ledger/core/LedgerRows.h"

class QSettings;

namespace kv::ledger {

// The ledger list's rows: one line per ledger row with its running
// balance, keyed by the row's ID. The column widths come from the profile
// section "Moto"; where none is saved, an amount column is at least
// amountWidth wide, so that its widest value is never cut.
class LedgerListModel : public TypedListModel<LedgerLine> {
public:
    explicit LedgerListModel(QSettings* profile, int amountWidth = 0, QObject* parent = nullptr);

    // The widest text an amount column shows: eleven digits, their commas
    // and a sign.
    static QString widestAmount() { return QStringLiteral("-99,999,999,999"); }

    // The profile entry of a column's width ("Moto/DateWidth").
    static QString widthKey(int column);

    void show(const LedgerRows& rows);
};

} // namespace kv::ledger
