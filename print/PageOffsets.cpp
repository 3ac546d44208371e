#include "print/PageOffsets.h"

#include "data/settings/PrintPositions.h"

namespace kv::print {

PageOffsets PageOffsets::slipOf(const data::PrintPositions& positions)
{
    PageOffsets offsets;
    offsets.left = positions.slipLeft;
    offsets.top = positions.slipTop;
    offsets.addresseeLeft = positions.addresseeLeft;
    offsets.addresseeTop = positions.addresseeTop;
    return offsets;
}

QTransform PageOffsets::layoutToPaper() const
{
    return QTransform::fromTranslate(-left, top);
}

QPointF PageOffsets::addressee(const QPointF& point) const
{
    return point + QPointF(addresseeLeft, addresseeTop);
}

} // namespace kv::print
