#include "controls/CListCtrlEx.h"

#include "controls/FieldKeyRules.h"
#include "controls/ListRowDelegate.h"
#include "controls/TypedListModel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include <utility>

namespace kv {

struct CListCtrlEx::TextRow {
    QStringList cells;
    int code = 0;
};

CListCtrlEx::CListCtrlEx(QWidget* parent)
    : QTreeView(parent), m_delegate(new ListRowDelegate(this))
{
    setItemDelegate(m_delegate);
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
    setColumns({});
}

CListCtrlEx::~CListCtrlEx() = default;

void CListCtrlEx::setRows(ListModel* rows)
{
    if (rows == m_rows)
        return;
    disconnect(m_columnsReset);
    if (!rows->parent())
        rows->setParent(this);
    m_rows = rows;
    setModel(rows);
    // New columns come with a reset; refills keep the user's widths.
    m_columnsReset = connect(rows, &QAbstractItemModel::modelReset, this,
                             &CListCtrlEx::applyColumnWidths);
    applyColumnWidths();
}

void CListCtrlEx::applyColumnWidths()
{
    const QList<ListColumn>& columns = m_rows->columns();
    for (int column = 0; column < columns.size(); ++column)
        setColumnWidth(column, columns[column].width);
}

int CListCtrlEx::widthForText(const QString& text) const
{
    // The delegate's margin on both sides and one pixel for the grid line.
    return fontMetrics().horizontalAdvance(text) + 2 * m_delegate->textMargin() + 1;
}

void CListCtrlEx::setColumns(const QList<Column>& columns)
{
    QList<TypedListModel<TextRow>::Column> texts;
    for (int column = 0; column < columns.size(); ++column)
        texts.append({columns[column].caption, columns[column].width, columns[column].alignment,
                      [column](const TextRow& row) { return row.cells.value(column); }});
    if (!m_texts) {
        m_texts = new TypedListModel<TextRow>(std::move(texts), &TextRow::code, this);
    } else {
        m_texts->replaceAll({});
        m_texts->setColumns(std::move(texts));
    }
    setRows(m_texts);
}

int CListCtrlEx::addRow(const QStringList& cells, int code)
{
    m_texts->append({cells, code});
    return m_texts->rowCount() - 1;
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
    return m_rows->codeOfRow(row);
}

int CListCtrlEx::rowOfCode(int code) const
{
    return m_rows->rowOfCode(code);
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

void CListCtrlEx::setMarkable(bool markable)
{
    m_markable = markable;
    m_delegate->setMarkedRows(markable ? std::function<bool(int)>([this](int row) {
        return isMarked(row);
    })
                                       : std::function<bool(int)>());
    if (!markable)
        clearMarks();
}

void CListCtrlEx::toggleMark(int row)
{
    const int code = codeOfRow(row);
    if (!m_markable || row < 0 || row >= rowCount())
        return;
    if (!m_marked.erase(code))
        m_marked.insert(code);
    viewport()->update();
    emit marksChanged();
}

bool CListCtrlEx::isMarked(int row) const
{
    return row >= 0 && row < rowCount() && m_marked.count(codeOfRow(row)) != 0;
}

void CListCtrlEx::clearMarks()
{
    if (m_marked.empty())
        return;
    m_marked.clear();
    viewport()->update();
    emit marksChanged();
}

QList<int> CListCtrlEx::markedCodes() const
{
    QList<int> codes;
    for (int row = 0; row < rowCount(); ++row) {
        if (isMarked(row))
            codes.append(codeOfRow(row));
    }
    return codes;
}

void CListCtrlEx::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (m_markable && event->button() == Qt::LeftButton
        && (event->modifiers() & Qt::ControlModifier) && index.isValid()) {
        selectRow(index.row());
        toggleMark(index.row());
        event->accept();
        return;
    }
    QTreeView::mousePressEvent(event);
}

bool CListCtrlEx::event(QEvent* event)
{
    if (m_markable && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            toggleMark(currentRow());
            return true;
        }
    }
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
