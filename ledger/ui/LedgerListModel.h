#pragma once

#include "controls/TypedListModel.h"
#include "ledger/core/LedgerRows.h"

class QSettings;

namespace kv::ledger {

// The ledger list's rows: one line per ledger row with its running
// balance, keyed by the row's ID. The column widths come from the profile
// section "Moto".
class LedgerListModel : public TypedListModel<LedgerLine> {
public:
    explicit LedgerListModel(QSettings* profile, QObject* parent = nullptr);

    // The profile entry of a column's width ("Moto/DateWidth").
    static QString widthKey(int column);

    void show(const LedgerRows& rows);
};

} // namespace kv::ledger
