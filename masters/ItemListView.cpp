#include "masters/ItemListView.h"

#include "controls/ListRowDelegate.h"
#include "controls/TypedListModel.h"
#include "masters/core/ItemRules.h"

#include <QHeaderView>
#include <QPalette>

namespace kv::masters {

ItemListView::ItemListView(const QString& textHeading, QWidget* parent)
    : CListCtrlEx(parent)
    , m_items(new TypedListModel<ItemRow>(
          {{QStringLiteral("  ｺｰﾄﾞ"), 50, Qt::AlignHCenter,
            [](const ItemRow& row) { return ItemRules::formatCode(row.code); }},
           {textHeading, 270, Qt::AlignLeft, &ItemRow::text},
           {QString(), 30, Qt::AlignLeft, &ItemRow::reading}},
          &ItemRow::code, this))
{
    setRows(m_items);
    header()->setStretchLastSection(true);
    header()->setSectionsClickable(true);
    rowDelegate()->setSelection(ListRowDelegate::Selection::Solid);
    rowDelegate()->setTextMargin(2);
    QPalette cream = palette();
    cream.setColor(QPalette::Base, ListRowDelegate::rowBackground());
    setPalette(cream);
}

void ItemListView::fill(const ItemRowList& rows)
{
    m_items->replaceAll(rows.rows());
}

} // namespace kv::masters
