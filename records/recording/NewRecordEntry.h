#pragma once

#include "controls/FieldVerdict.h"
#include "records/PanelField.h"
#include "records/recording/ReservationHost.h"

#include <QString>

namespace kv::data {
class CCarMaintenanceDoc;
}

namespace kv::records {

class CFMainPanel;
class PanelHost;

// Preparing a new customer (F10) or a new vehicle (F11) under a reserved
// code, and the code the user may type over the reserved one: it is
// claimed for this computer, checked and, when free, takes the reserved
// code's place with a placeholder of its own.
class NewRecordEntry {
public:
    NewRecordEntry(CFMainPanel& panel, data::CCarMaintenanceDoc& document, PanelHost& host,
                   ReservationHost& reservations);

    // The reserved customer code, 0 when none could be had.
    int NewCustomer();
    // False after the message, the panel unchanged.
    bool NewVehicle(int* reservedCode);

private:
    struct Kind;
    static const Kind& kindOf(RecordKind kind);

    FieldVerdict codeLeft(const Kind& kind, const QString& text);
    // The lowest free code reserved, claimed and returned; 0 when none.
    int reserveFresh(const Kind& kind);
    bool claim(const Kind& kind, int code);
    void release(const Kind& kind);
    QString reservedText(const Kind& kind) const;

    CFMainPanel& m_panel;
    data::CCarMaintenanceDoc& m_document;
    PanelHost& m_host;
    ReservationHost& m_reservations;
};

} // namespace kv::records
