#include "records/NewRecordCodes.h"

#include "data/document/CCarMaintenanceDoc.h"
#include "data/service/ShareLockAction.h"
#include "records/RecordingTexts.h"

namespace kv::records {

using Placement = data::CCarMaintenanceDoc::Placement;

namespace {

QString codeText(int code)
{
    return code != 0 ? QString::number(code) : QString();
}

} // namespace

struct NewRecordCodes::Kind {
    RecordKind kind;
    const char* lock;
    const QString& rangeMessage;
    const QString& existsMessage;
};

const NewRecordCodes::Kind& NewRecordCodes::kindOf(RecordKind kind)
{
    static const Kind customer{RecordKind::Customer, "NewKokDummy",
                               RecordingTexts::customerCodeRange,
                               RecordingTexts::customerCodeExists};
    static const Kind vehicle{RecordKind::Vehicle, "NewCarDummy",
                              RecordingTexts::vehicleCodeRange, RecordingTexts::vehicleCodeExists};
    return kind == RecordKind::Customer ? customer : vehicle;
}

NewRecordCodes::NewRecordCodes(data::CCarMaintenanceDoc& document, ReservationHost& reservations)
    : m_document(document)
    , m_reservations(reservations)
{
}

bool NewRecordCodes::claim(const Kind& kind, int code)
{
    return m_document.ShareLock(QString::fromLatin1(kind.lock), m_document.computerName(), code,
                                data::ShareLockAction::Claim);
}

void NewRecordCodes::release(const Kind& kind)
{
    m_document.ShareLock(QString::fromLatin1(kind.lock), m_document.computerName(), 0,
                         data::ShareLockAction::Release);
}

QString NewRecordCodes::reservedText(const Kind& kind) const
{
    return codeText(m_reservations.reservedCode(kind.kind));
}

int NewRecordCodes::reserveFresh(const Kind& kind)
{
    const int code = kind.kind == RecordKind::Customer ? m_document.ReserveCustomerCode()
                                                       : m_document.ReserveVehicleCode();
    m_reservations.setReservedCode(kind.kind, code);
    if (code != 0)
        claim(kind, code);
    return code;
}

int NewRecordCodes::startCustomer()
{
    const Kind& kind = kindOf(RecordKind::Customer);
    // A customer still being entered gives way to the new one.
    release(kind);
    m_reservations.discardReservation(RecordKind::Customer);
    return reserveFresh(kind);
}

RecordingOutcome NewRecordCodes::startVehicle(int ownerCode, int* reservedCode)
{
    *reservedCode = 0;
    if (ownerCode == 0)
        return RecordingOutcome::refused(RecordingTexts::noCustomerForVehicle);
    const Kind& kind = kindOf(RecordKind::Vehicle);
    if (!claim(kind, ownerKey(ownerCode)))
        return RecordingOutcome::refused(RecordingTexts::customerEditedElsewhere);
    m_reservations.discardReservation(RecordKind::Vehicle);
    const int code = m_document.ReserveVehicleCode();
    if (code == 0) {
        release(kind);
        return RecordingOutcome::refused();
    }
    m_reservations.setReservedCode(RecordKind::Vehicle, code);
    *reservedCode = code;
    return RecordingOutcome::success();
}

NewRecordCodes::Verdict NewRecordCodes::codeTyped(RecordKind which, const QString& text)
{
    const Kind& kind = kindOf(which);
    bool isNumber = false;
    const qlonglong typed = text.trimmed().toLongLong(&isNumber);
    if (isNumber && typed > 0 && typed <= 999999 && !claim(kind, int(typed)))
        return {false, reservedText(kind), RecordingTexts::codeEditedElsewhere};
    if (!isNumber || typed < 0 || typed > 999999) {
        release(kind);
        // A code that is no code is not left standing.
        return {false, QString(), kind.rangeMessage};
    }
    const int code = int(typed);
    if (code == 0) {
        m_reservations.discardReservation(kind.kind);
        return {true, codeText(reserveFresh(kind)), {}};
    }
    if (code == m_reservations.reservedCode(kind.kind))
        return {true, QString::number(code), {}};

    const Placement placement = kind.kind == RecordKind::Customer
                                    ? m_document.PlaceCustomerCode(code)
                                    : m_document.PlaceVehicleCode(code);
    if (placement == Placement::Placed) {
        // The typed code has its placeholder before the old one goes, so a
        // failure on the way never leaves the entry without a code.
        m_reservations.discardReservation(kind.kind);
        m_reservations.setReservedCode(kind.kind, code);
        return {true, QString::number(code), {}};
    }
    if (placement == Placement::Failed) {
        release(kind);
        return {false, reservedText(kind), {}};
    }
    m_reservations.discardReservation(kind.kind);
    return {false, codeText(reserveFresh(kind)), kind.existsMessage};
}

} // namespace kv::records
