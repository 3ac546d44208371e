#include "common/KVCommon.h"

#include <QBrush>
#include <QPainter>
#include <QPoint>
#include <QRectF>

#include <cmath>
#include <numbers>

namespace {

// The pie chart's slices were laid out with this single-precision two-pi;
// keeping it keeps their edges on the same pixels.
constexpr double TwoPi = 6.283184051513672;

QPoint pointOnCircle(int x, int y, unsigned radius, double radians)
{
    const float cosine = static_cast<float>(std::cos(radians));
    const float sine = static_cast<float>(std::sin(radians));
    const auto r = static_cast<float>(radius);
    return QPoint(x + static_cast<int>(cosine * r), y - static_cast<int>(sine * r));
}

// Angle of the ray from the centre through a point, in degrees
// counter-clockwise from three o'clock, screen y growing downwards.
double rayAngle(int x, int y, QPoint point)
{
    return std::atan2(double(y - point.y()), double(point.x() - x)) * 180.0 / std::numbers::pi;
}

} // namespace

extern "C" {

// The slice runs counter-clockwise between the rays through the two
// truncated points, which is where the arc meets them. When both points
// coincide the sweep decides: a full turn is the whole disc, a sweep of
// (nearly) nothing is a bare radius rather than the whole disc.
int AngleArc2(QPainter* dc, int x, int y, unsigned radius, float start, float sweep,
              const QBrush& brush)
{
    if (!dc || !dc->isActive())
        return 0;
    const double from = (sweep > 0 ? start : start + sweep) / 360.0 * TwoPi;
    const double to = (sweep > 0 ? start + sweep : start) / 360.0 * TwoPi;
    const QPoint first = pointOnCircle(x, y, radius, from);
    const QPoint second = pointOnCircle(x, y, radius, to);

    const double startDegrees = rayAngle(x, y, first);
    double spanDegrees = 0;
    if (first != second) {
        spanDegrees = std::fmod(rayAngle(x, y, second) - startDegrees, 360.0);
        if (spanDegrees <= 0)
            spanDegrees += 360.0;
    } else if (std::fabs(sweep) >= 180.0f) {
        spanDegrees = 360.0;
    }
    const int startSixteenths = qRound(startDegrees * 16);
    const int spanSixteenths = qRound(spanDegrees * 16);
    const double r = radius;
    const QRectF bounds(x - r, y - r, 2 * r, 2 * r);

    dc->drawLine(QPoint(x, y), first);
    dc->drawArc(bounds, startSixteenths, spanSixteenths);
    dc->setBrush(brush);
    dc->drawPie(bounds, startSixteenths, spanSixteenths);
    return 1;
}

} // extern "C"
