#pragma once

#include "data/tables/TableRows.h"

#include <QString>

#include <optional>

namespace kv::data {
class CCarMaintenanceDoc;
}

namespace kv::ledger {

// What the ledger window reads beside its rows, and the customer's lock it
// holds while open. Every look-up goes through the record service's main
// connection; the lock is "010.mdb" for the customer, so that the customer
// is neither edited nor given a slip elsewhere while its ledger is open.
class LedgerAccess {
public:
    explicit LedgerAccess(data::CCarMaintenanceDoc& document);

    struct Opened {
        bool ok = false;
        // Empty when the record service has shown its own.
        QString message;
        // UserName1 and UserName2 of the customer.
        QString customerName;
        // Hoyu when opened: whether the owned-vehicle list is offered.
        bool ownsVehicles = false;
    };

    // Claims "010.mdb" for the customer and checks that the customer
    // exists; a refusal gives back what was taken.
    Opened open(int customerCode);
    // Claims the lock again after a failed hand-over to a slip window took
    // this computer's entry; false when another computer holds it now.
    bool reclaim(int customerCode);
    // Gives back this computer's entry of "010.mdb".
    void close();

    // The slip a ledger row is linked to, as a slip window opens it.
    struct LinkedSlip {
        int slipNumber = 0;
        // The owner of the slip's vehicle, its billing customer, the vehicle.
        int customerCode = 0;
        int billingCode = 0;
        int vehicleCode = 0;
    };
    // nullopt with the message when the slip or its vehicle is gone.
    std::optional<LinkedSlip> linkedSlip(int slipNumber, QString* message);

    std::optional<data::ToriJnlRow> row(int id);
    std::optional<data::CarRow> vehicle(int vehicleCode);
    std::optional<data::KokRow> customer(int customerCode);

private:
    data::CCarMaintenanceDoc& m_document;
};

} // namespace kv::ledger
