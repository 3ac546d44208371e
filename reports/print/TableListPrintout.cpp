#include "reports/print/TableListPrintout.h"

#include "print/PageCanvas.h"
#include "print/PrintFont.h"
#include "reports/print/TextFit.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace kv::reports {
namespace {

constexpr int kCellPadding = 10;

Qt::Alignment alignmentOf(ReportColumn::Align align)
{
    switch (align) {
    case ReportColumn::Align::Centre:
        return Qt::AlignHCenter;
    case ReportColumn::Align::Right:
        return Qt::AlignRight;
    case ReportColumn::Align::Left:
        break;
    }
    return Qt::AlignLeft;
}

} // namespace

TableListPrintout::TableListPrintout(ReportTable& table, int rowsPerPage, QDate printDate)
    : m_table(table)
    , m_columns(table.columns())
    , m_title(table.title())
    , m_headings(table.headings())
    , m_rowCount(table.rowCount())
    , m_unitsPerPage(std::max(1, rowsPerPage))
    , m_totals(table.totals())
    , m_printDate(printDate)
    , m_titleFont(print::PrintFont{print::PrintFont::kGothic, 70, 0, true}.toQFont())
    , m_textFont(print::PrintFont{print::PrintFont::kGothic, 32, 0, false}.toQFont())
{
}

TableListPrintout::TableListPrintout(ReportTable& table, int unitsPerPage,
                                     std::vector<PlannedPage> pages, QDate printDate)
    : TableListPrintout(table, unitsPerPage, printDate)
{
    m_planned = true;
    m_pages = std::move(pages);
}

print::PageLayout TableListPrintout::layout() const
{
    print::PageLayout layout;
    layout.paper = QPageSize::A4;
    layout.orientation = QPageLayout::Landscape;
    layout.colour = false;
    layout.jobName = m_title;
    return layout;
}

int TableListPrintout::pageCount() const
{
    if (m_planned)
        return int(m_pages.size());
    return (m_rowCount + m_unitsPerPage - 1) / m_unitsPerPage;
}

TableListPrintout::PlannedPage TableListPrintout::rowsOf(int page) const
{
    if (page < 1 || page > pageCount())
        return {};
    if (m_planned)
        return m_pages[size_t(page - 1)];
    PlannedPage rows;
    const int first = (page - 1) * m_unitsPerPage;
    for (int row = first; row < std::min(m_rowCount, first + m_unitsPerPage); ++row)
        rows.push_back({row, 1});
    return rows;
}

int TableListPrintout::bodyTop() const
{
    // Title, one heading line each, then the column titles one unit high.
    return kTitleTop + kTitleHeight + 20 + int(m_headings.size()) * kHeadingHeight + 20;
}

double TableListPrintout::unitHeight() const
{
    // The column titles take a unit, and the totals one more on every page,
    // so that the last page's rows stand where those of the others do.
    const int units = m_unitsPerPage + 1 + (m_totals ? 1 : 0);
    return double(kBodyBottom - bodyTop()) / units;
}

void TableListPrintout::paintHeader(int page, print::PageCanvas& canvas)
{
    using print::PageCanvas;
    canvas.setFont(m_titleFont);
    canvas.text(PageCanvas::box(kMargin, kPaperWidth - kMargin, kTitleTop, kTitleTop + kTitleHeight),
                m_title, Qt::AlignHCenter);
    canvas.setFont(m_textFont);
    const double right = kPaperWidth - kMargin;
    canvas.text(PageCanvas::box(right - 600, right, kTitleTop, kTitleTop + kTitleHeight / 2),
                QStringLiteral("印刷日 ") + m_printDate.toString(QStringLiteral("yyyy/MM/dd")),
                Qt::AlignRight);
    canvas.text(PageCanvas::box(right - 600, right, kTitleTop + kTitleHeight / 2,
                                kTitleTop + kTitleHeight),
                QStringLiteral("%1 / %2").arg(page).arg(pageCount()), Qt::AlignRight);
    double top = kTitleTop + kTitleHeight + 20;
    for (const QString& heading : m_headings) {
        canvas.text(PageCanvas::box(kMargin, right, top, top + kHeadingHeight), heading);
        top += kHeadingHeight;
    }
    // The titles read as text whatever the column holds.
    ReportRow titles;
    std::vector<ReportColumn> titleColumns;
    for (const ReportColumn& column : m_columns) {
        titles.emplace_back(column.title);
        titleColumns.push_back(
            ReportColumn::text(column.title, column.width, ReportColumn::Align::Centre));
    }
    const double height = unitHeight();
    paintRow(canvas, titleColumns, titles, bodyTop(), height, true);
    canvas.line(kMargin, bodyTop() + height, right, bodyTop() + height,
                PageCanvas::pen(Qt::black, PageCanvas::kThick));
}

void TableListPrintout::paintRow(print::PageCanvas& canvas, const std::vector<ReportColumn>& columns,
                                 const ReportRow& row, double top, double height, bool bold)
{
    QFont font = m_textFont;
    font.setBold(bold);
    canvas.setFont(font);
    const QFontMetricsF metrics(font, canvas.painter().device());
    qsizetype lineCount = 1;
    for (const QVariant& cell : row)
        lineCount = std::max(lineCount, cell.toString().count(QLatin1Char('\n')) + 1);
    const double lineHeight = height / double(lineCount);
    double left = kMargin;
    for (size_t column = 0; column < columns.size(); ++column) {
        const ReportColumn& described = columns[column];
        const QString text = column < row.size() ? ReportCells::printed(described, row[column])
                                                 : QString();
        const double width = described.width - 2 * kCellPadding;
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (qsizetype line = 0; line < lines.size(); ++line) {
            const double lineTop = top + double(line) * lineHeight;
            canvas.text(print::PageCanvas::box(left + kCellPadding, left + kCellPadding + width,
                                               lineTop, lineTop + lineHeight),
                        cutToWidth(lines[line], width, metrics), alignmentOf(described.align));
        }
        left += described.width;
    }
}

void TableListPrintout::paintPage(int page, QPainter& painter)
{
    using print::PageCanvas;
    PageCanvas canvas(painter);
    paintHeader(page, canvas);
    const double unit = unitHeight();
    const double right = kPaperWidth - kMargin;
    const QPen thin = PageCanvas::pen(Qt::black, PageCanvas::kThin);
    double top = bodyTop() + unit;
    for (const PlacedRow& placed : rowsOf(page)) {
        const double height = unit * placed.units;
        paintRow(canvas, m_columns, m_table.row(placed.row), top, height, false);
        top += height;
        canvas.line(kMargin, top, right, top, thin);
    }
    if (m_totals && page == pageCount()) {
        canvas.line(kMargin, top, right, top, PageCanvas::pen(Qt::black, PageCanvas::kThick));
        paintRow(canvas, m_columns, *m_totals, top, unit, true);
    }
}

} // namespace kv::reports
