#include "reports/core/SalesGraphShapes.h"

#include "common/KVCommon.h"

#include <cmath>

namespace kv::reports {

SalesPie SalesPie::of(const SalesFigures& figures, bool totals)
{
    SalesPie pie;
    for (int slot = 0; slot < SalesFigures::kSlots; ++slot) {
        const qint64 value = figures.graphValue(slot, totals);
        if (value > 0)
            pie.positiveTotal += value;
    }
    double start = kFirstAngle;
    for (int slot = SalesFigures::kSlots - 1; slot >= 0; --slot) {
        const qint64 value = figures.graphValue(slot, totals);
        if (value < 0)
            continue;
        if (value == 0 || pie.positiveTotal == 0) {
            pie.shares[size_t(slot)] = 0.0;
            continue;
        }
        const double share = double(value) / double(pie.positiveTotal);
        pie.shares[size_t(slot)] = std::trunc(share * 1000.0) / 10.0;
        const double sweep = std::trunc(share * 360.0 + 0.5);
        if (sweep == 0)
            continue;
        pie.slices.push_back({slot, start, sweep});
        start += sweep;
    }
    // Rounded sweeps need not add up to the circle: the last slice closes it.
    if (!pie.slices.empty())
        pie.slices.back().sweep = kLastAngle - pie.slices.back().start;
    return pie;
}

QString SalesPie::shareText(double share)
{
    return QString::asprintf("%5.1f", share);
}

qint64 SalesBarScale::axisTop(int scaleIndex)
{
    static constexpr std::array<qint64, kScales> kTops{
        1'000'000, 5'000'000, 10'000'000, 50'000'000, 100'000'000,
        500'000'000, 1'000'000'000, 5'000'000'000, 10'000'000'000,
    };
    return scaleIndex >= 0 && scaleIndex < kScales ? kTops[size_t(scaleIndex)] : 0;
}

int SalesBarScale::barTop(qint64 value, qint64 axisTop)
{
    if (axisTop <= 0 || value >= axisTop)
        return kOverTop;
    return kAxisHeight - int(std::trunc(double(value) / double(axisTop) * kAxisHeight));
}

QString SalesBarScale::axisLabel(int step, qint64 axisTop)
{
    // (10 - step) tenths of the top, in thousands: exact in integers.
    const qint64 thousands = axisTop / 1000 * (10 - step) / 10;
    QString text;
    Kanmadb(text, double(thousands));
    return text;
}

} // namespace kv::reports
