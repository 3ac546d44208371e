#include "records/search/CDCarCodeSearch.h"

#include "controls/CEditEx.h"

#include <limits>

namespace kv::records::search {

CDCarCodeSearch::CDCarCodeSearch(QWidget* parent)
    : NumberEntryDialog(QStringLiteral("車輌ｺｰﾄﾞ検索"), QStringLiteral("検索する車輌ｺｰﾄﾞ"), 1, 999999, parent)
{

}

} // namespace kv::records::search
