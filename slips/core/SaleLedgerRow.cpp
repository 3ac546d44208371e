#include "slips/core/SaleLedgerRow.h"

#include "common/Cp932.h"

#include <utility>

namespace kv::slips {

data::ToriJnlRow saleRowOf(const data::SyaheadRow& slip, const data::CarRow* vehicle,
                           double dateTime, const QString& note)
{
    data::ToriJnlRow row;
    row.m_KokCode = slip.m_SeiKokCode;
    row.m_Date = dateTime;
    row.m_DenFlag = 1;
    row.m_DenNo = slip.m_DenNo;
    row.m_NyuukoKbnCode = slip.m_NyuukoKbnCode;
    if (vehicle) {
        row.m_CarCode = vehicle->m_CarCode;
        row.m_Rikuji = vehicle->m_Rikuji;
        row.m_Rno = vehicle->m_Rno;
        row.m_Kana = vehicle->m_Kana;
        row.m_Preno = vehicle->m_Preno;
    }
    row.m_ToriKbn = slip.m_Azu == 0 ? 1 : 0;
    row.m_Buhin = slip.m_BuhiTot;
    row.m_Koutin = slip.m_KouTot;
    row.m_Sonota = 0;
    row.m_Zei = slip.m_BuhiKouZei;
    row.m_HikaSyohi = slip.m_Jibai + slip.m_JyuZei + slip.m_Insi;
    for (const auto& [amount, taxed] : {std::pair{slip.m_Daiko, slip.m_DaikoZeiFlag},
                                        {slip.m_Syo5, slip.m_Syo5ZeiFlag},
                                        {slip.m_Syo6, slip.m_Syo6ZeiFlag}})
        (taxed ? row.m_KaSyohi : row.m_HikaSyohi) += amount;
    row.m_SyoZei = slip.m_SyoZei;
    row.m_Tot = slip.m_Tot;
    row.m_Nyu = slip.m_Azu;
    row.m_NyuCho = 0;
    row.m_GTot = slip.m_Seikyu;
    row.m_Tekiyo = note;
    return row;
}

QString noteFor(int customerCode, const QString& displayName)
{
    return QStringLiteral("%1 %2").arg(QString::number(customerCode),
                                       cp932::truncateToBytes(displayName, 10));
}

} // namespace kv::slips
