#include "records/recording/PanelRecorder.h"

#include "common/MessageGateway.h"
#include "controls/CEditEx.h"
#include "data/costs/CostStore.h"
#include "data/costs/VehicleCosts.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "data/settings/SettingsStore.h"
#include "data/tables/DaoRecordsets.h"
#include "records/PanelHost.h"
#include "records/PanelMode.h"
#include "records/RecordingOrder.h"
#include "records/ReservationHost.h"
#include "records/panel/CFMainPanel.h"

#include <QCheckBox>
#include <QLocale>
#include <QWidget>

namespace kv::records {

PanelRecorder::PanelRecorder(CFMainPanel& panel, data::CCarMaintenanceDoc& document,
                             PanelHost& host, ReservationHost& reservations)
    : m_panel(panel)
    , m_document(document)
    , m_host(host)
    , m_reservations(reservations)
    , m_recorder(document)
{
    m_panel.setEcoSource([&document](int vehicleCode) {
        return data::CostStore(document.store().mainConnection()).isEco(vehicleCode);
    });
    m_panel.setCostHints([&document](int vehicleCode) { return costHints(document, vehicleCode); });
}

QStringList PanelRecorder::costHints(data::CCarMaintenanceDoc& document, int vehicleCode)
{
    data::Connection& connection = document.store().mainConnection();
    CDaoCarSet car(connection);
    if (!car.OpenWhere(QStringLiteral("CarCode = %1").arg(vehicleCode)) || car.IsEOF())
        return {};
    data::SettingsStore& settings = document.settings();
    data::VehicleCosts costs(connection, settings.vehicleClasses(), settings.vehicleUses());
    const auto quote = costs.quote(car.row(), QDate::currentDate());
    if (!quote)
        return {};
    QStringList hints;
    for (const data::CostFigure* figure : {&quote->insurance, &quote->weightTax, &quote->inspectionFee}) {
        hints << (figure->decided ? QStringLiteral("表の額 %1円（%2からの表）")
                                        .arg(QLocale(QLocale::Japanese).toString(figure->amount),
                                             figure->tableFrom.toString(QStringLiteral("yyyy/MM/dd")))
                                  : figure->reason);
    }
    return hints;
}

int PanelRecorder::modeAfterNewCustomer(int previousMode)
{
    const bool customerOrder =
        previousMode == PanelMode::CustomerCodeOrder || previousMode == PanelMode::ReadingOrder;
    return customerOrder ? previousMode : PanelMode::CustomerCodeOrder;
}

int PanelRecorder::modeAfterNewVehicle(int previousMode)
{
    return PanelMode::isSearchMode(previousMode) ? previousMode : PanelMode::CustomerCodeOrder;
}

bool PanelRecorder::leaveCurrentFieldFor(PanelField field)
{
    QWidget* target = m_panel.fieldWidget(field);
    if (m_panel.window()->focusWidget() == target) {
        // Recording ends the editing of the field the user is in.
        auto* edit = qobject_cast<CEditEx*>(target);
        return !edit || edit->finishEditing();
    }
    target->setFocus(Qt::OtherFocusReason);
    // A field that refused its value took the focus back.
    return m_panel.window()->focusWidget() == target;
}

bool PanelRecorder::checkFields(std::span<const PanelField> fields)
{
    for (const PanelField field : fields) {
        if (!m_panel.checkField(field))
            return false;
    }
    return true;
}

bool PanelRecorder::report(const RecordingOutcome& outcome)
{
    if (outcome.done)
        return true;
    if (outcome.focus != PanelField::Count && m_panel.fieldWidget(outcome.focus)->isVisible())
        m_panel.focusField(outcome.focus);
    if (!outcome.message.isEmpty())
        showMessage(outcome.message);
    return false;
}

bool PanelRecorder::readCustomer(data::KokRow& row)
{
    if (!checkFields(RecordingOrder::customer) || !m_panel.readCustomerRow(row))
        return false;
    const RecordingOutcome referrer = m_recorder.checkReferrer(row);
    if (!referrer.done) {
        // Reset as its field rule says, so that a second F12 records the
        // customer with no referrer.
        PanelValues values = m_panel.heldValues();
        values.setText(PanelField::SyoukaiKokCode, QStringLiteral("0"));
        values.setText(PanelField::SyoukaiName, QString());
        m_panel.showValues(values, true, false);
    }
    return report(referrer);
}

void PanelRecorder::writeEco(int vehicleCode)
{
    const QString failed = data::CostStore(m_document.store().mainConnection())
                               .setEco(vehicleCode, m_panel.ecoBox()->isChecked());
    if (!failed.isEmpty())
        showMessage(failed);
}

bool PanelRecorder::readVehicle(data::CarRow& row)
{
    return checkFields(RecordingOrder::vehicle) && m_panel.readVehicleRow(row);
}

bool PanelRecorder::RecordNewCustomer()
{
    data::KokRow customer;
    if (!leaveCurrentFieldFor(PanelField::OwnerName1) || !readCustomer(customer))
        return false;
    const RecordingOutcome outcome = m_recorder.recordNewCustomer(customer);
    // The code is no longer this computer's: leaving its field asks for it
    // afresh, the rest of what was typed stays.
    if (outcome.focus == PanelField::KokCode)
        m_reservations.setReservedCode(RecordKind::Customer, 0);
    if (!report(outcome))
        return false;
    m_reservations.setReservedCode(RecordKind::Customer, 0);
    m_panel.showRecordedCustomer(m_document.customers());
    m_panel.setCustomerCodeEditable(false);
    m_panel.showTotals();
    m_panel.SetModeText(modeAfterNewCustomer(m_reservations.previousSearchMode()));
    return true;
}

bool PanelRecorder::RecordNewVehicle()
{
    data::CarRow vehicle;
    if (!leaveCurrentFieldFor(PanelField::Rikuji) || !readVehicle(vehicle))
        return false;
    const RecordingOutcome outcome = m_recorder.recordNewVehicle(vehicle);
    if (outcome.focus == PanelField::CarCode)
        m_reservations.setReservedCode(RecordKind::Vehicle, 0);
    if (!report(outcome))
        return false;
    writeEco(vehicle.m_CarCode);
    m_reservations.setReservedCode(RecordKind::Vehicle, 0);
    // Shown again from the records: read-only code, the owner's new count
    // and the commands that follow it.
    m_panel.ShowVehicle(vehicle.m_CarCode, true);
    m_panel.SetModeText(modeAfterNewVehicle(m_reservations.previousSearchMode()));
    m_panel.showTotals();
    return true;
}

bool PanelRecorder::RecordCurrent()
{
    const bool withVehicle = m_panel.vehicleGroupEnabled() && m_panel.shownVehicleCode() != 0;
    if (m_panel.shownCustomerCode() == 0)
        return report(m_recorder.recordCurrent(data::KokRow{}, nullptr));
    data::KokRow customer;
    data::CarRow vehicle;
    if (!leaveCurrentFieldFor(PanelField::OwnerName1) || !readCustomer(customer)
        || (withVehicle && !readVehicle(vehicle)))
        return false;
    if (!report(m_recorder.recordCurrent(customer, withVehicle ? &vehicle : nullptr)))
        return false;
    if (withVehicle)
        writeEco(vehicle.m_CarCode);
    if (m_document.FindCustomer(customer.m_KokCode))
        m_panel.showRecordedCustomer(m_document.customers());
    m_panel.SetModeText(m_host.mode());
    return true;
}

} // namespace kv::records
