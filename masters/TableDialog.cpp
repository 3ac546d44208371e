#include "masters/TableDialog.h"

#include "common/MessageGateway.h"
#include "controls/CListCtrlEx.h"

namespace kv::masters {

TableDialog::TableDialog(std::function<QString()> resetView, QWidget* parent)
    : QDialog(parent)
    , m_resetView(std::move(resetView))
{
}

TableDialog::~TableDialog()
{
    if (!m_finished)
        m_resetView();
}

void TableDialog::done(int result)
{
    if (!m_finished) {
        m_finished = true;
        const QString failure = m_resetView();
        if (!failure.isEmpty())
            showMessage(failure);
    }
    QDialog::done(result);
}

int TableDialog::rowUnder(CListCtrlEx* list, const QPoint& at)
{
    const QModelIndex clicked = list->indexAt(at);
    if (!clicked.isValid())
        return -1;
    if (list->currentRow() != clicked.row())
        list->selectRow(clicked.row());
    return clicked.row();
}

bool TableDialog::confirmDelete()
{
    return askYesNo(QStringLiteral("削除します！\n本当によろしいですね？"));
}

} // namespace kv::masters
