#pragma once

#include "data/tables/TableRows.h"

#include <QString>

#include <vector>

namespace kv::data {
class CCarMaintenanceDoc;
}

namespace kv::slips {

// The slip work of one customer's vehicle: the edit locks held while it is
// open, the vehicle's slip history, loading a slip, and deleting one from
// the history with its sale.
//
// Slip windows of several computers may share a customer (each marks
// "DenKok"), but never a customer or vehicle that is being edited.
class SlipAccess {
public:
    explicit SlipAccess(data::CCarMaintenanceDoc& document);

    struct Opened {
        bool ok = false;
        // Empty when the record service has shown its own.
        QString message;
    };

    // Takes "010.mdb", "DenKok" and "009.mdb" and checks that both records
    // exist; on a refusal whatever was taken is given back.
    Opened open(int customerCode, int vehicleCode);
    // Gives back this computer's entries of the three locks.
    void close();

    // The vehicle's slips, oldest issue first.
    std::vector<data::SyaheadRow> history(int vehicleCode);
    // A stored slip with its lines in line order; false when it is gone.
    bool load(int slipNumber, data::SyaheadRow* header, std::vector<data::SyaJnlRow>* lines);

    // Deletes a slip after the user confirmed, with its lines; its sale goes
    // too or stays unlinked, as the user says. Both questions come before
    // anything is written; the deletion is one unit of work. False when the
    // user declined or it failed (after the message).
    bool removeSlip(int slipNumber);

private:
    void release(const char* resource);

    data::CCarMaintenanceDoc& m_document;
};

} // namespace kv::slips
