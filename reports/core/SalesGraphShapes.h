#pragma once

#include "reports/core/SalesFigures.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace kv::reports {

// The pie of the sales analysis: slices from slot 19 down to slot 0, the
// first starting at 90.5 degrees (counter-clockwise), the last one drawn
// closing the circle at 450.5 degrees. Shares are taken over the slots of
// positive value only: a slot that sold less than nothing (credit notes)
// has no slice and no share, and the legend names its amount instead.
struct SalesPie {
    static constexpr double kFirstAngle = 90.5;
    static constexpr double kLastAngle = 450.5;

    struct Slice {
        int slot = 0;
        double start = 0; // degrees
        double sweep = 0; // degrees
    };

    std::vector<Slice> slices;
    // Per slot: the share in percent, truncated to tenths; none for a slot
    // of negative value.
    std::array<std::optional<double>, SalesFigures::kSlots> shares{};
    qint64 positiveTotal = 0;

    bool empty() const { return slices.empty(); }

    static SalesPie of(const SalesFigures& figures, bool totals);
    // "%5.1f" of a share.
    static QString shareText(double share);
};

// The value axis of the bar charts.
struct SalesBarScale {
    static constexpr int kScales = 9;
    static constexpr int kAxisHeight = 250;
    // A bar at or above the axis top ends this far above the top line.
    static constexpr int kOverTop = -5;

    // The axis top in yen of a scale index (0 to 8; others take 0).
    static qint64 axisTop(int scaleIndex);
    // The top of a bar of a value above 0, y downwards from the axis top at
    // 0 to the base line at 250.
    static int barTop(qint64 value, qint64 axisTop);
    // The label of the tick at y = 25 × step (step 0 is the top), in
    // thousands of yen, comma grouped.
    static QString axisLabel(int step, qint64 axisTop);
};

} // namespace kv::reports
