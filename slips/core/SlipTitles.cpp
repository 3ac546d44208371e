#include "slips/core/SlipTitles.h"

#include "common/Cp932.h"

namespace kv::slips {

QString plateText(const data::CarRow& vehicle)
{
    const QString classNumber =
        vehicle.m_Rno != 0 ? QStringLiteral("%1 ").arg(vehicle.m_Rno) : QStringLiteral("   ");
    const QString number = vehicle.m_Preno != 0 ? QStringLiteral("%1 ").arg(vehicle.m_Preno, 4)
                                                : QStringLiteral("     ");
    return vehicle.m_Rikuji + QLatin1Char(' ') + classNumber + vehicle.m_Kana + QLatin1Char(' ')
        + number;
}

QString slipSubject(const data::KokRow& customer, const data::CarRow& vehicle,
                    const QString& makeName)
{
    // One substitution for all: a name holding "%1" stays as it is.
    return QStringLiteral("顧客：%1 %2   車輌：%3  %4  %5 %6")
        .arg(QString::number(customer.m_KokCode),
             cp932::truncateToBytes(customer.m_UserName1 + customer.m_UserName2, 20),
             QString::number(vehicle.m_CarCode), plateText(vehicle), makeName, vehicle.m_Syasyu);
}

QString slipWindowTitle(int mode, const QString& subject)
{
    static const QString words[] = {QStringLiteral("伝票新規"), QStringLiteral("伝票修正"),
                                     QStringLiteral("伝票転用")};
    return (mode >= 0 && mode < 3 ? words[mode] : QString()) + QStringLiteral("   ") + subject;
}

QString historyTitle(const QString& subject)
{
    return QStringLiteral("車歴一覧   ") + subject;
}

} // namespace kv::slips
