#include "masters/ItemListView.h"

#include "controls/CListCtrlEx.h"
#include "masters/ItemRowDelegate.h"
#include "masters/core/ItemRules.h"

#include <QHeaderView>
#include <QPalette>

namespace kv::masters {

void ItemListView::setUp(CListCtrlEx& list, const QString& textHeading)
{
    list.setColumns({{QStringLiteral("  ｺｰﾄﾞ"), 50, Qt::AlignHCenter},
                     {textHeading, 270, Qt::AlignLeft},
                     {QString(), 30, Qt::AlignLeft}});
    list.header()->setStretchLastSection(true);
    list.header()->setSectionsClickable(true);
    list.setItemDelegate(new ItemRowDelegate(&list));
    QPalette palette = list.palette();
    palette.setColor(QPalette::Base, ItemRowDelegate::windowColour());
    list.setPalette(palette);
}

void ItemListView::fill(CListCtrlEx& list, const ItemRowList& rows)
{
    list.setUpdatesEnabled(false);
    list.clearRows();
    for (const ItemRow& row : rows.rows())
        list.addRow({ItemRules::formatCode(row.code), row.text, row.reading}, row.code);
    list.setUpdatesEnabled(true);
}

} // namespace kv::masters
