#include "records/search/CDFuri.h"

namespace kv::records::search {

CDFuri::CDFuri(const std::vector<CustomerRow>& rows, QWidget* parent)
    : SearchPickList(QStringLiteral("該当顧客一覧"), QStringLiteral("      名  前（↑↓）"), 150,
                     QStringLiteral("住  所"), QStringLiteral("OK(Enter)"),
                     QStringLiteral("ｷｬﾝｾﾙ(Esc)"), parent)
{
    for (const CustomerRow& row : rows)
        addRow(row.name, row.address, row.code);
}

} // namespace kv::records::search
