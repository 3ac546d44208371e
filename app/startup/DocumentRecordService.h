#pragma once

#include "app/startup/RecordService.h"

namespace kv::data {
class CCarMaintenanceDoc;
class ReservedRecords;
}

namespace kv::app {

// The record service of the document as start-up and closing use it; the
// main window's reserved codes are dropped as the databases close.
class DocumentRecordService final : public RecordService {
public:
    explicit DocumentRecordService(data::CCarMaintenanceDoc& document);

    void setReservedRecords(data::ReservedRecords* reserved) { m_reserved = reserved; }
    bool OpenAllDatabases() override;
    void CloseDatabases() override;

private:
    data::CCarMaintenanceDoc& m_document;
    data::ReservedRecords* m_reserved = nullptr;
};

} // namespace kv::app
