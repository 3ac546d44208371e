#include "records/PanelMode.h"

namespace kv::records::PanelMode {

QString text(int mode)
{
    switch (mode) {
    case CustomerCodeOrder: return QStringLiteral("顧客ｺｰﾄﾞ順");
    case ReadingOrder: return QStringLiteral("顧客ﾌﾘｶﾞﾅ順");
    case VehicleCodeOrder: return QStringLiteral("車輌ｺｰﾄﾞ順");
    case PlateOrder: return QStringLiteral("ﾌﾟﾚｰﾄNO順");
    default: break;
    }
    return QString();
}

bool changesText(int mode)
{
    return mode != NewCustomer && mode != NewVehicle;
}

bool isSearchMode(int mode)
{
    return mode >= CustomerCodeOrder && mode <= PlateOrder;
}

} // namespace kv::records::PanelMode
