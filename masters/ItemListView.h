#pragma once

#include "masters/core/ItemRowList.h"

#include <QString>

namespace kv {
class CListCtrlEx;
}

namespace kv::masters {

// The item lists of the dialog and of the pick list: three columns (code,
// text, reading), drawn by the item row delegate.
class ItemListView {
public:
    static void setUp(CListCtrlEx& list, const QString& textHeading);
    // Shows the rows in their order; the selection is left to the caller.
    static void fill(CListCtrlEx& list, const ItemRowList& rows);
};

} // namespace kv::masters
