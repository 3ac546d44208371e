#include "slips/core/SlipAccess.h"

#include "common/MessageGateway.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "data/engine/UnitOfWork.h"
#include "data/service/ShareLockAction.h"
#include "data/tables/DaoRecordsets.h"
#include "records/RecordingTexts.h"

#include <QStringList>

namespace kv::slips {

namespace {


bool reportFailure(const data::Recordset& set)
{
    if (set.lastError())
        showMessage(set.lastError().description);
    return false;
}

} // namespace

SlipAccess::SlipAccess(data::CCarMaintenanceDoc& document) : m_document(document) {}

void SlipAccess::release(const char* resource)
{
    m_document.ShareLock(QString::fromLatin1(resource), m_document.computerName(), 0,
                         data::ShareLockAction::Release);
}

SlipAccess::Opened SlipAccess::open(int customerCode, int vehicleCode)
{
    auto lock = [this](const char* resource, int code, int action) {
        return m_document.ShareLock(QString::fromLatin1(resource), m_document.computerName(),
                                    code, action);
    };
    if (!lock("010.mdb", customerCode, data::ShareLockAction::Claim)) {
        // Held by another computer's slip window for the same customer:
        // shared; held by an edit of the customer itself: refused.
        if (lock("DenKok", customerCode, data::ShareLockAction::IsHeldElsewhere))
            return {false, records::RecordingTexts::dataEditedElsewhere};
        lock("010.mdb", customerCode, data::ShareLockAction::SetHeld);
    }
    lock("DenKok", customerCode, data::ShareLockAction::SetHeld);
    if (!lock("009.mdb", vehicleCode, data::ShareLockAction::Claim)) {
        release("010.mdb");
        release("DenKok");
        return {false, records::RecordingTexts::dataEditedElsewhere};
    }
    data::Connection& connection = m_document.store().mainConnection();
    CDaoKokSet customers(connection);
    CDaoCarSet vehicles(connection);
    QString missing;
    if (!customers.OpenWhere(QStringLiteral("KokCode = %1").arg(customerCode))
        || customers.GetRecordCount() == 0)
        missing = records::RecordingTexts::customerMissing;
    else if (!vehicles.OpenWhere(QStringLiteral("CarCode = %1").arg(vehicleCode))
             || vehicles.GetRecordCount() == 0)
        missing = records::RecordingTexts::vehicleMissing;
    if (!missing.isEmpty()) {
        close();
        return {false, missing};
    }
    return {true, {}};
}

void SlipAccess::close()
{
    release("010.mdb");
    release("DenKok");
    release("009.mdb");
}

std::vector<data::SyaheadRow> SlipAccess::history(int vehicleCode)
{
    std::vector<data::SyaheadRow> slips;
    CDaoSyaHeadSet headers(m_document.store().mainConnection());
    if (!headers.OpenWhere(QStringLiteral("CarCode = %1").arg(vehicleCode),
                   QStringLiteral("CarCode, HatuDate"))) {
        reportFailure(headers);
        return slips;
    }
    for (; !headers.IsEOF(); headers.MoveNext())
        slips.push_back(headers.row());
    return slips;
}

bool SlipAccess::load(int slipNumber, data::SyaheadRow* header,
                      std::vector<data::SyaJnlRow>* lines)
{
    data::Connection& connection = m_document.store().mainConnection();
    CDaoSyaHeadSet headers(connection);
    const QString filter = QStringLiteral("DenNo = %1").arg(slipNumber);
    if (!headers.OpenWhere(filter))
        return reportFailure(headers);
    if (headers.GetRecordCount() == 0) {
        showMessage(QStringLiteral("該当伝票が存在しません！"));
        return false;
    }
    *header = headers.row();
    CDaoSyaJnlSet rows(connection);
    if (!rows.OpenWhere(filter, QStringLiteral("DenNo, LineNo")))
        return reportFailure(rows);
    lines->clear();
    for (; !rows.IsEOF(); rows.MoveNext())
        lines->push_back(rows.row());
    return true;
}

bool SlipAccess::removeSlip(int slipNumber)
{
    if (!askYesNo(QStringLiteral("削除します！\n本当によろしいですね？"), true))
        return false;
    data::Connection& connection = m_document.store().mainConnection();
    CDaoToriJnlSet ledger(connection);
    if (!ledger.OpenWhere(QStringLiteral("DenFlag = 1 AND DenNo = %1").arg(slipNumber)))
        return reportFailure(ledger);
    const bool saleGoes =
        ledger.GetRecordCount() > 0 && askYesNo(QStringLiteral("売上も削除しますか？"), true);

    CDaoSyaHeadSet headers(connection);
    CDaoSyaJnlSet lines(connection);
    const QString filter = QStringLiteral("DenNo = %1").arg(slipNumber);
    QStringList photos;
    data::UnitOfWork work(connection);
    bool written = work.isActive() && lines.OpenWhere(filter) && headers.OpenWhere(filter);
    for (; written && !lines.IsEOF(); written = lines.MoveNext()) {
        photos.append(lines.m_Photo);
        written = lines.Delete();
        if (!written)
            break;
    }
    for (; written && !headers.IsEOF(); written = headers.MoveNext()) {
        written = headers.Delete();
        if (!written)
            break;
    }
    // The sale stays in the books unless the user let it go, no longer
    // linked to a slip.
    for (; written && !ledger.IsEOF(); written = ledger.MoveNext()) {
        if (saleGoes) {
            written = ledger.Delete();
        } else {
            written = ledger.Edit();
            ledger.m_DenFlag = 0;
            written = written && ledger.Update();
            if (!written)
                ledger.CancelUpdate();
        }
        if (!written)
            break;
    }
    if (!written || !work.commit()) {
        QString error = work.lastError() ? work.lastError().description : QString();
        for (const data::Recordset* set : {static_cast<const data::Recordset*>(&lines),
                                           static_cast<const data::Recordset*>(&headers),
                                           static_cast<const data::Recordset*>(&ledger)}) {
            if (error.isEmpty() && set->lastError())
                error = set->lastError().description;
        }
        work.rollback();
        if (!error.isEmpty())
            showMessage(error);
        return false;
    }
    for (const QString& names : std::as_const(photos))
        m_document.DeletePhotoFiles(names);
    return true;
}

} // namespace kv::slips
