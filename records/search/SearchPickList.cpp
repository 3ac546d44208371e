#include "records/search/SearchPickList.h"

#include "controls/CListCtrlEx.h"
#include "controls/TypedListModel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv::records::search {

SearchPickList::SearchPickList(const QString& caption, ListModel* rows, const QString& okText,
                               const QString& cancelText, QWidget* parent)
    : QDialog(parent)
    , m_list(new CListCtrlEx(this))
{
    setWindowTitle(caption);
    resize(480, 320);
    m_list->setRows(rows);
    m_list->header()->setStretchLastSection(true);
    // Enter chooses here: the list is the dialog's only field.
    m_list->installEventFilter(this);
    auto* ok = new QPushButton(okText, this);
    auto* cancel = new QPushButton(cancelText, this);
    ok->setAutoDefault(false);
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QAbstractItemView::doubleClicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
}

ListModel* SearchPickList::customerRows(const std::vector<CustomerRow>& rows)
{
    auto* model = new TypedListModel<CustomerRow>(
        {{QStringLiteral("      名  前（↑↓）"), 150, Qt::AlignLeft, &CustomerRow::name},
         {QStringLiteral("住  所"), 300, Qt::AlignLeft, &CustomerRow::address}},
        &CustomerRow::code);
    model->replaceAll(rows);
    return model;
}

ListModel* SearchPickList::vehicleRows(const std::vector<VehicleRow>& rows,
                                       const QString& plateHeading, int plateWidth,
                                       const QString& nameHeading)
{
    auto* model = new TypedListModel<VehicleRow>(
        {{plateHeading, plateWidth, Qt::AlignLeft, &VehicleRow::plate},
         {nameHeading, 300, Qt::AlignLeft, &VehicleRow::nameAndModel}},
        &VehicleRow::code);
    model->replaceAll(rows);
    return model;
}

int SearchPickList::chosenCode() const
{
    const int row = m_list->currentRow();
    return row < 0 ? -1 : m_list->codeOfRow(row);
}

int SearchPickList::run()
{
    m_list->selectRow(0);
    m_list->setFocus();
    if (exec() != QDialog::Accepted)
        return -1;
    return chosenCode();
}

bool SearchPickList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kv::records::search
