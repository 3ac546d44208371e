#include "records/recording/PanelRemoval.h"

#include "common/MessageGateway.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "data/document/RecordRemoval.h"
#include "data/service/ShareLockAction.h"
#include "records/PanelHost.h"
#include "records/PanelMode.h"
#include "records/panel/CFMainPanel.h"
#include "records/recording/RecordingTexts.h"

namespace kv::records {

using Outcome = data::RecordRemoval::Outcome;

bool PanelRemoval::heldElsewhere(const char* resource, int code) const
{
    if (m_document.ShareLock(QString::fromLatin1(resource), m_document.computerName(), code,
                             data::ShareLockAction::IsHeldElsewhere))
        return false;
    showMessage(RecordingTexts::dataEditedElsewhere);
    return true;
}

bool PanelRemoval::DeleteCustomer()
{
    const int code = m_panel.shownCustomerCode();
    // Deleting under another computer's open slip or ledger would leave it
    // writing to a customer that is gone.
    if (code != 0 && heldElsewhere("010.mdb", code))
        return false;
    const Outcome outcome =
        code != 0 ? data::RecordRemoval(m_document).removeCustomer(code) : Outcome::Missing;
    if (outcome == Outcome::Missing)
        showMessage(RecordingTexts::customerMissing);
    if (outcome != Outcome::Removed)
        return false;
    m_panel.showNothing();
    m_panel.SetModeText(PanelMode::Nothing);
    m_panel.showTotals();
    return true;
}

bool PanelRemoval::DeleteVehicle()
{
    const int customerCode = m_panel.shownCustomerCode();
    const int vehicleCode = m_panel.shownVehicleCode();
    if (vehicleCode != 0
        && (heldElsewhere("009.mdb", vehicleCode) || heldElsewhere("010.mdb", customerCode)))
        return false;
    const Outcome outcome = vehicleCode != 0
                                ? data::RecordRemoval(m_document).removeVehicle(vehicleCode)
                                : Outcome::Missing;
    if (outcome == Outcome::Missing)
        showMessage(RecordingTexts::vehicleMissing);
    if (outcome != Outcome::Removed)
        return false;
    // The owner again, with its first remaining vehicle, its lower count and
    // the commands that follow them; the mode stays what it was.
    const int mode = m_host.mode();
    if (!m_panel.ShowCustomer(customerCode, true)) {
        m_panel.clearPanel();
        m_panel.showTotals();
        return true;
    }
    m_panel.SetModeText(mode);
    m_panel.showTotals();
    return m_panel.shownVehicleCode() == 0;
}

} // namespace kv::records
