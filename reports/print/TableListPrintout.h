#pragma once

#include "print/PagePainter.h"
#include "reports/core/ReportTable.h"

#include <QDate>
#include <QFont>

#include <optional>
#include <vector>

namespace kv::print {
class PageCanvas;
}

namespace kv::reports {

// A list report on A4 landscape: on every page the title, the print date,
// "n / N", the heading lines and the column titles, then the page's rows,
// and under the last row of the last page the totals. The rows are asked
// of the table page by page, never all at once.
class TableListPrintout final : public print::PagePainter {
public:
    static constexpr int kPaperWidth = 2970;
    static constexpr int kPaperHeight = 2100;
    static constexpr int kMargin = 100;
    static constexpr int kTitleTop = 80;
    static constexpr int kTitleHeight = 80;
    static constexpr int kHeadingHeight = 45;
    static constexpr int kBodyBottom = kPaperHeight - kMargin;

    // A row of a planned page: which row of the table and how many of the
    // page's units it takes.
    struct PlacedRow {
        int row = 0;
        int units = 1;
        bool operator==(const PlacedRow&) const = default;
    };
    using PlannedPage = std::vector<PlacedRow>;

    // rowsPerPage rows a page, in the table's order. The table stays the
    // caller's.
    TableListPrintout(ReportTable& table, int rowsPerPage, QDate printDate);
    // Pages laid out by the caller (a customer's lines repeated over a
    // vehicle that moves to the next page): each page unitsPerPage units
    // high.
    TableListPrintout(ReportTable& table, int unitsPerPage, std::vector<PlannedPage> pages,
                      QDate printDate);

    print::PageLayout layout() const override;
    int pageCount() const override;
    void paintPage(int page, QPainter& painter) override;

    // The rows page n (1..count) shows.
    PlannedPage rowsOf(int page) const;
    // The top of the first row and the height of one unit, the same on
    // every page so that the columns line up from page to page.
    int bodyTop() const;
    double unitHeight() const;

private:
    void paintHeader(int page, print::PageCanvas& canvas);
    void paintRow(print::PageCanvas& canvas, const std::vector<ReportColumn>& columns,
                  const ReportRow& row, double top, double height, bool bold);

    ReportTable& m_table;
    std::vector<ReportColumn> m_columns;
    QString m_title;
    QStringList m_headings;
    int m_rowCount = 0;
    int m_unitsPerPage = 1;
    bool m_planned = false;
    std::vector<PlannedPage> m_pages;
    std::optional<ReportRow> m_totals;
    QDate m_printDate;
    QFont m_titleFont;
    QFont m_textFont;
};

} // namespace kv::reports
