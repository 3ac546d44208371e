#include "records/search/CDKokFuriSearch.h"

#include "controls/CEditEx.h"
#include "records/search/ReadingRange.h"

namespace kv::records::search {

CDKokFuriSearch::CDKokFuriSearch(QWidget* parent)
    : SearchEntryDialog(QStringLiteral("顧客ﾌﾘｶﾞﾅ検索"), QStringLiteral("検索する顧客ﾌﾘｶﾞﾅ"),
                        new CEditEx, parent)
{
    field()->setInputMode(CEditEx::InputMode::HalfWidthKana);
    field()->setByteLimit(ReadingRange::kReadingBytes);
}

bool CDKokFuriSearch::acceptText(const QString&)
{
    // The field's byte limit already holds the text to 20 bytes.
    return true;
}

} // namespace kv::records::search
