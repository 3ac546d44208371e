#pragma once

#include "controls/FieldVerdict.h"
#include "records/NewRecordCodes.h"
#include "records/PanelField.h"
#include "records/ReservationHost.h"

namespace kv::data {
class CCarMaintenanceDoc;
}

namespace kv::records {

class CFMainPanel;
class PanelHost;

// Preparing a new customer (F10) or a new vehicle (F11) on the panel, and
// the code field's check while one is entered; the codes themselves are
// NewRecordCodes' business.
class NewRecordEntry {
public:
    NewRecordEntry(CFMainPanel& panel, data::CCarMaintenanceDoc& document, PanelHost& host,
                   ReservationHost& reservations);

    // The reserved customer code, 0 when none could be had.
    int NewCustomer();
    // False after the message, the panel unchanged.
    bool NewVehicle(int* reservedCode);

private:
    FieldVerdict codeLeft(RecordKind kind, const QString& text);

    CFMainPanel& m_panel;
    PanelHost& m_host;
    NewRecordCodes m_codes;
};

} // namespace kv::records
