#include "reports/core/VehicleSelection.h"

#include "reports/core/FilterText.h"

namespace kv::reports {

QString VehicleSelection::filter() const
{
    return QStringLiteral("CarCode >= %1 AND CarCode <= %2 AND ").arg(codeFrom).arg(codeTo)
        + notPlaceholder();
}

QString VehicleSelection::notPlaceholder()
{
    return QStringLiteral("Syatai <> ") + FilterText::text(FilterText::placeholder());
}

} // namespace kv::reports
