#include "records/search/CDHoyu.h"

namespace kv::records::search {

CDHoyu::CDHoyu(const std::vector<VehicleRow>& rows, QWidget* parent)
    : SearchPickList(QStringLiteral("保有車輌一覧"), QStringLiteral("      登録番号（↑↓）"), 140,
                     QStringLiteral("車           名"), QStringLiteral("選択(Enter)"), QStringLiteral("中止(Esc)"),
                     parent)
{
    for (const VehicleRow& row : rows)
        addRow(row.plate(), row.nameAndModel(), row.code);
}

} // namespace kv::records::search
