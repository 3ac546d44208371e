#include "masters/ItemListView.h"

#include "controls/ListRowDelegate.h"
#include "controls/TypedListModel.h"
#include "masters/core/ItemRules.h"

#include <QHeaderView>
#include <QPalette>

namespace kv::masters {

ItemListView::ItemListView(const QString& textHeading, QWidget* parent)
    : ItemListView({QStringLiteral("  ｺｰﾄﾞ"), 50, &ItemRules::formatCode}, textHeading, 270,
                   parent)
{
}

ItemListView::ItemListView(const CodeColumn& code, const QString& textHeading, int textWidth,
                           QWidget* parent)
    : CListCtrlEx(parent)
    , m_items(new TypedListModel<ItemRow>(
          {{code.heading, code.width, Qt::AlignHCenter,
            [format = code.format](const ItemRow& row) { return format(row.code); }},
           {textHeading, textWidth, Qt::AlignLeft, &ItemRow::text},
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
