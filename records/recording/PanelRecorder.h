#pragma once

#include "records/CustomerVehicleRecorder.h"
#include "records/PanelField.h"

#include <QStringList>

#include <span>

namespace kv::data {
class CCarMaintenanceDoc;
}

namespace kv::records {

class CFMainPanel;
class PanelHost;
class ReservationHost;

// Recording the panel (F12): a new customer, a new vehicle, or the pair
// shown. Each first leaves the field being edited, checks every field of
// what it writes in recording order and reads the rows, all before the
// record flow takes a lock; then shows what the flow says. False after the
// message, with nothing written.
class PanelRecorder {
public:
    PanelRecorder(CFMainPanel& panel, data::CCarMaintenanceDoc& document, PanelHost& host,
                  ReservationHost& reservations);

    bool RecordNewCustomer();
    bool RecordNewVehicle();
    // Also trims the vehicle's slip history to 120 slips.
    bool RecordCurrent();

    // Where the mode goes once a new customer or vehicle is recorded: a new
    // customer has no vehicle yet, so it never goes back to a vehicle order.
    static int modeAfterNewCustomer(int previousMode);
    static int modeAfterNewVehicle(int previousMode);

private:
    // Moves the focus to field, so that the field being left is checked
    // first; false when it refused.
    bool leaveCurrentFieldFor(PanelField field);
    bool checkFields(std::span<const PanelField> fields);
    bool readCustomer(data::KokRow& row);
    bool readVehicle(data::CarRow& row);
    bool report(const RecordingOutcome& outcome);
    // The panel's eco flag of a vehicle just recorded.
    void writeEco(int vehicleCode);
    // The cost tables' figures for the vehicle today, or why there are none.
    static QStringList costHints(data::CCarMaintenanceDoc& document, int vehicleCode);

    CFMainPanel& m_panel;
    data::CCarMaintenanceDoc& m_document;
    PanelHost& m_host;
    ReservationHost& m_reservations;
    CustomerVehicleRecorder m_recorder;
};

} // namespace kv::records
