#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>
#include <vector>

namespace kv::reports {

// One column of a list report: its title, its printed width and how its
// cells read. A text cell holds a QString, an amount cell whole yen
// (qint64), a date cell a QDate (an invalid date prints empty).
struct ReportColumn {
    enum class Kind { Text, Amount, Date };
    enum class Align { Left, Centre, Right };

    QString title;
    int width = 0; // tenths of a millimetre on the printed page
    Kind kind = Kind::Text;
    Align align = Align::Left;

    static ReportColumn text(QString title, int width, Align align = Align::Left)
    {
        return {std::move(title), width, Kind::Text, align};
    }
    static ReportColumn amount(QString title, int width)
    {
        return {std::move(title), width, Kind::Amount, Align::Right};
    }
    static ReportColumn date(QString title, int width)
    {
        return {std::move(title), width, Kind::Date, Align::Centre};
    }
};

// The cells of one row, in column order.
using ReportRow = std::vector<QVariant>;

// A list report described once, for its printout and its CSV file alike:
// the title, the selection in words, the columns and the rows reached by
// their place, so that a selection of 100,000 customers is read row by row
// and never held whole.
class ReportTable {
public:
    virtual ~ReportTable();

    virtual QString title() const = 0;
    // The selection in words, one heading line each ("顧客ｺｰﾄﾞ 1 ～ 999999").
    virtual QStringList headings() const = 0;
    virtual std::vector<ReportColumn> columns() const = 0;
    virtual int rowCount() = 0;
    // The row at index (0-based, below rowCount()); empty cells when the
    // row could not be read.
    virtual ReportRow row(int index) = 0;
    // The totals printed under the last row of the last page; none for a
    // list without totals.
    virtual std::optional<ReportRow> totals() { return std::nullopt; }
};

namespace ReportCells {
// A cell as printed: amounts grouped by thousands ("1,234,567"), dates
// "yyyy/MM/dd", texts as they are.
QString printed(const ReportColumn& column, const QVariant& cell);
// A cell in a CSV file: amounts as plain integers, dates "yyyy/MM/dd".
QString plain(const ReportColumn& column, const QVariant& cell);
} // namespace ReportCells

// A table of rows already at hand: small lists and tests.
class FixedReportTable final : public ReportTable {
public:
    FixedReportTable(QString title, QStringList headings, std::vector<ReportColumn> columns,
                     std::vector<ReportRow> rows, std::optional<ReportRow> totals = std::nullopt);

    QString title() const override { return m_title; }
    QStringList headings() const override { return m_headings; }
    std::vector<ReportColumn> columns() const override { return m_columns; }
    int rowCount() override { return int(m_rows.size()); }
    ReportRow row(int index) override;
    std::optional<ReportRow> totals() override { return m_totals; }

private:
    QString m_title;
    QStringList m_headings;
    std::vector<ReportColumn> m_columns;
    std::vector<ReportRow> m_rows;
    std::optional<ReportRow> m_totals;
};

} // namespace kv::reports
