#include "reports/print/SalesGraphPainter.h"

#include "common/KVCommon.h"
#include "print/PageCanvas.h"
#include "print/PrintFont.h"
#include "reports/core/SalesGraphShapes.h"

#include <QPainter>
#include <QStringList>

#include <array>

namespace kv::reports {

namespace {

using print::PageCanvas;

constexpr std::array<QRgb, SalesFigures::kSlots> kSlotColours{
    qRgb(255, 128, 128), qRgb(255, 255, 196), qRgb(0, 0, 255),     qRgb(193, 255, 224), qRgb(0, 0, 0),
    qRgb(166, 202, 240), qRgb(128, 128, 0),   qRgb(255, 0, 0),     qRgb(48, 143, 143),  qRgb(255, 255, 0),
    qRgb(255, 193, 255), qRgb(63, 192, 140),  qRgb(192, 192, 192), qRgb(0, 128, 192),   qRgb(128, 128, 192),
    qRgb(255, 0, 255),   qRgb(231, 183, 20),  qRgb(160, 160, 18),  qRgb(0, 255, 0),     qRgb(0, 128, 128),
};

const QString kNoSales = QStringLiteral("売上がありません！");

QRectF edges(double x1, double y1, double x2, double y2)
{
    return QRectF(QPointF(x1, y1), QPointF(x2, y2));
}

QString amountText(qint64 value)
{
    QString text;
    Kanmadb(text, double(value));
    return text;
}

// A column this narrow holds one character a line; half-width digits
// stand together ("10月" in two lines).
QStringList columnLines(const QString& label)
{
    QStringList lines;
    for (qsizetype i = 0; i < label.size(); ++i) {
        const bool digit = label[i].isDigit() && label[i].unicode() < 0x80;
        if (digit && !lines.isEmpty() && lines.back().back().isDigit() && lines.back().back().unicode() < 0x80)
            lines.back() += label[i];
        else
            lines << QString(label[i]);
    }
    return lines;
}

} // namespace

QColor SalesGraphPainter::slotColour(int slot)
{
    return slot >= 0 && slot < SalesFigures::kSlots ? QColor(kSlotColours[size_t(slot)]) : QColor(Qt::white);
}

QFont SalesGraphPainter::graphFont()
{
    return print::PrintFont{print::PrintFont::kGothic, kLineHeight, 5, false}.toQFont();
}

QFont SalesGraphPainter::headingFont()
{
    QFont font = print::PrintFont{print::PrintFont::kGothic, 16, 0, true}.toQFont();
    font.setUnderline(true);
    return font;
}

QString SalesGraphPainter::pieHeading(qint64 total)
{
    return QStringLiteral("【売上合計  %1円】").arg(amountText(total));
}

QString SalesGraphPainter::monthName(int month)
{
    static const std::array<const char*, 12> kNames{"１月", "２月", "３月", "４月", "５月", "６月",
                                                    "７月", "８月", "９月", "10月", "11月", "12月"};
    return QString::fromUtf8(kNames[size_t((month - 1) % 12)]);
}

void SalesGraphPainter::paint(QPainter& painter, const SalesGraph& graph)
{
    painter.save();
    painter.setFont(graphFont());
    painter.setPen(Qt::black);
    if (graph.type == 0)
        paintPie(painter, graph);
    else
        paintBars(painter, graph);
    painter.restore();
}

void SalesGraphPainter::paintOnScreen(QPainter& painter, const SalesGraph& graph)
{
    painter.save();
    if (graph.type != 0)
        painter.translate(30, 10);
    paint(painter, graph);
    painter.restore();
}

void SalesGraphPainter::paintPie(QPainter& painter, const SalesGraph& graph)
{
    PageCanvas canvas(painter);
    canvas.text(edges(10, 10, 250, 22), pieHeading(graph.figures.graphTotal(graph.totals)), Qt::AlignHCenter);
    const SalesPie pie = SalesPie::of(graph.figures, graph.totals);
    if (pie.empty()) {
        painter.setBrush(Qt::white);
        painter.drawEllipse(edges(10, 32, 250, 272));
        canvas.text(edges(10, 146, 250, 158), kNoSales, Qt::AlignHCenter);
    } else {
        for (const SalesPie::Slice& slice : pie.slices)
            AngleArc2(&painter, 130, 152, 120, float(slice.start), float(slice.sweep), slotColour(slice.slot));
    }
    for (int slot = 0; slot < SalesFigures::kSlots; ++slot) {
        const double top = 11 + 13 * slot;
        const QRectF box = edges(255, top, 267, top + kLineHeight);
        painter.fillRect(box, slotColour(slot));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(box);
        const bool named = slot < int(graph.categories.size());
        const QString name = named ? graph.categories[size_t(slot)].name : QString();
        const auto& share = pie.shares[size_t(slot)];
        if (share) {
            canvas.text(edges(269, top, 297, top + kLineHeight), SalesPie::shareText(*share), Qt::AlignRight);
            canvas.text(edges(299, top, 309, top + kLineHeight), QStringLiteral("%"));
            canvas.text(edges(309, top, 309, top + kLineHeight), name);
        } else {
            // Less than nothing has no share: the amount stands beside the name.
            const QString amount = amountText(graph.figures.graphValue(slot, graph.totals)) + QStringLiteral("円");
            canvas.text(edges(309, top, 309, top + kLineHeight), name + QStringLiteral("  ") + amount);
        }
    }
}

void SalesGraphPainter::paintBars(QPainter& painter, const SalesGraph& graph)
{
    PageCanvas canvas(painter);
    const bool byMonth = graph.type == 2;
    const int columns = byMonth ? 12 : SalesFigures::kSlots;
    const int right = columns * kColumnWidth + (byMonth ? 95 : 135);
    const QPen black(Qt::black, 0);
    painter.setPen(black);
    painter.drawLine(QPointF(29, 0), QPointF(29, 250));
    painter.drawLine(QPointF(29, 250), QPointF(right, 250));
    const qint64 graphTotal = graph.figures.graphTotal(graph.totals);
    if (graphTotal <= 0) {
        canvas.text(edges(30, 113, right, 125), kNoSales, Qt::AlignHCenter);
        return;
    }
    const qint64 axisTop = SalesBarScale::axisTop(graph.scaleIndex);
    for (int step = 0; step <= 10; ++step) {
        const double y = 25 * step;
        painter.setPen(black);
        painter.drawLine(QPointF(26, y), QPointF(29, y));
        if (step < 10) {
            painter.setPen(QPen(QColor(192, 192, 192), 0));
            painter.drawLine(QPointF(30, y), QPointF(right, y));
            painter.setPen(black);
            canvas.text(edges(-30, y - 6, 25, y + 6), SalesBarScale::axisLabel(step, axisTop), Qt::AlignRight);
        }
    }
    painter.setPen(black);
    canvas.text(edges(-30, 244, 25, 256), QStringLiteral("0"), Qt::AlignRight);
    canvas.text(edges(-30, 256, 25, 268), QStringLiteral("(千円)"), Qt::AlignRight);

    for (int i = 0; i < columns; ++i) {
        QString label;
        if (byMonth)
            label = monthName(graph.firstMonth.month() + i);
        else if (i < int(graph.categories.size()))
            label = graph.categories[size_t(i)].name;
        const QStringList lines = columnLines(label);
        for (int line = 0; line < lines.size() && 253 + (line + 1) * kLineHeight <= 333; ++line) {
            const double top = 253 + line * kLineHeight;
            canvas.text(edges(36 + 17 * i, top, 36 + 17 * i + kColumnWidth, top + kLineHeight), lines[line],
                        Qt::AlignHCenter);
        }
    }
    for (int i = 0; i < columns; ++i) {
        const qint64 value = graph.figures.graphValue(i, graph.totals);
        if (value <= 0)
            continue;
        const double left = 35 + 17 * i;
        const double top = SalesBarScale::barTop(value, axisTop);
        const QColor colour = slotColour(byMonth ? graph.categorySlot : i);
        painter.fillRect(edges(left, top, left + kColumnWidth, 250), colour);
        painter.drawLine(QPointF(left, 250), QPointF(left, top));
        painter.drawLine(QPointF(left, top), QPointF(left + kColumnWidth, top));
        painter.drawLine(QPointF(left + kColumnWidth, top), QPointF(left + kColumnWidth, 250));
    }
}

} // namespace kv::reports
