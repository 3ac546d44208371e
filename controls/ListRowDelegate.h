#pragma once

#include <QColor>
#include <QStyledItemDelegate>

namespace kv {

// How every list of the program draws its rows: cream background with grey
// grid lines, the selected row pale green inside a green frame. Text comes
// from the model's display role, aligned by its alignment role.
class ListRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static QColor rowBackground() { return QColor(255, 251, 240); }
    static QColor selectedBackground() { return QColor(192, 220, 192); }
    static QColor selectedFrame() { return QColor(0, 128, 0); }
    static QColor gridLine() { return QColor(192, 192, 192); }

    explicit ListRowDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace kv
