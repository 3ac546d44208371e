#pragma once

#include "controls/ListColumn.h"

#include <QAbstractTableModel>
#include <QList>

#include <utility>

namespace kv {

// What every list of the program asks of its rows, whatever they hold: the
// columns, the text of a cell and the code of the record a row shows.
// TypedListModel is the one to derive from or to use.
class ListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ListModel(QObject* parent = nullptr);

    const QList<ListColumn>& columns() const { return m_columns; }
    // The code of the record the row shows; 0 outside the rows.
    virtual int codeOfRow(int row) const = 0;
    // The first row showing the record of the code, or -1.
    int rowOfCode(int code) const;

    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

protected:
    // The text of a cell inside the rows and columns.
    virtual QString cellText(int row, int column) const = 0;
    // Only between beginResetModel and endResetModel.
    void setColumnLooks(QList<ListColumn> columns) { m_columns = std::move(columns); }

private:
    QList<ListColumn> m_columns;
};

} // namespace kv
