#pragma once

namespace kv::data {
class CCarMaintenanceDoc;
}

namespace kv::records {

class CFMainPanel;
class PanelHost;

// Deleting the customer shown, with everything that hangs on it, or the
// vehicle shown with its slips (Alt+F5, once the frame has asked). Records
// another computer has open in its slip or ledger work are not deleted.
class PanelRemoval {
public:
    PanelRemoval(CFMainPanel& panel, data::CCarMaintenanceDoc& document, PanelHost& host)
        : m_panel(panel), m_document(document), m_host(host)
    {
    }

    // True when the customer is gone and the panel cleared.
    bool DeleteCustomer();
    // True when the vehicle is gone and its owner has no other vehicle to show.
    bool DeleteVehicle();

private:
    bool heldElsewhere(const char* resource, int code) const;

    CFMainPanel& m_panel;
    data::CCarMaintenanceDoc& m_document;
    PanelHost& m_host;
};

} // namespace kv::records
