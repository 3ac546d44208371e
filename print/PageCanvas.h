#pragma once

#include <QColor>
#include <QFont>
#include <QPen>
#include <QRectF>
#include <QString>

class QPainter;

namespace kv::print {

// Drawing in tenths of a millimetre the way the forms are described: boxes
// by their edges, texts on one line centred vertically in their box (or
// placed by their top-left corner), lines with the thin or thick pen.
class PageCanvas {
public:
    static constexpr int kThin = 1;
    static constexpr int kThick = 3;

    explicit PageCanvas(QPainter& painter);

    // The box x1..x2 × y1..y2.
    static QRectF box(double x1, double x2, double y1, double y2);
    static QPen pen(const QColor& colour, int width);

    QPainter& painter() { return m_painter; }

    void setFont(const QFont& font);
    void setTextColour(const QColor& colour);

    // One line, vertically centred in the box, aligned as asked; never
    // clipped, never wrapped.
    void text(const QRectF& box, const QString& text, Qt::Alignment horizontal = Qt::AlignLeft);
    // One line whose top-left corner is at the point.
    void textAt(const QPointF& topLeft, const QString& text);
    // Lines broken only at the text's own line breaks, from the box's
    // top-left corner.
    void lines(const QRectF& box, const QString& text);

    void fill(const QRectF& box, const QColor& colour);
    void frame(const QRectF& box, const QPen& pen);
    void line(double x1, double y1, double x2, double y2, const QPen& pen);

private:
    // Draws a bold text from its baseline; false for a regular font.
    bool boldLine(const QPointF& baselineStart, const QString& text);

    QPainter& m_painter;
};

} // namespace kv::print
