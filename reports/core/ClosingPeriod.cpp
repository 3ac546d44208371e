#include "reports/core/ClosingPeriod.h"

#include "data/engine/DayNumber.h"

namespace kv::reports {

double ReportPeriod::firstDayNumber() const
{
    return data::toDayNumber(first);
}

double ReportPeriod::lastDayNumber() const
{
    return data::toDayNumber(last, QTime(23, 59, 59));
}

QString ReportPeriod::ledgerFilter() const
{
    return QStringLiteral("Date Between #1950/01/01 00:00:00# And #%1 23:59:59#")
        .arg(last.toString(QStringLiteral("yyyy/MM/dd")));
}

namespace ClosingPeriod {

std::optional<ReportPeriod> of(int year, int month, int day)
{
    if (month < 1 || month > 12 || day < 1 || day > 31)
        return std::nullopt;
    QDate last(year, month, day);
    for (int lowered = 0; !last.isValid() && lowered < 3; ++lowered)
        last = QDate(year, month, day - lowered - 1);
    if (!last.isValid())
        return std::nullopt;

    const QDate monthStart(year, month, 1);
    if (day == 31)
        return ReportPeriod{monthStart, last};
    const QDate monthBefore = monthStart.addMonths(-1);
    const QDate closingBefore(monthBefore.year(), monthBefore.month(), day);
    if (!closingBefore.isValid())
        return ReportPeriod{monthStart, last};
    return ReportPeriod{closingBefore.addDays(1), last};
}

} // namespace ClosingPeriod

} // namespace kv::reports
