#pragma once

#include "records/PanelField.h"

#include <span>

namespace kv::data {
class CCarMaintenanceDoc;
}

namespace kv::records {

class CFMainPanel;
class PanelHost;
class ReservationHost;

// Recording the panel (F12): a new customer, a new vehicle, or the pair
// shown. Each first leaves the field being edited and checks every field
// of what it writes; the writes of one recording land together inside the
// "Printing" section, and the other computers are told to re-read. False
// after the message, with nothing written.
class PanelRecorder {
public:
    PanelRecorder(CFMainPanel& panel, data::CCarMaintenanceDoc& document, PanelHost& host,
                  ReservationHost& reservations);

    bool RecordNewCustomer();
    bool RecordNewVehicle();
    // Also trims the vehicle's slip history to 120 slips.
    bool RecordCurrent();

private:
    // Moves the focus to field, so that the field being left is checked
    // first; false when it refused.
    bool leaveCurrentFieldFor(PanelField field);
    bool checkFields(std::span<const PanelField> fields);
    // What one recording writes, in this order, as one unit of work on the
    // records the document's recordsets stand on.
    struct Writes {
        bool customer = false;       // the customer from the fields
        bool balance = false;        // a balance record of 0 unless there is one
        bool vehicle = false;        // the vehicle from the fields
        bool countVehicle = false;   // the owner's vehicle count one up
    };
    bool write(const Writes& writes, int customerCode);
    bool writeSteps(const Writes& writes, int customerCode);
    // Where the mode goes once a new record is recorded.
    int modeAfterNewRecord() const;

    CFMainPanel& m_panel;
    data::CCarMaintenanceDoc& m_document;
    PanelHost& m_host;
    ReservationHost& m_reservations;
};

} // namespace kv::records
