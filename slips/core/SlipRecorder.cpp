#include "slips/core/SlipRecorder.h"

#include "common/MessageGateway.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "data/engine/UnitOfWork.h"
#include "data/service/HeldLockGuard.h"
#include "data/service/ShareLockAction.h"
#include "data/settings/SettingsFileId.h"
#include "data/tables/DaoRecordsets.h"
#include "records/RecordingTexts.h"
#include "slips/core/SaleLedgerRow.h"
#include "slips/core/SlipPhotos.h"

#include <optional>

namespace kv::slips {

namespace {

const QString kSlipMissing = QStringLiteral("該当伝票が存在しません！");
const QString kSlipNumberTaken = QStringLiteral("この伝票番号は既に使われています！");
const QString kRecordSale = QStringLiteral("売上も記録しますか？");

QString slipFilter(int slipNumber)
{
    return QStringLiteral("DenNo = %1").arg(slipNumber);
}

QString saleFilter(int slipNumber)
{
    return QStringLiteral("DenFlag = 1 AND DenNo = %1").arg(slipNumber);
}

QString customerFilter(int code)
{
    return QStringLiteral("KokCode = %1").arg(code);
}

bool failed(const data::Recordset& set, QString* error)
{
    if (set.lastError())
        *error = set.lastError().description;
    return false;
}

template <class Set>
bool deleteAll(Set& set, QString* error)
{
    while (!set.IsEOF()) {
        if (!set.Delete() || !set.MoveNext())
            return failed(set, error);
    }
    return true;
}

} // namespace

// Whether the sale goes to the ledger, decided before anything is locked.
struct SlipRecorder::Posting {
    bool post = false;
    bool replaces = false;
    QString refusal; // why a first sale is not posted, shown after recording
};

SlipRecorder::SlipRecorder(data::CCarMaintenanceDoc& document) : m_document(document) {}

QString SlipRecorder::ledgerFullMessage()
{
    return QStringLiteral("取引明細が %1 件(最大)存在します！\n更新を行ってからこの伝票を修正で\n"
                          "呼出し記録し直して下さい")
        .arg(kMaxLedgerRows);
}

SlipRecorder::Outcome SlipRecorder::checkRecords(const SlipRecording& slip)
{
    data::Connection& connection = m_document.store().mainConnection();
    CDaoKokSet customers(connection);
    CDaoCarSet vehicles(connection);
    const struct {
        data::Recordset& set;
        QString filter;
        QString missing;
    } checks[] = {
        {customers, customerFilter(slip.customerCode), records::RecordingTexts::customerMissing},
        {customers, customerFilter(slip.header.m_SeiKokCode),
         QStringLiteral("該当請求先が存在しません！")},
        {vehicles, QStringLiteral("CarCode = %1").arg(slip.header.m_CarCode),
         records::RecordingTexts::vehicleMissing},
    };
    for (const auto& check : checks) {
        check.set.SetFilter(check.filter);
        if (!check.set.Open())
            return {false, false, check.set.lastError().description};
        if (check.set.GetRecordCount() == 0)
            return {false, false, check.missing};
    }
    return {true, false, {}};
}

SlipRecorder::Posting SlipRecorder::planPosting(const SlipRecording& slip)
{
    Posting posting;
    if (!slip.isDeliveryNote())
        return posting;
    CDaoToriJnlSet ledger(m_document.store().mainConnection());
    if (ledger.OpenWhere(saleFilter(slip.header.m_DenNo)) && ledger.GetRecordCount() > 0) {
        // A slip posted before is posted again, in place of its old row.
        posting.post = posting.replaces = true;
        return posting;
    }
    if (!ledger.OpenWhere(customerFilter(slip.header.m_SeiKokCode))) {
        posting.refusal = records::RecordingTexts::recordCountUnknown;
        return posting;
    }
    if (ledger.GetRecordCount() >= kMaxLedgerRows) {
        posting.refusal = ledgerFullMessage();
        return posting;
    }
    posting.post = askYesNo(kRecordSale, false);
    return posting;
}

bool SlipRecorder::writeAll(const SlipRecording& slip, const Posting& posting, QString* error)
{
    data::Connection& connection = m_document.store().mainConnection();
    const int number = slip.header.m_DenNo;

    CDaoSyaHeadSet headers(connection);
    if (!headers.OpenWhere(slipFilter(number)))
        return failed(headers, error);
    if (slip.isNew() && headers.GetRecordCount() > 0) {
        *error = kSlipNumberTaken;
        return false;
    }
    if (!slip.isNew() && headers.GetRecordCount() == 0) {
        *error = kSlipMissing;
        return false;
    }
    if (!(slip.isNew() ? headers.AddNew() : headers.Edit()))
        return failed(headers, error);
    headers.assign(slip.header);
    headers.m_PrintFlag = 0;
    if (!headers.Update()) {
        headers.CancelUpdate();
        return failed(headers, error);
    }

    CDaoSyaJnlSet lines(connection);
    if (!lines.OpenWhere(slipFilter(number)) || !deleteAll(lines, error))
        return failed(lines, error);
    for (const data::SyaJnlRow& line : slip.lines) {
        if (!lines.AddNew())
            return failed(lines, error);
        lines.assign(line);
        lines.m_DenNo = number;
        if (!lines.Update()) {
            lines.CancelUpdate();
            return failed(lines, error);
        }
    }

    CDaoCarSet vehicles(connection);
    if (!vehicles.OpenWhere(QStringLiteral("CarCode = %1").arg(slip.header.m_CarCode)))
        return failed(vehicles, error);
    const bool vehicleExists = vehicles.GetRecordCount() > 0;
    if (vehicleExists && slip.movesInspectionExpiry()) {
        if (!vehicles.Edit())
            return failed(vehicles, error);
        vehicles.m_Syaman = slip.header.m_Syaman;
        if (!vehicles.Update()) {
            vehicles.CancelUpdate();
            return failed(vehicles, error);
        }
    }

    if (!posting.post)
        return true;
    CDaoToriJnlSet ledger(connection);
    if (!ledger.OpenWhere(saleFilter(number)) || !deleteAll(ledger, error))
        return failed(ledger, error);
    QString note;
    if (slip.customerCode != slip.header.m_SeiKokCode) {
        CDaoKokSet customer(connection);
        if (!customer.OpenWhere(customerFilter(slip.customerCode)))
            return failed(customer, error);
        if (customer.GetRecordCount() > 0)
            note = noteFor(slip.customerCode, customer.m_UserName1 + customer.m_UserName2);
    }
    if (!ledger.AddNew())
        return failed(ledger, error);
    const data::CarRow vehicle = vehicles.row();
    ledger.assign(saleRowOf(slip.header, vehicleExists ? &vehicle : nullptr,
                            slip.header.m_HatuDate, note));
    if (!ledger.Update()) {
        ledger.CancelUpdate();
        return failed(ledger, error);
    }
    return true;
}

SlipRecorder::Outcome SlipRecorder::record(const SlipRecording& slip)
{
    Outcome checked = checkRecords(slip);
    if (!checked.recorded || !m_document.checkDiskSpaceForWrite())
        return {false, false, checked.message};
    // Asked before the section and the unit: nothing waits on the user.
    const Posting posting = planPosting(slip);

    data::HeldLockGuard printing(m_document.lockTables(), QStringLiteral("Printing"),
                                 m_document.computerName(), 1, data::ShareLockAction::Hold);
    if (!printing.isHeld())
        return {false, false, records::RecordingTexts::printingElsewhere};
    // Room for the new slip: the oldest slips of the vehicle go first, each
    // in a unit of its own; their sales stay in the ledger.
    if (slip.isNew() && !m_document.TrimSlipHistory(slip.header.m_CarCode, true))
        return {false, false, {}};

    // The photos are stored before the lines that name them; nothing stored
    // is overwritten, so a failed unit leaves the old slip's photos whole.
    SlipRecording placed = slip;
    SlipPhotos photos(m_document.photoFolder(), slip.photoWorkFolder);
    QString error;
    if (!slip.photoWorkFolder.isEmpty() && !photos.place(slip.header.m_DenNo, placed.lines, &error))
        return {false, false, error};

    data::UnitOfWork work(m_document.store().mainConnection());
    if (!work.isActive() || !writeAll(placed, posting, &error) || !work.commit()) {
        if (work.lastError())
            error = work.lastError().description;
        work.rollback();
        photos.discardPlaced();
        return {false, false, error};
    }
    if (!slip.photoWorkFolder.isEmpty())
        photos.removeUnnamed(slip.header.m_DenNo);
    if (slip.isNew()) {
        data::SettingsStore& settings = m_document.settings();
        settings.general().lastRecordedSlipNo = slip.header.m_DenNo;
        settings.SaveSettingsFile(data::SettingsFileId::General);
    }
    return {true, posting.post, posting.refusal};
}

} // namespace kv::slips
