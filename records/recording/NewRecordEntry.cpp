#include "records/recording/NewRecordEntry.h"

#include "controls/CEditEx.h"
#include "common/MessageGateway.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "data/service/ShareLockAction.h"
#include "records/PanelHost.h"
#include "records/PanelMode.h"
#include "records/PanelRecordBinding.h"
#include "records/panel/CFMainPanel.h"
#include "records/recording/RecordingTexts.h"

namespace kv::records {

using Placement = data::CCarMaintenanceDoc::Placement;

namespace {

QString codeText(int code)
{
    return code != 0 ? QString::number(code) : QString();
}

} // namespace

struct NewRecordEntry::Kind {
    RecordKind kind;
    int mode;
    const char* lock;
    PanelField codeField;
    const QString& rangeMessage;
    const QString& existsMessage;
};

const NewRecordEntry::Kind& NewRecordEntry::kindOf(RecordKind kind)
{
    static const Kind customer{RecordKind::Customer, PanelMode::NewCustomer, "NewKokDummy",
                               PanelField::KokCode, RecordingTexts::customerCodeRange,
                               RecordingTexts::customerCodeExists};
    static const Kind vehicle{RecordKind::Vehicle, PanelMode::NewVehicle, "NewCarDummy",
                              PanelField::CarCode, RecordingTexts::vehicleCodeRange,
                              RecordingTexts::vehicleCodeExists};
    return kind == RecordKind::Customer ? customer : vehicle;
}

NewRecordEntry::NewRecordEntry(CFMainPanel& panel, data::CCarMaintenanceDoc& document,
                               PanelHost& host, ReservationHost& reservations)
    : m_panel(panel)
    , m_document(document)
    , m_host(host)
    , m_reservations(reservations)
{
    for (const RecordKind kind : {RecordKind::Customer, RecordKind::Vehicle}) {
        const Kind& rules = kindOf(kind);
        auto* field = static_cast<CEditEx*>(m_panel.fieldWidget(rules.codeField));
        field->setExitCheck([this, &rules](const QString& text) { return codeLeft(rules, text); });
    }
}

bool NewRecordEntry::claim(const Kind& kind, int code)
{
    return m_document.ShareLock(QString::fromLatin1(kind.lock), m_document.computerName(), code,
                                data::ShareLockAction::Claim);
}

void NewRecordEntry::release(const Kind& kind)
{
    m_document.ShareLock(QString::fromLatin1(kind.lock), m_document.computerName(), 0,
                         data::ShareLockAction::Release);
}

QString NewRecordEntry::reservedText(const Kind& kind) const
{
    return codeText(m_reservations.reservedCode(kind.kind));
}

int NewRecordEntry::reserveFresh(const Kind& kind)
{
    const int code = kind.kind == RecordKind::Customer ? m_document.ReserveCustomerCode()
                                                       : m_document.ReserveVehicleCode();
    m_reservations.setReservedCode(kind.kind, code);
    if (code != 0)
        claim(kind, code);
    return code;
}

int NewRecordEntry::NewCustomer()
{
    const Kind& kind = kindOf(RecordKind::Customer);
    // A customer still being entered gives way to the new one.
    release(kind);
    m_reservations.discardReservation(RecordKind::Customer);

    PanelValues values;
    PanelRecordBinding::clearCustomerForNew(values);
    PanelRecordBinding::clearVehicle(values);
    m_panel.showValues(values, true, true);
    const int code = reserveFresh(kind);
    if (code == 0)
        return 0;
    values.setText(PanelField::KokCode, QString::number(code));
    m_panel.showValues(values, true, false);
    m_panel.setCustomerGroupEnabled(true);
    m_panel.setCustomerCodeEditable(true);
    m_panel.setVehicleGroupEnabled(false);
    m_panel.focusField(PanelField::KokCode);
    return code;
}

bool NewRecordEntry::NewVehicle(int* reservedCode)
{
    *reservedCode = 0;
    const int owner = m_panel.shownCustomerCode();
    if (owner == 0) {
        showMessage(RecordingTexts::noCustomerForVehicle);
        return false;
    }
    const Kind& kind = kindOf(RecordKind::Vehicle);
    if (!claim(kind, owner)) {
        showMessage(RecordingTexts::customerEditedElsewhere);
        return false;
    }
    m_reservations.discardReservation(RecordKind::Vehicle);
    const int code = m_document.ReserveVehicleCode();
    if (code == 0) {
        release(kind);
        return false;
    }
    m_reservations.setReservedCode(RecordKind::Vehicle, code);
    PanelValues values = m_panel.heldValues();
    PanelRecordBinding::clearVehicle(values);
    values.setText(PanelField::CarCode, QString::number(code));
    m_panel.showValues(values, false, true);
    m_panel.setCustomerGroupEnabled(false);
    m_panel.setVehicleGroupEnabled(true);
    m_panel.setVehicleCodeEditable(true);
    m_panel.focusField(PanelField::CarCode);
    *reservedCode = code;
    return true;
}

FieldVerdict NewRecordEntry::codeLeft(const Kind& kind, const QString& text)
{
    const QWidget* field = m_panel.fieldWidget(kind.codeField);
    const bool editable = field->isEnabled() && !static_cast<const CEditEx*>(field)->isReadOnly();
    if (m_host.mode() != kind.mode || !editable)
        return FieldVerdict::accept(text);

    bool isNumber = false;
    const qlonglong typed = text.trimmed().toLongLong(&isNumber);
    if (isNumber && typed > 0 && typed <= 999999 && !claim(kind, int(typed)))
        return FieldVerdict::refuse(RecordingTexts::codeEditedElsewhere, reservedText(kind));
    if (!isNumber || typed < 0 || typed > 999999) {
        release(kind);
        return FieldVerdict::refuse(kind.rangeMessage, text);
    }
    const int code = int(typed);
    if (code == 0) {
        m_reservations.discardReservation(kind.kind);
        return FieldVerdict::accept(codeText(reserveFresh(kind)));
    }
    if (code == m_reservations.reservedCode(kind.kind))
        return FieldVerdict::accept(QString::number(code));

    const Placement placement = kind.kind == RecordKind::Customer
                                    ? m_document.PlaceCustomerCode(code)
                                    : m_document.PlaceVehicleCode(code);
    if (placement == Placement::Placed) {
        // The typed code has its placeholder before the old one goes, so a
        // failure on the way never leaves the entry without a code.
        m_reservations.discardReservation(kind.kind);
        m_reservations.setReservedCode(kind.kind, code);
        return FieldVerdict::accept(QString::number(code));
    }
    if (placement == Placement::Failed) {
        release(kind);
        return FieldVerdict::refuse(QString(), text);
    }
    m_reservations.discardReservation(kind.kind);
    showMessage(kind.existsMessage);
    return FieldVerdict::refuse(QString(), codeText(reserveFresh(kind)));
}

} // namespace kv::records
