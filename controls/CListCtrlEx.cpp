#include "controls/CListCtrlEx.h"

#include "controls/FieldKeyRules.h"
#include "controls/ListRowDelegate.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStandardItemModel>

#include <algorithm>
#include <utility>

namespace kv {
namespace {

constexpr int CodeRole = Qt::UserRole + 1;

} // namespace

CListCtrlEx::CListCtrlEx(QWidget* parent)
    : QTreeView(parent), m_rows(new QStandardItemModel(this))
{
    setModel(m_rows);
    setItemDelegate(new ListRowDelegate(this));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    // The row delegate draws the selected row's frame; the style's focus
    // frame over the whole row would tint it.
    setAllColumnsShowFocus(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
    header()->viewport()->installEventFilter(this);
    connect(header(), &QHeaderView::sectionResized, this,
            [this](int column, int, int) {
                if (m_headerPressed)
                    m_resizedColumns.insert(column);
            });
}

void CListCtrlEx::setColumns(const QList<Column>& columns)
{
    m_columns = columns;
    m_rows->clear();
    m_rows->setColumnCount(int(columns.size()));
    for (int column = 0; column < columns.size(); ++column) {
        auto* heading = new QStandardItem(columns[column].heading);
        m_rows->setHorizontalHeaderItem(column, heading);
    }
    for (int column = 0; column < columns.size(); ++column)
        setColumnWidth(column, columns[column].width);
}

int CListCtrlEx::addRow(const QStringList& cells, int code)
{
    QList<QStandardItem*> items;
    const int columns = std::max(int(m_columns.size()), int(cells.size()));
    for (int column = 0; column < columns; ++column) {
        auto* item = new QStandardItem(column < cells.size() ? cells[column] : QString());
        item->setEditable(false);
        if (column < m_columns.size())
            item->setData(int(m_columns[column].alignment | Qt::AlignVCenter),
                          Qt::TextAlignmentRole);
        items << item;
    }
    if (!items.isEmpty())
        items.front()->setData(code, CodeRole);
    m_rows->appendRow(items);
    return m_rows->rowCount() - 1;
}

void CListCtrlEx::clearRows()
{
    m_rows->removeRows(0, m_rows->rowCount());
}

int CListCtrlEx::rowCount() const
{
    return m_rows->rowCount();
}

int CListCtrlEx::codeOfRow(int row) const
{
    if (row < 0 || row >= m_rows->rowCount())
        return 0;
    return m_rows->index(row, 0).data(CodeRole).toInt();
}

QString CListCtrlEx::cellText(int row, int column) const
{
    return m_rows->index(row, column).data(Qt::DisplayRole).toString();
}

int CListCtrlEx::currentRow() const
{
    const QModelIndexList selected = selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.front().row();
}

void CListCtrlEx::selectRow(int row)
{
    if (row < 0 || row >= m_rows->rowCount()) {
        clearSelection();
        return;
    }
    const QModelIndex index = m_rows->index(row, 0);
    selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

bool CListCtrlEx::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress
        && FieldKeyRules::handleKeyPress(this, static_cast<QKeyEvent*>(event),
                                         [this](bool next) { return focusNextPrevChild(next); }))
        return true;
    return QTreeView::event(event);
}

bool CListCtrlEx::eventFilter(QObject* watched, QEvent* event)
{
    // Widths the program sets are not the user's choice: only resizing
    // between a press and a release on the header counts.
    if (watched == header()->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            m_headerPressed = true;
            m_resizedColumns.clear();
        } else if (event->type() == QEvent::MouseButtonRelease && m_headerPressed) {
            m_headerPressed = false;
            const std::set<int> finished = std::exchange(m_resizedColumns, {});
            for (int column : finished)
                emit columnWidthChosen(column, columnWidth(column));
        }
    }
    return QTreeView::eventFilter(watched, event);
}

} // namespace kv
