#include "support/RecordingPaintDevice.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainterPath>
#include <QTextItem>

namespace kv::test {

class RecordingPaintEngine final : public QPaintEngine {
public:
    explicit RecordingPaintEngine(RecordingPaintDevice& device)
        : QPaintEngine(AllFeatures)
        , m_device(device)
    {
    }

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }

    void updateState(const QPaintEngineState& state) override
    {
        const QPaintEngine::DirtyFlags flags = state.state();
        if (flags & DirtyTransform)
            m_transform = state.transform();
        if (flags & DirtyPen)
            m_pen = state.pen();
        if (flags & DirtyBrush)
            m_brush = state.brush();
        if (flags & DirtyFont)
            m_font = state.font();
    }

    void drawTextItem(const QPointF& p, const QTextItem& item) override
    {
        DrawnText t;
        t.page = m_device.m_page;
        t.text = item.text();
        t.baseline = m_transform.map(p);
        t.width = m_transform.map(QLineF(p, p + QPointF(item.width(), 0))).length();
        t.font = item.font();
        t.colour = m_pen.color();
        // One drawn text arrives in runs of one script and font each; a run
        // that goes on where the last one ended is the same text.
        auto& texts = m_device.m_texts;
        if (!texts.empty()) {
            DrawnText& last = texts.back();
            if (last.page == t.page && last.colour == t.colour
                && qAbs(last.baseline.y() - t.baseline.y()) < 0.01
                && qAbs(last.baseline.x() + last.width - t.baseline.x()) < 0.01) {
                last.text += t.text;
                last.width += t.width;
                return;
            }
        }
        texts.push_back(t);
    }

    void drawRects(const QRectF* rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            addShape(DrawnShape::Rect, m_transform.mapRect(rects[i]), {});
    }
    void drawRects(const QRect* rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            addShape(DrawnShape::Rect, m_transform.mapRect(QRectF(rects[i])), {});
    }
    void drawLines(const QLineF* lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            addShape(DrawnShape::Line, {}, m_transform.map(lines[i]));
    }
    void drawLines(const QLine* lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            addShape(DrawnShape::Line, {}, m_transform.map(QLineF(lines[i])));
    }
    void drawPath(const QPainterPath& path) override
    {
        addShape(DrawnShape::Path, m_transform.map(path).boundingRect(), {});
    }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode) override
    {
        addShape(DrawnShape::Path, m_transform.map(QPolygonF(QList<QPointF>(points, points + count))).boundingRect(), {});
    }
    void drawPixmap(const QRectF& r, const QPixmap&, const QRectF&) override
    {
        addShape(DrawnShape::Rect, m_transform.mapRect(r), {});
    }

private:
    void addShape(DrawnShape::Kind kind, const QRectF& rect, const QLineF& line)
    {
        DrawnShape s;
        s.page = m_device.m_page;
        s.kind = kind;
        s.rect = rect;
        s.line = line;
        if (m_pen.style() != Qt::NoPen) {
            s.pen = m_pen.color();
            s.penWidth = m_pen.widthF() * m_transform.m11();
        }
        if (kind != DrawnShape::Line && m_brush.style() != Qt::NoBrush)
            s.brush = m_brush.color();
        m_device.m_shapes.push_back(s);
    }

    RecordingPaintDevice& m_device;
    QTransform m_transform;
    QPen m_pen;
    QBrush m_brush;
    QFont m_font;
};

QRectF DrawnText::extent() const
{
    // The recording device draws at one unit per device unit.
    const QFontMetricsF metrics(font);
    return QRectF(baseline.x(), baseline.y() - metrics.ascent(), width,
                  metrics.ascent() + metrics.descent());
}

RecordingPaintDevice::RecordingPaintDevice()
    : m_engine(std::make_unique<RecordingPaintEngine>(*this))
{
}

RecordingPaintDevice::~RecordingPaintDevice() = default;

QPaintEngine* RecordingPaintDevice::paintEngine() const
{
    return m_engine.get();
}

int RecordingPaintDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth: return 2100;
    case PdmHeight: return 2970;
    case PdmWidthMM: return 210;
    case PdmHeightMM: return 297;
    case PdmNumColors: return 0x7fffffff;
    case PdmDepth: return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return 254;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
    }
    return 0;
}

std::vector<DrawnText> RecordingPaintDevice::textsOn(int page) const
{
    std::vector<DrawnText> out;
    for (const DrawnText& t : m_texts)
        if (t.page == page)
            out.push_back(t);
    return out;
}

std::vector<DrawnShape> RecordingPaintDevice::shapesOn(int page) const
{
    std::vector<DrawnShape> out;
    for (const DrawnShape& s : m_shapes)
        if (s.page == page)
            out.push_back(s);
    return out;
}

std::vector<DrawnText> RecordingPaintDevice::find(int page, const QString& text) const
{
    std::vector<DrawnText> out;
    for (const DrawnText& t : m_texts)
        if (t.page == page && t.text == text)
            out.push_back(t);
    return out;
}

QString RecordingPaintDevice::allText(int page) const
{
    QStringList lines;
    for (const DrawnText& t : m_texts)
        if (t.page == page)
            lines << t.text;
    return lines.join(QLatin1Char('\n'));
}

void RecordingPaintDevice::clear()
{
    m_texts.clear();
    m_shapes.clear();
    m_page = 1;
}

} // namespace kv::test
