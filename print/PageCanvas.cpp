#include "print/PageCanvas.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

namespace kv::print {

namespace {

constexpr int kSingleLine = Qt::TextSingleLine | Qt::TextDontClip;
// The stroke that thickens a bold text, as a share of its height.
constexpr double kBoldStroke = 1.0 / 28;

QFont regularOf(QFont font)
{
    font.setBold(false);
    return font;
}

} // namespace

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

// The faces of the forms have no bold weight, and every back end fakes one
// its own way (the screen smears white text on a colour, the PDF writer
// does not). Bold text is therefore the regular text, kept as text in a
// PDF, with its outline stroked once more, which every device draws alike.
bool PageCanvas::boldLine(const QPointF& baselineStart, const QString& text)
{
    if (!m_painter.font().bold())
        return false;
    const QFont regular = regularOf(m_painter.font());
    QPainterPath outline;
    outline.addText(baselineStart, regular, text);
    QPen stroke(m_painter.pen().color());
    stroke.setWidthF(regular.pixelSize() * kBoldStroke);
    stroke.setJoinStyle(Qt::RoundJoin);
    m_painter.save();
    m_painter.setFont(regular);
    m_painter.drawText(baselineStart, text);
    m_painter.strokePath(outline, stroke);
    m_painter.restore();
    return true;
}

void PageCanvas::text(const QRectF& box, const QString& text, Qt::Alignment horizontal)
{
    if (text.isEmpty())
        return;
    if (m_painter.font().bold()) {
        // Placed as drawText places a single line in its box.
        const QFontMetricsF metrics(regularOf(m_painter.font()), m_painter.device());
        const double width = metrics.horizontalAdvance(text);
        double x = box.left();
        if (horizontal & Qt::AlignRight)
            x = box.right() - width;
        else if (horizontal & Qt::AlignHCenter)
            x = box.left() + (box.width() - width) / 2;
        const double baseline = box.top() + (box.height() - metrics.height()) / 2 + metrics.ascent();
        boldLine(QPointF(x, baseline), text);
        return;
    }
    m_painter.drawText(box, int(horizontal | Qt::AlignVCenter) | kSingleLine, text);
}

void PageCanvas::textAt(const QPointF& topLeft, const QString& text)
{
    if (text.isEmpty())
        return;
    const QFontMetricsF metrics(regularOf(m_painter.font()), m_painter.device());
    if (boldLine(topLeft + QPointF(0, metrics.ascent()), text))
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
    if (m_painter.font().bold()) {
        const QFontMetricsF metrics(regularOf(m_painter.font()), m_painter.device());
        double top = box.top();
        for (const QString& line : plain.split(QLatin1Char('\n'))) {
            QString expanded = line;
            expanded.replace(QLatin1Char('\t'), QStringLiteral("        "));
            boldLine(QPointF(box.left(), top + metrics.ascent()), expanded);
            top += metrics.lineSpacing();
        }
        return;
    }
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
