#include "controls/ListRowDelegate.h"

#include <QPainter>

#include <algorithm>

namespace kv {

ListRowDelegate::ListRowDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
{
}

void ListRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const
{
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const bool marked = m_marked && m_marked(index.row());
    const bool solid = selected && m_selection == Selection::Solid;
    const QRect cell = option.rect;
    painter->save();
    painter->fillRect(cell, marked    ? markedBackground()
                            : !selected ? rowBackground()
                            : solid   ? solidSelectedBackground()
                                      : selectedBackground());

    // Grid: the right and bottom edge of every cell.
    painter->setPen(gridLine());
    painter->drawLine(cell.topRight(), cell.bottomRight());
    painter->drawLine(cell.bottomLeft(), cell.bottomRight());

    const QString text = index.data(Qt::DisplayRole).toString();
    const QVariant alignment = index.data(Qt::TextAlignmentRole);
    const Qt::Alignment align = alignment.isValid()
        ? Qt::Alignment(alignment.toInt())
        : Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter);
    const QRect textArea = cell.adjusted(m_textMargin, 0, -m_textMargin, 0);
    painter->setFont(option.font);
    painter->setPen(solid || marked ? QColor(Qt::white) : QColor(Qt::black));
    painter->drawText(textArea, int(align | Qt::AlignVCenter),
                      option.fontMetrics.elidedText(text, Qt::ElideRight, textArea.width()));

    if (selected && (!solid || marked)) {
        // One frame around the whole row: top and bottom on every cell, the
        // sides only on the first and last column.
        painter->setPen(selectedFrame());
        painter->drawLine(cell.topLeft(), cell.topRight());
        painter->drawLine(cell.bottomLeft(), cell.bottomRight());
        const QModelIndex parent = index.parent();
        const int columns = index.model() ? index.model()->columnCount(parent) : 1;
        if (index.column() == 0)
            painter->drawLine(cell.topLeft(), cell.bottomLeft());
        if (index.column() == columns - 1)
            painter->drawLine(cell.topRight(), cell.bottomRight());
    }
    painter->restore();
}

QSize ListRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(std::max(size.height(), option.fontMetrics.height() + 4));
    return size;
}

} // namespace kv
