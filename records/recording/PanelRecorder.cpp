#include "records/recording/PanelRecorder.h"

#include "common/KVCommon.h"
#include "common/MessageGateway.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "data/engine/UnitOfWork.h"
#include "data/service/HeldLockGuard.h"
#include "data/service/ShareLockAction.h"
#include "lan/core/ChangeAnnouncer.h"
#include "records/PanelHost.h"
#include "records/PanelMode.h"
#include "records/panel/CFMainPanel.h"
#include "records/recording/RecordingOrder.h"
#include "records/recording/RecordingTexts.h"
#include "records/recording/ReservationHost.h"

#include <QWidget>

namespace kv::records {

namespace {

constexpr int kMaxVehiclesPerCustomer = 500;

// The named locks one recording takes, each released when it ends.
class RecordingLocks {
public:
    explicit RecordingLocks(data::CCarMaintenanceDoc& document) : m_document(document) {}
    ~RecordingLocks()
    {
        for (const QString& resource : m_claimed)
            m_document.ShareLock(resource, m_document.computerName(), 0,
                                 data::ShareLockAction::Release);
    }

    // The "Printing" section, which serialises recording with print runs.
    bool enterPrinting()
    {
        m_printing.emplace(m_document.lockTables(), QStringLiteral("Printing"),
                           m_document.computerName(), 1, data::ShareLockAction::Hold);
        if (m_printing->isHeld())
            return true;
        showMessage(RecordingTexts::printingElsewhere);
        return false;
    }

