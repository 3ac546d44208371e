#pragma once

#include "controls/ListModel.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTreeView>

#include <set>

namespace kv {

class ListRowDelegate;
template <typename Row>
class TypedListModel;

// The list of the program's windows: whole rows selected one at a time,
// drawn by the row delegate, with the keyboard rules of the other controls
// (Enter and Tab move on, Esc ends the dialog). It shows a ListModel, whose
// rows carry the code of the record they show; lists of plain texts use the
// list's own text model through setColumns and addRow.
class CListCtrlEx : public QTreeView {
    Q_OBJECT
public:
    using Column = ListColumn;

    explicit CListCtrlEx(QWidget* parent = nullptr);
    ~CListCtrlEx() override;

    // Shows the model's rows, its columns at their widths. The list becomes
    // the model's parent unless it has one.
    void setRows(ListModel* rows);
    ListModel* rows() const { return m_rows; }
    ListRowDelegate* rowDelegate() const { return m_delegate; }

    // Shows the text model with these columns and no rows.
    void setColumns(const QList<Column>& columns);
    // Appends to the text model; cells beyond the columns are not shown.
    int addRow(const QStringList& cells, int code);
    // Removes all rows of the model shown.
    void clearRows();

    // The column width that shows the text whole in this list's font.
    int widthForText(const QString& text) const;

    int rowCount() const;
    int codeOfRow(int row) const;
    // The first row of the code's record, or -1.
    int rowOfCode(int code) const;
    QString cellText(int row, int column) const;
    // The selected row, or -1.
    int currentRow() const;
    void selectRow(int row);

    // Lists that place several records at once let the user mark rows
    // (Space on the selected row, Ctrl+click on any) beside the one
    // selection; marked rows are drawn inverted. Marks follow the record's
    // code, so they survive a refill in another order.
    void setMarkable(bool markable);
    bool isMarkable() const { return m_markable; }
    void toggleMark(int row);
    bool isMarked(int row) const;
    void clearMarks();
    // The codes of the marked rows, in the list's order.
    QList<int> markedCodes() const;

signals:
    // The user finished dragging a column divider (sent once, on release),
    // so that windows store their column widths then and not while dragging.
    void columnWidthChosen(int column, int width);

signals:
    void marksChanged();

protected:
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TextRow;

    void applyColumnWidths();

    ListModel* m_rows = nullptr;
    TypedListModel<TextRow>* m_texts = nullptr;
    ListRowDelegate* m_delegate;
    QMetaObject::Connection m_columnsReset;
    std::set<int> m_resizedColumns;
    bool m_headerPressed = false;
    bool m_markable = false;
    std::set<int> m_marked;
};

} // namespace kv
