#include "ledger/core/LedgerRecorder.h"

#include "common/MessageGateway.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "data/document/SlipRemoval.h"
#include "data/engine/UnitOfWork.h"
#include "data/service/HeldLockGuard.h"
#include "data/service/ShareLockAction.h"
#include "data/tables/DaoRecordsets.h"
#include "ledger/core/LedgerRows.h"
#include "ledger/core/LedgerTexts.h"
#include "records/RecordingTexts.h"

#include <utility>

namespace kv::ledger {

namespace {

const QString kLinkedRow = QStringLiteral("伝票から計上された取引です！\n伝票修正で修正して下さい");
const QString kConfirmDelete = QStringLiteral("削除します！\n本当によろしいですね？");
const QString kSlipToo = QStringLiteral("伝票も削除しますか？");

QString idFilter(int id)
{
    return QStringLiteral("ID = %1").arg(id);
}

QString customerFilter(int customerCode)
{
    return QStringLiteral("KokCode = %1").arg(customerCode);
}

QString slipFilter(int slipNumber)
{
    return QStringLiteral("DenNo = %1").arg(slipNumber);
}

LedgerRecorder::Outcome refusal(QString message, bool newEntry = false)
{
    LedgerRecorder::Outcome outcome;
    outcome.message = std::move(message);
    outcome.newEntry = newEntry;
    return outcome;
}

LedgerRecorder::Outcome engineFailure(const data::EngineError& error)
{
    return refusal(error.description);
}

} // namespace

LedgerRecorder::LedgerRecorder(data::CCarMaintenanceDoc& document)
    : m_document(document), m_clock([] { return QTime::currentTime(); })
{
}

QString LedgerRecorder::ledgerFullMessage()
{
    return QStringLiteral("明細が %1 件(最大)存在します！\n更新を行って下さい").arg(kMaxRows);
}

QString LedgerRecorder::balanceRangeMessage()
{
    return QStringLiteral("-999,999,999から999,999,999迄の整数を入力してくだい！");
}

LedgerRecorder::Outcome LedgerRecorder::add(int customerCode, LedgerEntry& entry,
                                            RememberedAmounts& remembered)
{
    return record(customerCode, 0, entry, remembered);
}

LedgerRecorder::Outcome LedgerRecorder::modify(int id, LedgerEntry& entry,
                                               RememberedAmounts& remembered)
{
    return record(0, id, entry, remembered);
}

LedgerRecorder::Outcome LedgerRecorder::record(int customerCode, int id, LedgerEntry& entry,
                                               RememberedAmounts& remembered)
{
    const EntryCheck check = entry.recalc(RecalcCause::All, remembered, m_document.settings().rounding());
    if (!check.ok) {
        Outcome outcome = refusal(check.message);
        outcome.focus = check.focus;
        return outcome;
    }
    data::Connection& connection = m_document.store().mainConnection();
    if (entry.carCode != 0) {
        CDaoCarSet vehicles(connection);
        if (!vehicles.OpenWhere(QStringLiteral("CarCode = %1").arg(entry.carCode)))
            return engineFailure(vehicles.lastError());
        if (vehicles.GetRecordCount() == 0) {
            Outcome outcome = refusal(records::RecordingTexts::vehicleMissing);
            outcome.focus = EntryField::CarCode;
            return outcome;
        }
    }
    if (!m_document.checkDiskSpaceForWrite())
        return {};

    data::HeldLockGuard printing(m_document.lockTables(), QStringLiteral("Printing"),
                                 m_document.computerName(), 1, data::ShareLockAction::Hold);
    if (!printing.isHeld())
        return refusal(records::RecordingTexts::printingElsewhere);

    CDaoToriJnlSet ledger(connection);
    const bool adding = id == 0;
    if (adding) {
        if (!ledger.OpenWhere(customerFilter(customerCode)))
            return refusal(records::RecordingTexts::recordCountUnknown);
        if (ledger.GetRecordCount() >= kMaxRows)
            return refusal(ledgerFullMessage(), true);
        if (!ledger.AddNew())
            return engineFailure(ledger.lastError());
    } else {
        if (!ledger.OpenWhere(idFilter(id)))
            return engineFailure(ledger.lastError());
        if (ledger.GetRecordCount() == 0)
            return refusal(LedgerTexts::rowGone, true);
        if (ledger.m_DenFlag == 1)
            return refusal(kLinkedRow);
        customerCode = ledger.m_KokCode;
        if (!ledger.Edit())
            return engineFailure(ledger.lastError());
    }
    const int slipNumber = adding ? 0 : ledger.m_DenNo;
    ledger.assign(entry.toRow(customerCode, m_clock()));
    ledger.m_ID = adding ? 0 : id;
    ledger.m_DenFlag = 0;
    ledger.m_DenNo = slipNumber;
    if (!ledger.Update()) {
        ledger.CancelUpdate();
        return engineFailure(ledger.lastError());
    }
    Outcome outcome;
    outcome.done = true;
    outcome.id = ledger.m_ID;
    outcome.newEntry = true;
    return outcome;
}

LedgerRecorder::Outcome LedgerRecorder::remove(int id)
{
    if (!askYesNo(kConfirmDelete, true))
        return refusal({}, true);
    data::Connection& connection = m_document.store().mainConnection();
    CDaoToriJnlSet ledger(connection);
    if (!ledger.OpenWhere(idFilter(id)))
        return engineFailure(ledger.lastError());
    if (ledger.GetRecordCount() == 0)
        return refusal(LedgerTexts::rowGone, true);

    // Both questions before any section or unit.
    const int slipNumber = ledger.m_DenFlag == 1 ? ledger.m_DenNo : 0;
    QString note;
    bool slipGoes = false;
    CDaoSyaHeadSet headers(connection);
    if (slipNumber != 0) {
        if (!headers.OpenWhere(slipFilter(slipNumber)))
            return engineFailure(headers.lastError());
        if (headers.GetRecordCount() == 0)
            note = LedgerTexts::slipGone;
        else
            slipGoes = askYesNo(kSlipToo, true);
    }

    // Slips are read for printing under the section; taking one away with
    // its lines waits for it like recording does.
    std::optional<data::HeldLockGuard> printing;
    if (slipGoes) {
        printing.emplace(m_document.lockTables(), QStringLiteral("Printing"),
                         m_document.computerName(), 1, data::ShareLockAction::Hold);
        if (!printing->isHeld())
            return refusal(records::RecordingTexts::printingElsewhere);
    }

    QStringList photos;
    {
        // Leaving the scope without commit undoes every write of the unit.
        data::UnitOfWork work(connection);
        if (!work.isActive())
            return engineFailure(work.lastError());
        if (!ledger.Requery())
            return engineFailure(ledger.lastError());
        if (ledger.GetRecordCount() == 0)
            return refusal(LedgerTexts::rowGone, true);
        if (!ledger.Delete())
            return engineFailure(ledger.lastError());
        if (slipGoes) {
            CDaoSyaJnlSet lines(connection);
            if (!lines.OpenWhere(slipFilter(slipNumber)))
                return engineFailure(lines.lastError());
            if (!headers.Requery())
                return engineFailure(headers.lastError());
            data::SlipRemoval removal(headers, lines, ledger);
            if (headers.GetRecordCount() > 0 && !removal.removeCurrentSlip(false, &photos))
                return engineFailure(removal.lastError());
        }
        if (!work.commit())
            return engineFailure(work.lastError());
    }
    // The files go only once the lines are gone for good.
    for (const QString& names : std::as_const(photos))
        m_document.DeletePhotoFiles(names);
    Outcome outcome;
    outcome.done = true;
    outcome.id = id;
    outcome.message = note;
    outcome.newEntry = true;
    return outcome;
}

std::optional<qint64> LedgerRecorder::carriedForward(int customerCode)
{
    CDaoZanSet balance(m_document.store().mainConnection());
    if (!balance.OpenWhere(customerFilter(customerCode)))
        return std::nullopt;
    if (balance.GetRecordCount() > 0)
        return balance.m_KuriZan;
    // Data from elsewhere may lack the record; it is written when first set.
    if (customerExists(customerCode))
        return 0;
    return std::nullopt;
}

bool LedgerRecorder::customerExists(int customerCode)
{
    CDaoKokSet customer(m_document.store().mainConnection());
    return customer.OpenWhere(customerFilter(customerCode)) && customer.GetRecordCount() > 0;
}

LedgerRecorder::Outcome LedgerRecorder::setCarriedForward(int customerCode, qint64 value)
{
    if (value > LedgerRows::kBalanceLimit || value < -LedgerRows::kBalanceLimit)
        return refusal(balanceRangeMessage());
    data::HeldLockGuard printing(m_document.lockTables(), QStringLiteral("Printing"),
                                 m_document.computerName(), 1, data::ShareLockAction::Hold);
    if (!printing.isHeld())
        return refusal(records::RecordingTexts::printingElsewhere);
    CDaoZanSet balance(m_document.store().mainConnection());
    if (!balance.OpenWhere(customerFilter(customerCode)))
        return engineFailure(balance.lastError());
    const bool missing = balance.GetRecordCount() == 0;
    if (missing && !customerExists(customerCode)) {
        Outcome outcome = refusal(LedgerTexts::balanceGone);
        outcome.balanceGone = true;
        return outcome;
    }
    if (!(missing ? balance.AddNew() : balance.Edit()))
        return engineFailure(balance.lastError());
    balance.m_KokCode = customerCode;
    balance.m_KuriZan = int(value);
    if (!balance.Update()) {
        balance.CancelUpdate();
        return engineFailure(balance.lastError());
    }
    Outcome outcome;
    outcome.done = true;
    return outcome;
}

} // namespace kv::ledger
