#pragma once

#include "reports/core/ReminderCards.h"
#include "reports/core/ReportTable.h"

namespace kv::reports {

// The date a vehicle list leads each row with, and the list's title.
struct LeadingDate {
    QString listTitle;
    QString columnTitle;
    double data::CarRow::*date;

    static LeadingDate inspectionDue()
    {
        return {QStringLiteral("車検入庫予定車輌一覧"), QStringLiteral("車検満了日"), &data::CarRow::m_Syaman};
    }
};

// A list of vehicles (the vehicles due for inspection, 12 a page, unless
// told otherwise): the leading date, whose vehicle it is and how to reach
// the owner, read row by row.
class ReminderList final : public ReportTable {
public:
    static constexpr int kRowsPerPage = 12;

    ReminderList(data::DataStore& store, const QString& filter, const QString& sort,
                 const data::SettingsList& makes, QString span,
                 LeadingDate leading = LeadingDate::inspectionDue());

    QString title() const override { return m_leading.listTitle; }
    QStringList headings() const override { return {m_span}; }
    std::vector<ReportColumn> columns() const override;
    int rowCount() override { return m_entries.count(); }
    ReportRow row(int index) override;

private:
    SelectedVehicleOwners m_entries;
    const data::SettingsList& m_makes;
    QString m_span;
    LeadingDate m_leading;
};

} // namespace kv::reports
