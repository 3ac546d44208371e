#pragma once

#include <QPointF>
#include <QTransform>

namespace kv::data {
struct PrintPositions;
}

namespace kv::print {

// The print position settings as they move a printout, in tenths of a
// millimetre. The layout point (left, -top) falls on the paper's corner: a
// positive top margin moves the print down, a positive left margin moves it
// to the left. A block with offsets of its own (the addressee of a slip)
// moves by them on top of that.
struct PageOffsets {
    int left = 0;
    int top = 0;
    int addresseeLeft = 0;
    int addresseeTop = 0;

    // The slip margins and the addressee offsets of the print positions.
    static PageOffsets slipOf(const data::PrintPositions& positions);

    // From layout units to paper units (both tenths of a millimetre).
    QTransform layoutToPaper() const;
    // A point of the addressee block, moved by its offsets.
    QPointF addressee(const QPointF& point) const;

    bool operator==(const PageOffsets&) const = default;
};

} // namespace kv::print
