#include "records/CustomerVehicleRecorder.h"

#include "common/KVCommon.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "data/document/RecordRemoval.h"
#include "data/engine/UnitOfWork.h"
#include "data/service/HeldLockGuard.h"
#include "data/service/ShareLockAction.h"
#include "lan/core/ChangeAnnouncer.h"
#include "records/PanelLookup.h"
#include "records/RecordingTexts.h"

#include <QStringList>

#include <functional>
#include <optional>

namespace kv::records {

namespace {

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
        return m_printing->isHeld();
    }

    bool claim(const QString& resource, int code)
    {
        if (!m_document.ShareLock(resource, m_document.computerName(), code,
                                  data::ShareLockAction::Claim))
            return false;
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

// Runs the writes of one recording as one unit of work; on a failure the
// views show the rows as they are again.
RecordingOutcome inOneUnit(data::CCarMaintenanceDoc& document,
                           const std::function<bool(QString* error)>& writes)
{
    data::UnitOfWork work(document.store().mainConnection());
    QString error;
    if (work.isActive() && writes(&error) && work.commit())
        return RecordingOutcome::success();
    if (work.lastError())
        error = work.lastError().description;
    work.rollback();
    document.customers().RefreshCurrent();
    document.vehicles().RefreshCurrent();
    document.balances().Requery();
    return RecordingOutcome::refused(error);
}

// Edit, change, Update of the current record; false with the engine's
// message when any step fails.
template <class Set, class Change>
bool rewrite(Set& set, Change change, QString* error)
{
    if (set.Edit()) {
        change(set);
        if (set.Update())
            return true;
    }
    if (set.lastError())
        *error = set.lastError().description;
    set.CancelUpdate();
    return false;
}

} // namespace

CustomerVehicleRecorder::CustomerVehicleRecorder(data::CCarMaintenanceDoc& document)
    : m_document(document)
{
}

bool CustomerVehicleRecorder::currentCustomerIsPlaceholder()
{
    const CDaoKokSet& customers = m_document.customers();
    return customers.IsDeleted() || customers.m_UserName1 == PanelLookup::placeholderText();
}

RecordingOutcome CustomerVehicleRecorder::checkReferrer(const data::KokRow& customer)
{
    const int referrer = customer.m_SyoukaiKokCode;
    if (referrer == 0)
        return RecordingOutcome::success();
    const bool known = m_document.FindCustomer(referrer) && !currentCustomerIsPlaceholder();
    // The customer view stays on the customer being recorded, where the
    // panel steps from.
    m_document.FindCustomer(customer.m_KokCode);
    return known ? RecordingOutcome::success()
                 : RecordingOutcome::refused(RecordingTexts::referrerMissing,
                                             PanelField::SyoukaiKokCode);
}

void CustomerVehicleRecorder::writeCustomerColumns(const data::KokRow& customer)
{
    CDaoKokSet& record = m_document.customers();
    data::KokRow row = customer;
    row.m_KokCode = record.m_KokCode;
    row.m_Hoyu = record.m_Hoyu;
    record.assign(row);
}

void CustomerVehicleRecorder::writeVehicleColumns(const data::CarRow& vehicle)
{
    CDaoCarSet& record = m_document.vehicles();
    data::CarRow row = vehicle;
    row.m_CarCode = record.m_CarCode;
    record.assign(row);
}

RecordingOutcome CustomerVehicleRecorder::recordNewCustomer(const data::KokRow& customer)
{
    const int code = customer.m_KokCode;
    {
        RecordingLocks locks(m_document);
        if (!locks.enterPrinting())
            return RecordingOutcome::refused(RecordingTexts::printingElsewhere);
        // Only over this computer's own placeholder: anything else under
        // the code is another computer's record or reservation.
        if (!m_document.IsOwnCustomerPlaceholder(code))
            return RecordingOutcome::refused(RecordingTexts::customerCodeNotReserved,
                                             PanelField::KokCode);
        const RecordingOutcome written = inOneUnit(m_document, [&](QString* error) {
            if (!rewrite(m_document.customers(), [&](auto&) { writeCustomerColumns(customer); },
                         error))
                return false;
            if (m_document.FindBalance(code))
                return true;
            CDaoZanSet& balance = m_document.balances();
            if (balance.lastError() || !balance.AddNew()) {
                if (balance.lastError())
                    *error = balance.lastError().description;
                return false;
            }
            balance.m_KokCode = code;
            balance.m_KuriZan = 0;
            if (balance.Update())
                return true;
            *error = balance.lastError().description;
            balance.CancelUpdate();
            return false;
        });
        if (!written.done)
            return written;
    }
    releaseLock(m_document, "NewKokDummy");
    announce(lan::ChangeAnnouncer::kCustomersAdded);
    return RecordingOutcome::success();
}

RecordingOutcome CustomerVehicleRecorder::recordNewVehicle(const data::CarRow& vehicle)
{
    const int owner = vehicle.m_KokCode;
    {
        RecordingLocks locks(m_document);
        if (!locks.enterPrinting())
            return RecordingOutcome::refused(RecordingTexts::printingElsewhere);
        if (!m_document.FindCustomer(owner))
            return RecordingOutcome::refused(RecordingTexts::customerMissing);
        const int vehicles = m_document.customers().m_Hoyu;
        if (vehicles >= kMaxVehiclesPerCustomer) {
            QString count;
            Kanma(count, vehicles);
            return RecordingOutcome::refused(RecordingTexts::vehicleLimit.arg(count));
        }
        if (!m_document.IsOwnVehiclePlaceholder(vehicle.m_CarCode))
            return RecordingOutcome::refused(RecordingTexts::vehicleCodeNotReserved,
                                             PanelField::CarCode);
        const RecordingOutcome written = inOneUnit(m_document, [&](QString* error) {
            return rewrite(m_document.vehicles(), [&](auto&) { writeVehicleColumns(vehicle); },
                           error)
                && rewrite(m_document.customers(), [](CDaoKokSet& c) { c.m_Hoyu += 1; }, error);
        });
        if (!written.done)
            return written;
    }
    releaseLock(m_document, "NewCarDummy");
    announce(lan::ChangeAnnouncer::kCustomersAndVehiclesChanged);
    return RecordingOutcome::success();
}

RecordingOutcome CustomerVehicleRecorder::recordCurrent(const data::KokRow& customer,
                                                        const data::CarRow* vehicle)
{
    const int customerCode = customer.m_KokCode;
    if (customerCode == 0)
        return RecordingOutcome::refused(RecordingTexts::customerMissing);
    {
        RecordingLocks locks(m_document);
        if (!locks.enterPrinting())
            return RecordingOutcome::refused(RecordingTexts::printingElsewhere);
        if (!locks.claim(QStringLiteral("010.mdb"), customerCode)
            || (vehicle && !locks.claim(QStringLiteral("009.mdb"), vehicle->m_CarCode)))
            return RecordingOutcome::refused(RecordingTexts::dataEditedElsewhere);
        if (!m_document.FindCustomer(customerCode))
            return RecordingOutcome::refused(RecordingTexts::customerMissing);
        if (vehicle && !m_document.FindVehicle(vehicle->m_CarCode))
            return RecordingOutcome::refused(RecordingTexts::vehicleMissing);
        const RecordingOutcome written = inOneUnit(m_document, [&](QString* error) {
            if (!rewrite(m_document.customers(), [&](auto&) { writeCustomerColumns(customer); },
                         error))
                return false;
            return !vehicle
                || rewrite(m_document.vehicles(), [&](auto&) { writeVehicleColumns(*vehicle); },
                           error);
        });
        if (!written.done)
            return written;
        // The recording stands even when trimming fails; its message says why.
        if (vehicle)
            m_document.TrimSlipHistory(vehicle->m_CarCode, false);
    }
    announce(lan::ChangeAnnouncer::kCustomersAndVehiclesChanged);
    return RecordingOutcome::success();
}

bool CustomerVehicleRecorder::heldElsewhere(const char* resource, int code)
{
    return !m_document.ShareLock(QString::fromLatin1(resource), m_document.computerName(), code,
                                 data::ShareLockAction::IsHeldElsewhere);
}

RecordingOutcome CustomerVehicleRecorder::removeCustomer(int customerCode)
{
    using Outcome = data::RecordRemoval::Outcome;
    if (customerCode == 0)
        return RecordingOutcome::refused(RecordingTexts::customerMissing);
    // Deleting under another computer's open slip or ledger would leave it
    // writing to a customer that is gone.
    if (heldElsewhere("010.mdb", customerCode))
        return RecordingOutcome::refused(RecordingTexts::dataEditedElsewhere);
    switch (data::RecordRemoval(m_document).removeCustomer(customerCode)) {
    case Outcome::Removed: return RecordingOutcome::success();
    case Outcome::Missing: return RecordingOutcome::refused(RecordingTexts::customerMissing);
    default: return RecordingOutcome::refused();
    }
}

RecordingOutcome CustomerVehicleRecorder::removeVehicle(int customerCode, int vehicleCode)
{
    using Outcome = data::RecordRemoval::Outcome;
    if (vehicleCode == 0)
        return RecordingOutcome::refused(RecordingTexts::vehicleMissing);
    if (heldElsewhere("009.mdb", vehicleCode) || heldElsewhere("010.mdb", customerCode))
        return RecordingOutcome::refused(RecordingTexts::dataEditedElsewhere);
    switch (data::RecordRemoval(m_document).removeVehicle(vehicleCode)) {
    case Outcome::Removed: return RecordingOutcome::success();
    case Outcome::Missing: return RecordingOutcome::refused(RecordingTexts::vehicleMissing);
    default: return RecordingOutcome::refused();
    }
}

} // namespace kv::records
