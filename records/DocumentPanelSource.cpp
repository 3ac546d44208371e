#include "records/DocumentPanelSource.h"

#include "data/document/CCarMaintenanceDoc.h"

namespace kv::records {

CDaoKokSet& DocumentPanelSource::customers()
{
    return m_document.customers();
}

CDaoCarSet& DocumentPanelSource::vehicles()
{
    return m_document.vehicles();
}

bool DocumentPanelSource::FindCustomer(int code)
{
    return m_document.FindCustomer(code);
}

bool DocumentPanelSource::FindVehicle(int code)
{
    return m_document.FindVehicle(code);
}

bool DocumentPanelSource::FindFirstVehicleOfCustomer(int customerCode)
{
    return m_document.FindFirstVehicleOfCustomer(customerCode);
}

long DocumentPanelSource::CountCustomers()
{
    return m_document.CountCustomers();
}

long DocumentPanelSource::CountVehicles()
{
    return m_document.CountVehicles();
}

bool DocumentPanelSource::ShareLock(const QString& resource, int code, int action)
{
    return m_document.ShareLock(resource, m_document.computerName(), code, action);
}

} // namespace kv::records
