#include "common/KVCommon.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QItemSelectionModel>

namespace {

// Item state bits of the list view, as the callers pass them.
constexpr unsigned StateFocused = 0x1;
constexpr unsigned StateSelected = 0x2;

void applyRowState(QAbstractItemView& list, int row, unsigned state, unsigned mask)
{
    QAbstractItemModel* model = list.model();
    QItemSelectionModel* selection = list.selectionModel();
    const QModelIndex index = model->index(row, 0);
    if (!index.isValid())
        return;
    if (mask & StateSelected) {
        // A single-selection list keeps one selected row, as its users expect.
        const bool single = list.selectionMode() == QAbstractItemView::SingleSelection;
        QItemSelectionModel::SelectionFlags command = QItemSelectionModel::Deselect;
        if (state & StateSelected)
            command = single ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::Select;
        selection->select(index, command | QItemSelectionModel::Rows);
    }
    if (mask & StateFocused) {
        if (state & StateFocused)
            selection->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        else if (selection->currentIndex().row() == row)
            selection->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
}

} // namespace

extern "C" {

// A row beyond the end is appended, as the list view does; a negative row
// is refused.
void AddReport(QAbstractItemView* list, int row, int column, QString text)
{
    if (!list || !list->model())
        return;
    QAbstractItemModel* model = list->model();
    if (column == -1) {
        if (row < 0)
            return;
        row = qMin(row, model->rowCount());
        if (model->columnCount() == 0 && !model->insertColumn(0))
            return;
        if (!model->insertRow(row))
            return;
        column = 0;
    }
    const QModelIndex index = model->index(row, column);
    if (index.isValid())
        model->setData(index, text, Qt::DisplayRole);
}

// The state belongs to the row; the column only names the caller's cell.
// Row -1 stands for every row, as with the list view.
void AttribItem(QAbstractItemView* list, int row, int column, unsigned state, unsigned mask)
{
    Q_UNUSED(column);
    if (!list || !list->model() || !list->selectionModel())
        return;
    if (row != -1) {
        applyRowState(*list, row, state, mask);
        return;
    }
    const int rows = list->model()->rowCount();
    for (int r = 0; r < rows; ++r)
        applyRowState(*list, r, state, mask);
}

} // extern "C"
