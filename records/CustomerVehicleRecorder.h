#pragma once

#include "data/tables/TableRows.h"
#include "records/RecordingOutcome.h"

namespace kv::data {
class CCarMaintenanceDoc;
}

namespace kv::records {

// Recording and deleting customers and vehicles over plain rows: the named
// locks, the unit of work, the balance record, the vehicle count, the slip
// history limit and the announcement to the other computers. Every check
// of the values runs before any lock is taken; the writes of one recording
// land together or not at all. The windows gather the rows and show what
// the outcome says.
class CustomerVehicleRecorder {
public:
    explicit CustomerVehicleRecorder(data::CCarMaintenanceDoc& document);

    // A non-zero referrer must be a customer (not a placeholder); an unknown
    // one is refused with the referrer field to reset.
    RecordingOutcome checkReferrer(const data::KokRow& customer);

    // Overwrites the placeholder under the customer's reserved code, adds its
    // balance record and gives up the new-customer lock.
    RecordingOutcome recordNewCustomer(const data::KokRow& customer);
    // Overwrites the placeholder under the vehicle's reserved code for its
    // owner (m_KokCode), counts it to the owner and gives up the
    // new-vehicle lock.
    RecordingOutcome recordNewVehicle(const data::CarRow& vehicle);
    // Rewrites the customer and, when given, its vehicle, under the locks of
    // both tables; then trims the vehicle's slip history.
    RecordingOutcome recordCurrent(const data::KokRow& customer, const data::CarRow* vehicle);

    // The customer with its vehicles, slips, ledger and balance; refused
    // while another computer works on it.
    RecordingOutcome removeCustomer(int customerCode);
    // The vehicle with its slips; refused while another computer works on it
    // or its owner.
    RecordingOutcome removeVehicle(int customerCode, int vehicleCode);

    static constexpr int kMaxVehiclesPerCustomer = 500;

private:
    // The columns recording never takes from the window: the code the row
    // was found by and the count the recording itself keeps.
    void writeCustomerColumns(const data::KokRow& customer);
    void writeVehicleColumns(const data::CarRow& vehicle);
    bool heldElsewhere(const char* resource, int code);
    bool currentCustomerIsPlaceholder();

    data::CCarMaintenanceDoc& m_document;
};

} // namespace kv::records
