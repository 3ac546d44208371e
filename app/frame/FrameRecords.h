#pragma once

#include <QString>

namespace kv::app {

// The document's side of the main window's commands: the order of the
// customer, vehicle and balance recordsets, the placeholders of new records
// and the cross-computer locks.
class FrameRecords {
public:
    virtual ~FrameRecords();
    // Empty filters, the given sorts, requeried.
    virtual void orderCustomersAndVehicles(const QString& customerSort,
                                           const QString& vehicleSort) = 0;
    virtual void orderBalances(const QString& sort) = 0;
    // Deletes the placeholder this computer reserved under the code.
    virtual void deleteCustomer(int code) = 0;
    virtual void deleteVehicle(int code) = 0;
    virtual bool ShareLock(const QString& resource, int code, int action) = 0;
};

} // namespace kv::app
