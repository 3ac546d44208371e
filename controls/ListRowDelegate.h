#pragma once

#include <QColor>
#include <QStyledItemDelegate>

#include <functional>

namespace kv {

// How every list of the program draws its rows: cream background with grey
// grid lines on the right and bottom of each cell. The selected row is
// either pale green inside a green frame (the record lists) or solid green
// with white text (the item lists). Text comes from the model's display
// role, aligned by its alignment role.
class ListRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    enum class Selection { Framed, Solid };

    static QColor rowBackground() { return QColor(255, 251, 240); }
    static QColor selectedBackground() { return QColor(192, 220, 192); }
    static QColor selectedFrame() { return QColor(0, 128, 0); }
    static QColor solidSelectedBackground() { return QColor(0, 128, 0); }
    static QColor gridLine() { return QColor(192, 192, 192); }

    explicit ListRowDelegate(QObject* parent = nullptr);

    Selection selection() const { return m_selection; }
    void setSelection(Selection selection) { m_selection = selection; }
    // Pixels between the cell's sides and its text.
    int textMargin() const { return m_textMargin; }
    void setTextMargin(int pixels) { m_textMargin = pixels; }
    // Which rows are marked (drawn white on black); none without it.
    void setMarkedRows(std::function<bool(int row)> marked) { m_marked = std::move(marked); }
    static QColor markedBackground() { return QColor(Qt::black); }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    Selection m_selection = Selection::Framed;
    int m_textMargin = 3;
    std::function<bool(int row)> m_marked;
};

} // namespace kv
