#include "records/search/CDFuri.h"

namespace kv::records::search {

CDFuri::CDFuri(const std::vector<CustomerRow>& rows, QWidget* parent)
    : SearchPickList(QStringLiteral("該当顧客一覧"), customerRows(rows), QStringLiteral("OK(Enter)"),
                     QStringLiteral("ｷｬﾝｾﾙ(Esc)"), parent)
{
}

} // namespace kv::records::search
