#pragma once

// A paint device that keeps what is drawn on it instead of pixels, for
// checking printouts: 254 dots per inch, so a device unit is a tenth of a
// millimetre and the recorded positions are paper positions as the print
// runner sets them up (origin at the paper's corner, offsets applied).

#include <QColor>
#include <QFont>
#include <QLineF>
#include <QPaintDevice>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <memory>
#include <vector>

namespace kv::test {

struct DrawnText {
    int page = 0;
    QString text;
    QPointF baseline; // left end of the baseline, paper units
    double width = 0; // advance on paper
    QFont font;
    QColor colour;
    QRectF extent() const; // from ascent to descent, paper units
};

struct DrawnShape {
    enum Kind { Rect, Line, Path };
    int page = 0;
    Kind kind = Rect;
    QRectF rect;   // Rect and Path: bounds
    QLineF line;   // Line
    QColor pen;    // invalid: no pen
    double penWidth = 0;
    QColor brush;  // invalid: no brush
};

class RecordingPaintDevice : public QPaintDevice {
public:
    RecordingPaintDevice();
    ~RecordingPaintDevice() override;

    QPaintEngine* paintEngine() const override;

    // Starts the next page (what the runner does between pages).
    void nextPage() { ++m_page; }
    int page() const { return m_page; }

    const std::vector<DrawnText>& texts() const { return m_texts; }
    const std::vector<DrawnShape>& shapes() const { return m_shapes; }
    std::vector<DrawnText> textsOn(int page) const;
    std::vector<DrawnShape> shapesOn(int page) const;
    // The texts of a page that equal text exactly.
    std::vector<DrawnText> find(int page, const QString& text) const;
    // Every text of a page joined with newlines, in drawing order.
    QString allText(int page) const;
    void clear();

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    friend class RecordingPaintEngine;
    std::unique_ptr<QPaintEngine> m_engine;
    int m_page = 1;
    std::vector<DrawnText> m_texts;
    std::vector<DrawnShape> m_shapes;
};

} // namespace kv::test
