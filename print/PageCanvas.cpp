#include "print/PageCanvas.h"

#include <QPainter>

namespace kv::print {

namespace {
constexpr int kSingleLine = Qt::TextSingleLine | Qt::TextDontClip;
}

PageCanvas::PageCanvas(QPainter& painter)
    : m_painter(painter)
{
}

QRectF PageCanvas::box(double x1, double x2, double y1, double y2)
{
    return QRectF(QPointF(x1, y1), QPointF(x2, y2));
}

QPen PageCanvas::pen(const QColor& colour, int width)
{
    QPen p(colour);
    p.setWidth(width);
    p.setCapStyle(Qt::SquareCap);
    p.setJoinStyle(Qt::MiterJoin);
    return p;
}

void PageCanvas::setFont(const QFont& font)
{
    m_painter.setFont(font);
}

void PageCanvas::setTextColour(const QColor& colour)
{
    m_painter.setPen(colour);
}

void PageCanvas::text(const QRectF& box, const QString& text, Qt::Alignment horizontal)
{
    if (text.isEmpty())
        return;
    m_painter.drawText(box, int(horizontal | Qt::AlignVCenter) | kSingleLine, text);
}

void PageCanvas::textAt(const QPointF& topLeft, const QString& text)
{
    if (text.isEmpty())
        return;
    m_painter.drawText(QRectF(topLeft, QSizeF(0, 0)), Qt::AlignLeft | Qt::AlignTop | kSingleLine,
                       text);
}

void PageCanvas::lines(const QRectF& box, const QString& text)
{
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    plain.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (plain.isEmpty())
        return;
    m_painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip | Qt::TextExpandTabs,
                       plain);
}

void PageCanvas::fill(const QRectF& box, const QColor& colour)
{
    m_painter.fillRect(box, colour);
}

void PageCanvas::frame(const QRectF& box, const QPen& pen)
{
    m_painter.save();
    m_painter.setPen(pen);
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(box);
    m_painter.restore();
}

void PageCanvas::line(double x1, double y1, double x2, double y2, const QPen& pen)
{
    m_painter.save();
    m_painter.setPen(pen);
    m_painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    m_painter.restore();
}

} // namespace kv::print
