#include "app/startup/DocumentRecordService.h"

#include "data/document/CCarMaintenanceDoc.h"

namespace kv::app {

DocumentRecordService::DocumentRecordService(data::CCarMaintenanceDoc& document)
    : m_document(document)
{
}

bool DocumentRecordService::OpenAllDatabases()
{
    return m_document.OpenAllDatabases();
}

void DocumentRecordService::CloseDatabases()
{
    m_document.CloseDatabases(m_reserved);
}

} // namespace kv::app
