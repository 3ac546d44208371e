#pragma once

#include "reports/core/ReminderCards.h"
#include "reports/core/ReportTable.h"

namespace kv::reports {

// The list of the vehicles due for inspection (12 a page): when each
// expires, whose it is and how to reach the owner, read row by row.
class ReminderList final : public ReportTable {
public:
    static constexpr int kRowsPerPage = 12;

    ReminderList(data::DataStore& store, const QString& filter, const QString& sort,
                 const data::SettingsList& makes, QString span);

    QString title() const override { return QStringLiteral("車検入庫予定車輌一覧"); }
    QStringList headings() const override { return {m_span}; }
    std::vector<ReportColumn> columns() const override;
    int rowCount() override { return m_entries.count(); }
    ReportRow row(int index) override;

private:
    SelectedVehicleOwners m_entries;
    const data::SettingsList& m_makes;
    QString m_span;
};

} // namespace kv::reports
