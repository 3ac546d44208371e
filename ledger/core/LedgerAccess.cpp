#include "ledger/core/LedgerAccess.h"

#include "data/document/CCarMaintenanceDoc.h"
#include "data/service/ShareLockAction.h"
#include "data/tables/DaoRecordsets.h"
#include "ledger/core/LedgerTexts.h"
#include "records/RecordingTexts.h"

namespace kv::ledger {

namespace {

const QString kLock = QStringLiteral("010.mdb");

template <class Set>
std::optional<typename Set::Row> firstOf(data::CCarMaintenanceDoc& document, const QString& filter)
{
    Set set(document.store().mainConnection());
    if (!set.OpenWhere(filter) || set.GetRecordCount() == 0)
        return std::nullopt;
    return set.row();
}

} // namespace

LedgerAccess::LedgerAccess(data::CCarMaintenanceDoc& document) : m_document(document) {}

LedgerAccess::Opened LedgerAccess::open(int customerCode)
{
    Opened opened;
    if (!reclaim(customerCode)) {
        opened.message = records::RecordingTexts::dataEditedElsewhere;
        return opened;
    }
    const std::optional<data::KokRow> found = customer(customerCode);
    if (!found) {
        close();
        opened.message = records::RecordingTexts::customerMissing;
        return opened;
    }
    opened.ok = true;
    opened.customerName = found->m_UserName1 + found->m_UserName2;
    opened.ownsVehicles = found->m_Hoyu != 0;
    return opened;
}

bool LedgerAccess::reclaim(int customerCode)
{
    return m_document.ShareLock(kLock, m_document.computerName(), customerCode,
                                data::ShareLockAction::Claim);
}

void LedgerAccess::close()
{
    m_document.ShareLock(kLock, m_document.computerName(), 0, data::ShareLockAction::Release);
}

std::optional<LedgerAccess::LinkedSlip> LedgerAccess::linkedSlip(int slipNumber, QString* message)
{
    const auto header =
        firstOf<CDaoSyaHeadSet>(m_document, QStringLiteral("DenNo = %1").arg(slipNumber));
    if (!header) {
        *message = LedgerTexts::slipGone;
        return std::nullopt;
    }
    const std::optional<data::CarRow> car = vehicle(header->m_CarCode);
    if (!car) {
        *message = QStringLiteral("該当顧客が存在しません！\nこの伝票は異常です！");
        return std::nullopt;
    }
    return LinkedSlip{slipNumber, car->m_KokCode, header->m_SeiKokCode, car->m_CarCode};
}

std::optional<data::ToriJnlRow> LedgerAccess::row(int id)
{
    return firstOf<CDaoToriJnlSet>(m_document, QStringLiteral("ID = %1").arg(id));
}

std::optional<data::CarRow> LedgerAccess::vehicle(int vehicleCode)
{
    return firstOf<CDaoCarSet>(m_document, QStringLiteral("CarCode = %1").arg(vehicleCode));
}

std::optional<data::KokRow> LedgerAccess::customer(int customerCode)
{
    return firstOf<CDaoKokSet>(m_document, QStringLiteral("KokCode = %1").arg(customerCode));
}

} // namespace kv::ledger
