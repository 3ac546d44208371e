#include "records/recording/PanelRemoval.h"

#include "common/MessageGateway.h"
#include "records/PanelHost.h"
#include "records/PanelMode.h"
#include "records/panel/CFMainPanel.h"

namespace kv::records {

namespace {

bool reported(const RecordingOutcome& outcome)
{
    if (!outcome.done && !outcome.message.isEmpty())
        showMessage(outcome.message);
    return outcome.done;
}

} // namespace

bool PanelRemoval::DeleteCustomer()
{
    if (!reported(m_recorder.removeCustomer(m_panel.shownCustomerCode())))
        return false;
    m_panel.showNothing();
    m_panel.SetModeText(PanelMode::Nothing);
    m_panel.showTotals();
    return true;
}

bool PanelRemoval::DeleteVehicle()
{
    const int customerCode = m_panel.shownCustomerCode();
    if (!reported(m_recorder.removeVehicle(customerCode, m_panel.shownVehicleCode())))
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
