#pragma once

#include "data/engine/EngineError.h"

#include <QStringList>

class CDaoCarSet;
class CDaoSyaJnlSet;
class CDaoToriJnlSet;

namespace kv::data {

class CCarMaintenanceDoc;
class Recordset;

// Deletes a customer or a vehicle with everything that hangs on it, as one
// unit of work: a failure or a crash part-way leaves every row as it was.
// Photo files go only once the rows are gone for good. Database errors are
// shown; a missing record is left to the caller to report.
class RecordRemoval {
public:
    enum class Outcome { Removed, Missing, Failed };

    explicit RecordRemoval(CCarMaintenanceDoc& document) : m_document(document) {}

    // The customer's ledger rows, its vehicles with their slips, its
    // balance record and the customer itself.
    Outcome removeCustomer(int customerCode, int* vehiclesRemoved = nullptr);
    // The vehicle with its slips, whose ledger rows stay unlinked (DenFlag
    // and CarCode 0); the owner's vehicle count drops by one, never below 0.
    Outcome removeVehicle(int vehicleCode);

private:
    // The current vehicle of the set and its slips.
    bool removeVehicleRow(CDaoCarSet& vehicle, CDaoSyaJnlSet& lines, CDaoToriJnlSet& ledger,
                          QStringList* photos);
    bool deleteAll(Recordset& set);
    bool fail(const EngineError& error);
    // After a commit: the document's views drop the deleted rows, the
    // photo files go.
    void finish(const QStringList& photos);

    CCarMaintenanceDoc& m_document;
    EngineError m_error;
};

} // namespace kv::data
