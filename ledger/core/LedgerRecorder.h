#pragma once

#include "ledger/core/LedgerEntry.h"

#include <QString>
#include <QTime>

#include <functional>
#include <optional>

namespace kv::data {
class CCarMaintenanceDoc;
}

namespace kv::ledger {

// Adding, changing and deleting a customer's ledger rows, and setting the
// carried-forward balance. Writes are serialised with slip recording and
// printing through the "Printing" section; every question is asked before
// the section is entered or a unit of work begun, so nothing waits on the
// user while other computers are held off.
class LedgerRecorder {
public:
    struct Outcome {
        bool done = false;
        // Empty when all went well or the record service has shown its own;
        // may be set with done for a note after the work (a slip gone).
        QString message;
        EntryField focus = EntryField::None;
        // The row written.
        int id = 0;
        // Whether the form starts a new entry (the row is gone, the ledger
        // full, a deletion done or declined).
        bool newEntry = false;
        // The customer's balance record is gone: a balance dialog closes.
        bool balanceGone = false;
    };

    static constexpr int kMaxRows = 1000;

    explicit LedgerRecorder(data::CCarMaintenanceDoc& document);
    // clock: the time of day a recorded row takes (the current time unless
    // set).
    void setClock(std::function<QTime()> clock) { m_clock = std::move(clock); }

    // Records a new row: the entry is recomputed first (RecalcCause::All),
    // its vehicle must exist, the customer may have at most kMaxRows rows.
    Outcome add(int customerCode, LedgerEntry& entry, RememberedAmounts& remembered);
    // Rewrites the typed row of the ID; a row still linked to its slip is
    // changed through the slip, never here.
    Outcome modify(int id, LedgerEntry& entry, RememberedAmounts& remembered);
    // Asks whether the row goes and, for a row linked to a slip that still
    // exists, whether the slip goes too; then deletes the row, or the row
    // with the slip's header and lines, in one unit of work.
    Outcome remove(int id);

    // KuriZan of the customer's balance record, 0 for an existing customer
    // without one; nullopt when neither exists.
    std::optional<qint64> carriedForward(int customerCode);
    // Writes a carried-forward balance the caller has asked for, adding the
    // balance record an existing customer lacks; a value KuriZan cannot
    // hold is refused with its message and nothing written.
    Outcome setCarriedForward(int customerCode, qint64 value);

    static QString ledgerFullMessage();
    static QString balanceRangeMessage();

private:
    bool customerExists(int customerCode);
    Outcome record(int customerCode, int id, LedgerEntry& entry, RememberedAmounts& remembered);

    data::CCarMaintenanceDoc& m_document;
    std::function<QTime()> m_clock;
};

} // namespace kv::ledger
