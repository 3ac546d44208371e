#include "records/search/CDPrenoSearch.h"

#include "controls/CEditEx.h"

#include <limits>

namespace kv::records::search {

CDPrenoSearch::CDPrenoSearch(QWidget* parent)
    : NumberEntryDialog(QStringLiteral("車輌ﾅﾝﾊﾞｰ検索"), QStringLiteral("検索する車輌ﾅﾝﾊﾞｰ"), std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), parent)
{

}

} // namespace kv::records::search
