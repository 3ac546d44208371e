#include "records/search/CDHoyu.h"

namespace kv::records::search {

CDHoyu::CDHoyu(const std::vector<VehicleRow>& rows, QWidget* parent)
    : SearchPickList(QStringLiteral("保有車輌一覧"),
                     vehicleRows(rows, QStringLiteral("      登録番号（↑↓）"), 140,
                                 QStringLiteral("車           名")),
                     QStringLiteral("選択(Enter)"), QStringLiteral("中止(Esc)"), parent)
{
}

} // namespace kv::records::search
