#pragma once

#include "controls/CListCtrlEx.h"
#include "masters/core/ItemRowList.h"

#include <functional>

namespace kv::masters {

// The item list of the dialog and of the pick list: three columns (code,
// text, reading) on cream, the selected row solid green with white text.
// The set pick list shows its sets the same way, with codes of its own.
class ItemListView : public CListCtrlEx {
    Q_OBJECT
public:
    struct CodeColumn {
        QString heading;
        int width = 50;
        std::function<QString(int code)> format;
    };

    ItemListView(const QString& textHeading, QWidget* parent = nullptr);
    ItemListView(const CodeColumn& code, const QString& textHeading, int textWidth,
                 QWidget* parent = nullptr);
    // Shows the rows in their order; the selection is left to the caller.
    void fill(const ItemRowList& rows);

private:
    TypedListModel<ItemRow>* m_items;
};

} // namespace kv::masters
