#include "records/search/CDPreno.h"

namespace kv::records::search {

CDPreno::CDPreno(const std::vector<VehicleRow>& rows, QWidget* parent)
    : SearchPickList(QStringLiteral("該当車輌一覧"),
                     vehicleRows(rows, QStringLiteral("  登録番号（↑↓）"), 132,
                                 QStringLiteral("車  名")),
                     QStringLiteral("OK(Enter)"), QStringLiteral("ｷｬﾝｾﾙ(Esc)"), parent)
{
}

} // namespace kv::records::search
