#include "reports/core/ReportTable.h"

namespace kv::reports {

ReportTable::~ReportTable() = default;

namespace {

QString dateText(const QVariant& cell)
{
    const QDate date = cell.toDate();
    return date.isValid() ? date.toString(QStringLiteral("yyyy/MM/dd")) : QString();
}

QString groupedAmount(qint64 value)
{
    // Grouped by hand: the amounts of a list's totals may pass 32 bits.
    const bool negative = value < 0;
    QString digits = QString::number(negative ? -value : value);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(','));
    return negative ? QLatin1Char('-') + digits : digits;
}

} // namespace

QString ReportCells::printed(const ReportColumn& column, const QVariant& cell)
{
    if (!cell.isValid() || cell.isNull())
        return {};
    switch (column.kind) {
    case ReportColumn::Kind::Amount:
        return groupedAmount(cell.toLongLong());
    case ReportColumn::Kind::Date:
        return dateText(cell);
    case ReportColumn::Kind::Text:
        break;
    }
    return cell.toString();
}

QString ReportCells::plain(const ReportColumn& column, const QVariant& cell)
{
    if (!cell.isValid() || cell.isNull())
        return {};
    switch (column.kind) {
    case ReportColumn::Kind::Amount:
        return QString::number(cell.toLongLong());
    case ReportColumn::Kind::Date:
        return dateText(cell);
    case ReportColumn::Kind::Text:
        break;
    }
    return cell.toString();
}

FixedReportTable::FixedReportTable(QString title, QStringList headings,
                                   std::vector<ReportColumn> columns, std::vector<ReportRow> rows,
                                   std::optional<ReportRow> totals)
    : m_title(std::move(title))
    , m_headings(std::move(headings))
    , m_columns(std::move(columns))
    , m_rows(std::move(rows))
    , m_totals(std::move(totals))
{
}

ReportRow FixedReportTable::row(int index)
{
    if (index < 0 || index >= int(m_rows.size()))
        return ReportRow(m_columns.size());
    return m_rows[size_t(index)];
}

} // namespace kv::reports
