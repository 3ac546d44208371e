#pragma once

#include "data/engine/EngineError.h"
#include "data/tables/DaoRecordsets.h"

#include <QStringList>

namespace kv::data {

// Removes slips with their lines while the ledger rows posted from them stay
// in the customer's books, unlinked. It opens no unit of work: the caller
// wraps one slip, or a whole deletion, in its own.
class SlipRemoval {
public:
    SlipRemoval(CDaoSyaHeadSet& headers, CDaoSyaJnlSet& lines, CDaoToriJnlSet& ledger)
        : m_headers(headers), m_lines(lines), m_ledger(ledger)
    {
    }

    // Deletes the lines of the slip and appends their photo names.
    bool deleteLines(int slipNumber, QStringList* photos);
    // Removes the current slip header: the ledger rows posted from it get
    // DenFlag 0 (and CarCode 0 when its vehicle goes too), then its lines
    // and the header itself are deleted.
    bool removeCurrentSlip(bool vehicleGoes, QStringList* photos);

    // What failed, once a call returned false.
    const EngineError& lastError() const { return m_error; }

private:
    bool unlinkLedger(int slipNumber, bool vehicleGoes);
    bool fail(const EngineError& error);

    CDaoSyaHeadSet& m_headers;
    CDaoSyaJnlSet& m_lines;
    CDaoToriJnlSet& m_ledger;
    EngineError m_error;
};

} // namespace kv::data
