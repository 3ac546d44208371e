#include "ledger/ui/CDDennoSearch.h"

#include "controls/CEditEx.h"

#include <QPushButton>

namespace kv::ledger {

CDDennoSearch::CDDennoSearch(QWidget* parent)
    : NumberEntryDialog(QStringLiteral("伝票番号検索"), QStringLiteral("検索する伝票番号"), 1, 999999,
                        parent)
{
    for (QPushButton* button : findChildren<QPushButton*>()) {
        if (button != searchButton())
            button->setText(QStringLiteral("ｷｬﾝｾﾙ(Esc)"));
    }
    field()->setText(QStringLiteral("1"));
    field()->selectAll();
}

} // namespace kv::ledger
