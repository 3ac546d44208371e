#include "masters/ItemRowDelegate.h"

#include <QPainter>

#include <algorithm>

namespace kv::masters {

ItemRowDelegate::ItemRowDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
{
}

void ItemRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const
{
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const QRect cell = option.rect;
    painter->save();
    painter->fillRect(cell, selected ? selectedColour() : windowColour());
    painter->setPen(lineColour());
    painter->drawLine(cell.topRight(), cell.bottomRight());
    painter->drawLine(cell.bottomLeft(), cell.bottomRight());

    const QVariant alignment = index.data(Qt::TextAlignmentRole);
    const Qt::Alignment align = alignment.isValid()
        ? Qt::Alignment(alignment.toInt())
        : Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter);
    const QRect textArea = cell.adjusted(kMargin, 0, -kMargin, 0);
    const QString text = index.data(Qt::DisplayRole).toString();
    painter->setFont(option.font);
    painter->setPen(selected ? QColor(Qt::white) : QColor(Qt::black));
    painter->drawText(textArea, int(align | Qt::AlignVCenter),
                      option.fontMetrics.elidedText(text, Qt::ElideRight, textArea.width()));
    painter->restore();
}

QSize ItemRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(std::max(size.height(), option.fontMetrics.height() + 4));
    return size;
}

} // namespace kv::masters
