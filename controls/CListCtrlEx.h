#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QTreeView>

#include <set>

class QStandardItemModel;

namespace kv {

// The list of master-data dialogs: whole rows selected one at a time, drawn
// by the shared row delegate, with the keyboard rules of the other controls
// (Enter and Tab move on, Esc ends the dialog). Each row carries the code of
// the record it shows.
class CListCtrlEx : public QTreeView {
    Q_OBJECT
public:
    struct Column {
        QString heading;
        int width = 100;
        Qt::Alignment alignment = Qt::AlignLeft;
    };

    explicit CListCtrlEx(QWidget* parent = nullptr);

    // Replaces the columns and removes all rows.
    void setColumns(const QList<Column>& columns);
    int addRow(const QStringList& cells, int code);
    void clearRows();
    int rowCount() const;
    int codeOfRow(int row) const;
    QString cellText(int row, int column) const;
    // The selected row, or -1.
    int currentRow() const;
    void selectRow(int row);

    QStandardItemModel* rows() const { return m_rows; }

signals:
    // The user finished dragging a column divider (sent once, on release),
    // so that windows store their column widths then and not while dragging.
    void columnWidthChosen(int column, int width);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QStandardItemModel* m_rows;
    QList<Column> m_columns;
    std::set<int> m_resizedColumns;
    bool m_headerPressed = false;
};

} // namespace kv
