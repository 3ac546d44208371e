#pragma once

#include "records/CustomerVehicleRecorder.h"

namespace kv::data {
class CCarMaintenanceDoc;
}

namespace kv::records {

class CFMainPanel;
class PanelHost;

// Deleting the customer shown, with everything that hangs on it, or the
// vehicle shown with its slips (Alt+F5, once the frame has asked), and
// what the panel shows afterwards. A refused deletion leaves the panel as
// it was.
class PanelRemoval {
public:
    PanelRemoval(CFMainPanel& panel, data::CCarMaintenanceDoc& document, PanelHost& host)
        : m_panel(panel), m_host(host), m_recorder(document)
    {
    }

    // True when the customer is gone and the panel cleared.
    bool DeleteCustomer();
    // True when the vehicle is gone and its owner has no other vehicle to show.
    bool DeleteVehicle();

private:
    CFMainPanel& m_panel;
    PanelHost& m_host;
    CustomerVehicleRecorder m_recorder;
};

} // namespace kv::records