    bool claim(const QString& resource, int code)
    {
        if (!m_document.ShareLock(resource, m_document.computerName(), code,
                                  data::ShareLockAction::Claim)) {
            showMessage(RecordingTexts::dataEditedElsewhere);
            return false;
        }
        m_claimed.append(resource);
        return true;
    }

private:
    data::CCarMaintenanceDoc& m_document;
    std::optional<data::HeldLockGuard> m_printing;
    QStringList m_claimed;
};

void releaseLock(data::CCarMaintenanceDoc& document, const char* resource)
{
    document.ShareLock(QString::fromLatin1(resource), document.computerName(), 0,
                       data::ShareLockAction::Release);
}

void announce(const char* notification)
{
    lan::changeAnnouncer().announceNotification(notification);
}

} // namespace

PanelRecorder::PanelRecorder(CFMainPanel& panel, data::CCarMaintenanceDoc& document,
                             PanelHost& host, ReservationHost& reservations)
    : m_panel(panel)
    , m_document(document)
    , m_host(host)
    , m_reservations(reservations)
{
}

bool PanelRecorder::leaveCurrentFieldFor(PanelField field)
{
    QWidget* target = m_panel.fieldWidget(field);
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

int PanelRecorder::modeAfterNewRecord() const
{
    const int previous = m_reservations.previousSearchMode();
    return PanelMode::isSearchMode(previous) ? previous : PanelMode::CustomerCodeOrder;
}

bool PanelRecorder::writeSteps(const Writes& writes, int customerCode)
{
    CDaoKokSet& customer = m_document.customers();
    CDaoCarSet& vehicle = m_document.vehicles();
    auto failed = [](data::Recordset& set) {
        if (set.lastError())
            showMessage(set.lastError().description);
        set.CancelUpdate();
        return false;
    };
    if (writes.customer) {
        if (!customer.Edit())
            return failed(customer);
        if (!m_panel.writeCustomerTo(customer)) {
            customer.CancelUpdate();
            return false;
        }
        if (!customer.Update())
            return failed(customer);
    }
    if (writes.balance && !m_document.FindBalance(customerCode)) {
        CDaoZanSet& balance = m_document.balances();
        if (balance.lastError() || !balance.AddNew())
            return failed(balance);
        balance.m_KokCode = customerCode;
        balance.m_KuriZan = 0;
        if (!balance.Update())
            return failed(balance);
    }
    if (writes.vehicle) {
        if (!vehicle.Edit())
            return failed(vehicle);
        if (!m_panel.writeVehicleTo(vehicle, customerCode)) {
            vehicle.CancelUpdate();
            return false;
        }
        if (!vehicle.Update())
            return failed(vehicle);
    }
    if (writes.countVehicle) {
        if (!customer.Edit())
            return failed(customer);
        customer.m_Hoyu += 1;
        if (!customer.Update())
            return failed(customer);
    }
    return true;
}

bool PanelRecorder::write(const Writes& writes, int customerCode)
{
    data::UnitOfWork work(m_document.store().mainConnection());
    if (work.isActive() && writeSteps(writes, customerCode) && work.commit())
        return true;
    if (work.lastError())
        showMessage(work.lastError().description);
    work.rollback();
    // The views show the rows as they are again.
    m_document.customers().RefreshCurrent();
    m_document.vehicles().RefreshCurrent();
    m_document.balances().Requery();
    return false;
}

bool PanelRecorder::RecordNewCustomer()
{
    if (!leaveCurrentFieldFor(PanelField::OwnerName1) || !checkFields(RecordingOrder::customer))
        return false;
    const int code = m_panel.shownCustomerCode();
    {
        RecordingLocks locks(m_document);
        if (!locks.enterPrinting())
            return false;
        if (!m_document.FindCustomer(code)) {
            showMessage(RecordingTexts::customerMissing);
            return false;
        }
        Writes writes;
        writes.customer = writes.balance = true;
        if (!write(writes, code))
            return false;
    }
    releaseLock(m_document, "NewKokDummy");
    m_reservations.setReservedCode(RecordKind::Customer, 0);
    m_panel.setCustomerCodeEditable(false);
    m_panel.showTotals();
    m_panel.SetModeText(modeAfterNewRecord());
    announce(lan::ChangeAnnouncer::kCustomersAdded);
    return true;
}

bool PanelRecorder::RecordNewVehicle()
{
    if (!leaveCurrentFieldFor(PanelField::Rikuji) || !checkFields(RecordingOrder::vehicle))
        return false;
    const int owner = m_panel.shownCustomerCode();
    const int code = m_panel.shownVehicleCode();
    {
        RecordingLocks locks(m_document);
        if (!locks.enterPrinting())
            return false;
        if (!m_document.FindCustomer(owner)) {
            showMessage(RecordingTexts::customerMissing);
            return false;
        }
        const int vehicles = m_document.customers().m_Hoyu;
        if (vehicles >= kMaxVehiclesPerCustomer) {
            QString count;
            Kanma(count, vehicles);
            showMessage(RecordingTexts::vehicleLimit.arg(count));
            return false;
        }
        if (!m_document.FindVehicle(code)) {
            showMessage(RecordingTexts::newVehicleMissing);
            return false;
        }
        Writes writes;
        writes.vehicle = writes.countVehicle = true;
        if (!write(writes, owner))
            return false;
    }
    releaseLock(m_document, "NewCarDummy");
    m_reservations.setReservedCode(RecordKind::Vehicle, 0);
    // Shown again from the records: read-only code, the owner's new count
    // and the commands that follow it.
    m_panel.ShowVehicle(code, true);
    m_panel.SetModeText(modeAfterNewRecord());
    m_panel.showTotals();
    announce(lan::ChangeAnnouncer::kCustomersAndVehiclesChanged);
    return true;
}

bool PanelRecorder::RecordCurrent()
{
    const int customerCode = m_panel.shownCustomerCode();
    const int vehicleCode = m_panel.vehicleGroupEnabled() ? m_panel.shownVehicleCode() : 0;
    if (customerCode == 0) {
        showMessage(RecordingTexts::customerMissing);
        return false;
    }
    if (!leaveCurrentFieldFor(PanelField::OwnerName1) || !checkFields(RecordingOrder::customer)
        || (vehicleCode != 0 && !checkFields(RecordingOrder::vehicle)))
        return false;
    {
        RecordingLocks locks(m_document);
        if (!locks.enterPrinting() || !locks.claim(QStringLiteral("010.mdb"), customerCode)
            || (vehicleCode != 0 && !locks.claim(QStringLiteral("009.mdb"), vehicleCode)))
            return false;
        if (!m_document.FindCustomer(customerCode)) {
            showMessage(RecordingTexts::customerMissing);
            return false;
        }
        if (vehicleCode != 0 && !m_document.FindVehicle(vehicleCode)) {
            showMessage(RecordingTexts::vehicleMissing);
            return false;
        }
        Writes writes;
        writes.customer = true;
        writes.vehicle = vehicleCode != 0;
        if (!write(writes, customerCode))
            return false;
        // The recording stands even when trimming fails; its message says why.
        if (vehicleCode != 0)
            m_document.TrimSlipHistory(vehicleCode, false);
    }
    announce(lan::ChangeAnnouncer::kCustomersAndVehiclesChanged);
    m_panel.SetModeText(m_host.mode());
    return true;
}

} // namespace kv::records
