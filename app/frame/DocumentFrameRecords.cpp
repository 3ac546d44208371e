#include "app/frame/DocumentFrameRecords.h"

#include "app/frame/FrameCommands.h"
#include "data/document/CCarMaintenanceDoc.h"

namespace kv::app {
namespace {

void reorder(data::Recordset& set, const QString& sort)
{
    set.SetFilter(QString());
    set.SetSort(sort);
    if (set.IsOpen())
        set.Requery();
}

} // namespace

DocumentFrameRecords::DocumentFrameRecords(data::CCarMaintenanceDoc& document)
    : m_document(document)
{
}

void DocumentFrameRecords::orderCustomersAndVehicles(const QString& customerSort,
                                                     const QString& vehicleSort)
{
    reorder(m_document.customers(), customerSort);
    reorder(m_document.vehicles(), vehicleSort);
}

void DocumentFrameRecords::orderBalances(const QString& sort)
{
    reorder(m_document.balances(), sort);
}

void DocumentFrameRecords::deleteCustomer(int code)
{
    // Only this computer's placeholder: another may have recorded the code.
    m_document.DiscardCustomerPlaceholder(code);
}

void DocumentFrameRecords::deleteVehicle(int code)
{
    m_document.DiscardVehiclePlaceholder(code);
}

bool DocumentFrameRecords::ShareLock(const QString& resource, int code, int action)
{
    return m_document.ShareLock(resource, m_document.computerName(), code, action);
}

void DocumentFrameRecords::DiscardReservedCustomer()
{
    if (m_commands)
        m_commands->DiscardReservedCustomer();
}

void DocumentFrameRecords::DiscardReservedVehicle()
{
    if (m_commands)
        m_commands->DiscardReservedVehicle();
}

} // namespace kv::app
