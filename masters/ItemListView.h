#pragma once

#include "controls/CListCtrlEx.h"
#include "masters/core/ItemRowList.h"

namespace kv::masters {

// The item list of the dialog and of the pick list: three columns (code,
// text, reading) on cream, the selected row solid green with white text.
class ItemListView : public CListCtrlEx {
    Q_OBJECT
public:
    ItemListView(const QString& textHeading, QWidget* parent = nullptr);
    // Shows the rows in their order; the selection is left to the caller.
    void fill(const ItemRowList& rows);

private:
    TypedListModel<ItemRow>* m_items;
};

} // namespace kv::masters
