#pragma once

#include "app/frame/FrameRecords.h"
#include "data/document/ReservedRecords.h"

namespace kv::data {
class CCarMaintenanceDoc;
}

namespace kv::app {

class FrameCommands;

// The main window's commands on the document's recordsets and lock tables;
// also hands the document the frame's reserved codes as it closes.
class DocumentFrameRecords final : public FrameRecords, public data::ReservedRecords {
public:
    explicit DocumentFrameRecords(data::CCarMaintenanceDoc& document);

    void setCommands(FrameCommands* commands) { m_commands = commands; }

    void orderCustomersAndVehicles(const QString& customerSort, const QString& vehicleSort) override;
    void orderBalances(const QString& sort) override;
    void deleteCustomer(int code) override;
    void deleteVehicle(int code) override;
    bool ShareLock(const QString& resource, int code, int action) override;

    void DiscardReservedCustomer() override;
    void DiscardReservedVehicle() override;

private:
    data::CCarMaintenanceDoc& m_document;
    FrameCommands* m_commands = nullptr;
};

} // namespace kv::app
