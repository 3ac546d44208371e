#include "reports/core/SalesGraphPeriod.h"

#include "reports/core/ReminderMonths.h"

namespace kv::reports {

QString SalesGraphPeriod::monthText(const QDate& month)
{
    return QStringLiteral("%1/%2")
        .arg(month.year() % 100, 2, 10, QLatin1Char('0'))
        .arg(month.month(), 2, 10, QLatin1Char('0'));
}

QString SalesGraphPeriod::twelveMonthsStart(const QString& endMonth)
{
    const auto end = ReminderMonths::firstDay(endMonth);
    if (!end)
        return {};
    return monthText(end->addMonths(-11));
}

std::variant<SalesGraphPeriod::Period, ReportRefusal> SalesGraphPeriod::check(GraphType type,
                                                                              const QString& startMonth,
                                                                              const QString& endMonth)
{
    using Field = ReportRefusal::Field;
    const QString badMonth = QStringLiteral("年月日が異常です！");
    Period period;
    period.startMonth = startMonth;
    auto first = ReminderMonths::firstDay(startMonth);
    if (!first)
        return ReportRefusal{Field::StartMonth, badMonth};
    const auto last = ReminderMonths::lastDay(endMonth);
    if (!last)
        return ReportRefusal{Field::EndMonth, badMonth};
    if (type == BarsByMonth) {
        period.startMonth = twelveMonthsStart(endMonth);
        first = ReminderMonths::firstDay(period.startMonth);
        // A start before 1951 has no two-digit year: it reads as a later
        // century and ends up after the end.
    }
    period.first = *first;
    period.last = *last;
    if (period.last < period.first)
        return ReportRefusal{Field::StartMonth, QStringLiteral("終了日付が開始日付より小さくなっています！")};
    const int years = period.last.year() - period.first.year();
    if (years >= 2 || (years == 1 && period.last.month() >= period.first.month()))
        return ReportRefusal{Field::StartMonth, QStringLiteral("対象期間が１年を超えています！")};
    return period;
}

} // namespace kv::reports
