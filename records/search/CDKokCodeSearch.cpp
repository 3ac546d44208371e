#include "records/search/CDKokCodeSearch.h"

#include "controls/CEditEx.h"

#include <limits>

namespace kv::records::search {

CDKokCodeSearch::CDKokCodeSearch(QWidget* parent)
    : NumberEntryDialog(QStringLiteral("顧客ｺｰﾄﾞ検索"), QStringLiteral("検索する顧客ｺｰﾄﾞ"), 1, 999999, parent)
{
    field()->setText(QStringLiteral("1"));
}

} // namespace kv::records::search
