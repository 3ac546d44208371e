#include "records/recording/NewRecordEntry.h"

#include "common/MessageGateway.h"
#include "controls/CEditEx.h"
#include "records/PanelHost.h"
#include "records/PanelMode.h"
#include "records/PanelRecordBinding.h"
#include "records/panel/CFMainPanel.h"

namespace kv::records {

namespace {

PanelField codeFieldOf(RecordKind kind)
{
    return kind == RecordKind::Customer ? PanelField::KokCode : PanelField::CarCode;
}

int entryModeOf(RecordKind kind)
{
    return kind == RecordKind::Customer ? PanelMode::NewCustomer : PanelMode::NewVehicle;
}

} // namespace

NewRecordEntry::NewRecordEntry(CFMainPanel& panel, data::CCarMaintenanceDoc& document,
                               PanelHost& host, ReservationHost& reservations)
    : m_panel(panel)
    , m_host(host)
    , m_codes(document, reservations)
{
    for (const RecordKind kind : {RecordKind::Customer, RecordKind::Vehicle}) {
        auto* field = static_cast<CEditEx*>(m_panel.fieldWidget(codeFieldOf(kind)));
        field->setExitCheck([this, kind](const QString& text) { return codeLeft(kind, text); });
    }
}

int NewRecordEntry::NewCustomer()
{
    PanelValues values;
    PanelRecordBinding::clearCustomerForNew(values);
    PanelRecordBinding::clearVehicle(values);
    m_panel.showValues(values, true, true);
    const int code = m_codes.startCustomer();
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
    const RecordingOutcome started = m_codes.startVehicle(m_panel.shownCustomerCode(), reservedCode);
    if (!started.done) {
        if (!started.message.isEmpty())
            showMessage(started.message);
        return false;
    }
    PanelValues values = m_panel.heldValues();
    PanelRecordBinding::clearVehicle(values);
    values.setText(PanelField::CarCode, QString::number(*reservedCode));
    m_panel.showValues(values, false, true);
    m_panel.setCustomerGroupEnabled(false);
    m_panel.setVehicleGroupEnabled(true);
    m_panel.setVehicleCodeEditable(true);
    m_panel.focusField(PanelField::CarCode);
    return true;
}

FieldVerdict NewRecordEntry::codeLeft(RecordKind kind, const QString& text)
{
    const auto* field = static_cast<const CEditEx*>(m_panel.fieldWidget(codeFieldOf(kind)));
    const bool editable = field->isEnabled() && !field->isReadOnly();
    if (m_host.mode() != entryModeOf(kind) || !editable)
        return FieldVerdict::accept(text);
    const NewRecordCodes::Verdict verdict = m_codes.codeTyped(kind, text);
    return verdict.accepted ? FieldVerdict::accept(verdict.text)
                            : FieldVerdict::refuse(verdict.message, verdict.text);
}

} // namespace kv::records
