#pragma once

#include "records/PanelRecordSource.h"

namespace kv::data {
class CCarMaintenanceDoc;
}

namespace kv::records {

// The panel's records as the document keeps them.
class DocumentPanelSource final : public PanelRecordSource {
public:
    explicit DocumentPanelSource(data::CCarMaintenanceDoc& document) : m_document(document) {}

    CDaoKokSet& customers() override;
    CDaoCarSet& vehicles() override;
    bool FindCustomer(int code) override;
    bool FindVehicle(int code) override;
    bool FindFirstVehicleOfCustomer(int customerCode) override;
    long CountCustomers() override;
    long CountVehicles() override;
    bool ShareLock(const QString& resource, int code, int action) override;

private:
    data::CCarMaintenanceDoc& m_document;
};

} // namespace kv::records
