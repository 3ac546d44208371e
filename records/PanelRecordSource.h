#pragma once

#include <QString>

class CDaoCarSet;
class CDaoKokSet;

namespace kv::records {

// What the panel needs of the record service: the customer and vehicle
// recordsets in the current search order, the look-ups by code, the counts
// and the cross-computer lock tables (for this computer).
class PanelRecordSource {
public:
    virtual ~PanelRecordSource() = default;

    virtual CDaoKokSet& customers() = 0;
    virtual CDaoCarSet& vehicles() = 0;
    // Find-first by code on the recordset, which then stands on the record.
    virtual bool FindCustomer(int code) = 0;
    virtual bool FindVehicle(int code) = 0;
    virtual bool FindFirstVehicleOfCustomer(int customerCode) = 0;
    // -1 after a database error.
    virtual long CountCustomers() = 0;
    virtual long CountVehicles() = 0;
    // ShareLock of the record service for this computer (ShareLockAction).
    virtual bool ShareLock(const QString& resource, int code, int action) = 0;
};

} // namespace kv::records
