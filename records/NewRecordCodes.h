#pragma once

#include "records/RecordingOutcome.h"
#include "records/ReservationHost.h"

#include <QString>

namespace kv::data {
class CCarMaintenanceDoc;
}

namespace kv::records {

// The codes of a customer (F10) or vehicle (F11) being entered: the lowest
// free code reserved with its placeholder under the new-record lock, and a
// code the user types over it, which is claimed, checked and, when free,
// takes the reserved code's place with a placeholder of its own.
//
// The new-vehicle lock also guards the owner while its vehicle is entered;
// the owner is held under its negated code, so that no customer code is
// ever taken for a vehicle code of the same number.
class NewRecordCodes {
public:
    NewRecordCodes(data::CCarMaintenanceDoc& document, ReservationHost& reservations);

    // What leaving the code field comes to: the text to show, and when
    // refused the message (empty when already shown) and the field keeps
    // the focus.
    struct Verdict {
        bool accepted = true;
        QString text;
        QString message;
    };

    // Drops a customer still being entered and reserves a fresh code; 0
    // when none could be had.
    int startCustomer();
    // Claims the owner and reserves a vehicle code for it.
    RecordingOutcome startVehicle(int ownerCode, int* reservedCode);
    Verdict codeTyped(RecordKind kind, const QString& text);

    // The lock key under which the owner of a vehicle being entered is held.
    static int ownerKey(int customerCode) { return -customerCode; }

private:
    struct Kind;
    static const Kind& kindOf(RecordKind kind);

    bool claim(const Kind& kind, int code);
    void release(const Kind& kind);
    // The lowest free code reserved, claimed and returned; 0 when none.
    int reserveFresh(const Kind& kind);
    QString reservedText(const Kind& kind) const;

    data::CCarMaintenanceDoc& m_document;
    ReservationHost& m_reservations;
};

} // namespace kv::records
