#include "reports/core/ReminderMonths.h"

#include "reports/core/FilterText.h"
#include "reports/core/VehicleSelection.h"

#include <QRegularExpression>

namespace kv::reports {

QString ReminderMonths::nextMonth(const QDate& today)
{
    const QDate next = QDate(today.year(), today.month(), 1).addMonths(1);
    return QStringLiteral("%1/%2")
        .arg(next.year() % 100, 2, 10, QLatin1Char('0'))
        .arg(next.month(), 2, 10, QLatin1Char('0'));
}

std::optional<QDate> ReminderMonths::firstDay(const QString& month)
{
    static const QRegularExpression shape(QStringLiteral("^(\\d\\d)/(\\d\\d)$"));
    const QRegularExpressionMatch match = shape.match(month.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const int yy = match.captured(1).toInt();
    const int mm = match.captured(2).toInt();
    if (mm < 1 || mm > 12)
        return std::nullopt;
    return QDate(yy < 51 ? 2000 + yy : 1900 + yy, mm, 1);
}

std::optional<QDate> ReminderMonths::lastDay(const QString& month)
{
    const auto first = firstDay(month);
    if (!first)
        return std::nullopt;
    return QDate(first->year(), first->month(), first->daysInMonth());
}

std::optional<ReportRefusal> ReminderMonths::check(const QString& start, const QString& end)
{
    using Field = ReportRefusal::Field;
    const QString badMonth = QStringLiteral("年月日が異常です！");
    const auto first = firstDay(start);
    if (!first)
        return ReportRefusal{Field::StartMonth, badMonth};
    const auto last = lastDay(end);
    if (!last)
        return ReportRefusal{Field::EndMonth, badMonth};
    if (*last < *first)
        return ReportRefusal{Field::StartMonth, QStringLiteral("終了日付が開始日付より小さくなっています！")};
    return std::nullopt;
}

QString ReminderMonths::filter(const QDate& first, const QDate& last)
{
    // Below the day after the last day: an expiry stored with a time of day
    // still belongs to its day.
    return QStringLiteral("Syaman >= %1 AND Syaman < %2 AND ")
               .arg(FilterText::date(first), FilterText::date(last.addDays(1)))
        + VehicleSelection::notPlaceholder();
}

} // namespace kv::reports
