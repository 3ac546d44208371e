#include "slips/core/SlipHistoryRow.h"

#include "common/KVCommon.h"
#include "data/engine/DayNumber.h"

#include <QDate>

namespace kv::slips {

namespace {

QString grouped(qint64 amount)
{
    QString text;
    Kanma(text, int(amount));
    return text;
}

} // namespace

QString slipKindName(int kind)
{
    static const QString names[] = {QStringLiteral("納品書"), QStringLiteral("作業指示書"),
                                     QStringLiteral("概算見積書"), QStringLiteral("御見積書")};
    return kind >= 0 && kind < 4 ? names[kind] : QString();
}

SlipHistoryRow SlipHistoryRow::of(const data::SyaheadRow& slip, const QString& categoryName)
{
    SlipHistoryRow row;
    row.slipNumber = slip.m_DenNo;
    row.number = QStringLiteral("%1").arg(slip.m_DenNo, 6, 10, QLatin1Char('0'));
    const QDate issued = data::fromDayNumber(slip.m_HatuDate).date();
    if (issued.isValid() && issued.year() >= 1)
        row.issued = issued.toString(QStringLiteral("yy/MM/dd"));
    row.kind = slipKindName(slip.m_DenKind);
    row.category = categoryName;
    row.partsAndLabour = grouped(qint64(slip.m_BuhiMeiTot) + slip.m_KouMeiTot);
    row.discount = grouped(qint64(slip.m_BuhiNebi) + slip.m_KouNebi);
    row.tax = grouped(slip.m_BuhiKouZei);
    row.costs = grouped(qint64(slip.m_SyoTot) + slip.m_SyoZei);
    row.total = grouped(slip.m_Tot);
    row.received = grouped(slip.m_Azu);
    row.billed = grouped(slip.m_Seikyu);
    return row;
}

} // namespace kv::slips
