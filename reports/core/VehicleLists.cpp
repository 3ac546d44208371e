#include "reports/core/VehicleLists.h"

#include "reports/core/FilterText.h"
#include "reports/core/VehicleSelection.h"

namespace kv::reports::VehicleLists {

namespace {

// From the first day through the whole of the last day: a date stored with
// a time of day still belongs to its day.
QString span(const QString& column, const QDate& first, const QDate& last)
{
    return QStringLiteral("%1 >= %2 AND %1 < %3")
        .arg(column, FilterText::date(first), FilterText::date(last.addDays(1)));
}

// The earliest day a two-digit year can name.
QDate earliest()
{
    return QDate(1950, 1, 1);
}

} // namespace

QString overdueFilter(const QDate& firstDayOfMonth)
{
    return QStringLiteral("Syaman >= %1 AND Syaman < %2 AND ")
               .arg(FilterText::date(earliest()), FilterText::date(firstDayOfMonth))
        + VehicleSelection::notPlaceholder();
}

QString insuranceFilter(const QDate& first, const QDate& last)
{
    return span(QStringLiteral("Homan"), first, last) + QStringLiteral(" AND ") + VehicleSelection::notPlaceholder();
}

QString firstRegistrationFilter(const QDate& first, const QDate& last, int make, const QString& model)
{
    QString filter;
    if (make > 0)
        filter += QStringLiteral("Syamei = %1 AND ").arg(make);
    if (!model.isEmpty())
        filter += QStringLiteral("Syasyu Like ") + FilterText::text(model) + QStringLiteral(" AND ");
    return filter + span(QStringLiteral("Syonen"), first, last) + QStringLiteral(" AND ")
        + VehicleSelection::notPlaceholder();
}

} // namespace kv::reports::VehicleLists
