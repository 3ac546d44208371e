#pragma once

#include <QColor>
#include <QStyledItemDelegate>

namespace kv::masters {

// How the item lists draw their rows: cream background, the selected row
// solid green with white text, light grey lines between the cells, 2 pixels
// of margin, each column in its own alignment.
class ItemRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static QColor windowColour() { return QColor(255, 251, 240); }
    static QColor selectedColour() { return QColor(0, 128, 0); }
    static QColor lineColour() { return QColor(192, 192, 192); }
    static constexpr int kMargin = 2;

    explicit ItemRowDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace kv::masters
