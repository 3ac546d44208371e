#include "reports/print/SalesGraphPrintout.h"

#include "print/PageCanvas.h"

#include <QFontMetricsF>
#include <QPainter>

namespace kv::reports {

namespace {

// A4 across, in tenths of a millimetre: the square takes its height.
constexpr double kPageWidth = 2970;
constexpr double kPageHeight = 2100;
constexpr double kOriginDown = 55;

QString period(const SalesGraph& graph)
{
    return QString::asprintf("[ %4d年 %2d月 ～ %4d年 %2d月 ]", graph.firstMonth.year(), graph.firstMonth.month(),
                             graph.lastMonth.year(), graph.lastMonth.month());
}

} // namespace

print::PageLayout SalesGraphPrintout::layout() const
{
    print::PageLayout layout;
    layout.orientation = QPageLayout::Landscape;
    layout.colour = true;
    layout.jobName = title(m_graph.type);
    return layout;
}

QString SalesGraphPrintout::title(int type)
{
    switch (type) {
    case 0:
        return QStringLiteral("売上比率円グラフ");
    case 1:
        return QStringLiteral("売上高棒グラフ");
    default:
        return QStringLiteral("区分指定売上高棒グラフ");
    }
}

QString SalesGraphPrintout::caption(const SalesGraph& graph)
{
    if (graph.type == 2)
        return QStringLiteral("【%1】 売上高棒グラフ  %2").arg(graph.categoryName, period(graph));
    return QStringLiteral("%1  対象期間 %2").arg(title(graph.type), period(graph));
}

QString SalesGraphPrintout::periodLine(const SalesGraph& graph)
{
    if (graph.type == 2)
        return QStringLiteral("     入庫区分 [ %1 ]     対象期間 %2").arg(graph.categoryName, period(graph));
    return QStringLiteral("     対象期間 %1").arg(period(graph));
}

void SalesGraphPrintout::paintPage(int page, QPainter& painter)
{
    if (page != 1)
        return;
    painter.save();
    const double scale = std::min(kPageWidth, kPageHeight) / kSquare;
    painter.scale(scale, scale);
    painter.translate(0, kOriginDown);

    print::PageCanvas canvas(painter);
    const QString heading = title(m_graph.type);
    const QFont headingFont = SalesGraphPainter::headingFont();
    canvas.setFont(headingFont);
    canvas.setTextColour(Qt::black);
    canvas.textAt(QPointF(50, 0), heading);
    const double headingWidth = QFontMetricsF(headingFont, painter.device()).horizontalAdvance(heading);
    canvas.setFont(SalesGraphPainter::graphFont());
    canvas.textAt(QPointF(headingWidth + 50, 5), periodLine(m_graph));

    painter.translate(m_graph.type == 0 ? QPointF(0, 22) : QPointF(50, 36));
    SalesGraphPainter::paint(painter, m_graph);
    painter.restore();
}

} // namespace kv::reports
