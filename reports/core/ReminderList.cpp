#include "reports/core/ReminderList.h"

#include "data/settings/SettingsList.h"
#include "data/tables/VehicleTexts.h"

namespace kv::reports {

ReminderList::ReminderList(data::DataStore& store, const QString& filter, const QString& sort,
                           const data::SettingsList& makes, QString span, LeadingDate leading)
    : m_entries(store, filter, sort)
    , m_makes(makes)
    , m_span(std::move(span))
    , m_leading(std::move(leading))
{
}

std::vector<ReportColumn> ReminderList::columns() const
{
    using C = ReportColumn;
    return {C::text(m_leading.columnTitle, 300, C::Align::Centre),
            C::text(QStringLiteral("顧客ｺｰﾄﾞ"), 170, C::Align::Right),
            C::text(QStringLiteral("氏名"), 420),
            C::text(QStringLiteral("電話番号"), 280),
            C::text(QStringLiteral("住所"), 650),
            C::text(QStringLiteral("車輌ｺｰﾄﾞ"), 170, C::Align::Right),
            C::text(QStringLiteral("登録番号"), 370),
            C::text(QStringLiteral("車名"), 410)};
}

ReportRow ReminderList::row(int index)
{
    const auto entry = m_entries.at(index);
    if (!entry)
        return ReportRow(columns().size());
    namespace T = data::VehicleTexts;
    const data::CarRow& v = entry->vehicle;
    const data::KokRow& owner = entry->owner;
    return {T::nextInspection(T::dateOf(v.*m_leading.date)),
            QString::number(owner.m_KokCode),
            (owner.m_UserName1 + QLatin1Char(' ') + owner.m_UserName2).trimmed(),
            owner.m_Tel1,
            owner.m_UserJyu1 + owner.m_UserJyu2,
            QString::number(v.m_CarCode),
            T::plate(v).simplified(),
            T::vehicleName(m_makes.entry(v.m_Syamei), v.m_Syasyu).trimmed()};
}

} // namespace kv::reports
