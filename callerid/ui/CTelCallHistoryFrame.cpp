#include "callerid/ui/CTelCallHistoryFrame.h"

#include "callerid/core/CallInfoStore.h"
#include "controls/CListCtrlEx.h"
#include "controls/ListRowDelegate.h"
#include "controls/ProfileColumn.h"
#include "controls/TypedListModel.h"
#include "controls/WindowPlacement.h"

#include <QAction>
#include <QCloseEvent>
#include <QSettings>

#include <algorithm>
#include <iterator>

namespace kv::callerid {

namespace {

const QString kColumns = QStringLiteral("TelCallHistory");
const QString kPlacement = QStringLiteral("TelCallHistoryFrame");

using Column = ProfileColumn<CallHistoryRow>;
const Column kLooks[] = {
    {"顧客ｺｰﾄﾞ", "KokCode", 60, Qt::AlignLeft, &CallHistoryRow::codeText},
    {"名　前", "Name", 128, Qt::AlignLeft, &CallHistoryRow::name},
    {"住　所", "Jyu", 286, Qt::AlignLeft, &CallHistoryRow::address},
    {"ＴＥＬ", "Tel", 121, Qt::AlignLeft, &CallHistoryRow::tel},
    {"着信日時", "ArrivalInfo", 108, Qt::AlignHCenter, &CallHistoryRow::arrival},
};

} // namespace

CTelCallHistoryFrame::CTelCallHistoryFrame(CallInfoStore& calls, Setup setup, QWidget* parent)
    : QMainWindow(parent)
    , m_calls(calls)
    , m_setup(std::move(setup))
{
    setObjectName(QStringLiteral("telCallHistory"));
    setWindowTitle(QStringLiteral("TEL着信履歴"));
    setAttribute(Qt::WA_QuitOnClose, false);
    m_rows = new TypedListModel<CallHistoryRow>(Column::columns(kLooks, m_setup.profile, kColumns),
                                                &CallHistoryRow::code, this);
    m_list = new CListCtrlEx(this);
    m_list->setObjectName(QStringLiteral("CTelCallHistoryListView"));
    m_list->setRows(m_rows);
    fitArrivalColumn();
    QPalette cream = m_list->palette();
    cream.setColor(QPalette::Base, ListRowDelegate::rowBackground());
    m_list->setPalette(cream);
    setCentralWidget(m_list);
    connect(m_list, &CListCtrlEx::columnWidthChosen, this, [this] { storeColumnWidths(); });
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!m_filling && current.isValid())
                    showCustomerOf(current.row());
            });
    // The newest call is selected at opening without being shown: a click
    // on it must still bring its customer.
    connect(m_list, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (index.isValid() && index.row() != m_shownRow)
            showCustomerOf(index.row());
    });

    auto* close = new QAction(QStringLiteral("閉じる"), this);
    close->setShortcut(QKeySequence(Qt::Key_Escape));
    close->setShortcutContext(Qt::WindowShortcut);
    connect(close, &QAction::triggered, this, &QWidget::close);
    addAction(close);

    WindowPlacement::restore(*this, m_setup.profile, kPlacement, QSize(761, 327),
                             m_setup.defaultPlace);
    reload();
}

CTelCallHistoryFrame::~CTelCallHistoryFrame() = default;

void CTelCallHistoryFrame::fitArrivalColumn()
{
    // The arrival is the last column.
    const int column = int(std::size(kLooks)) - 1;
    if (m_setup.profile && m_setup.profile->contains(kLooks[column].profileKey(kColumns)))
        return; // the user's own width wins
    const int whole = m_list->widthForText(QStringLiteral("2026/12/31 23:59"));
    m_list->setColumnWidth(column, std::max(m_list->columnWidth(column), whole));
}

void CTelCallHistoryFrame::reload()
{
    m_calls.reload();
    refill();
}

void CTelCallHistoryFrame::showCustomerOf(int row)
{
    m_shownRow = row;
    if (!m_setup.showCustomer)
        return;
    if (const int code = m_rows->codeOfRow(row))
        m_setup.showCustomer(code);
}

void CTelCallHistoryFrame::refill()
{
    m_filling = true;
    m_shownRow = -1;
    m_rows->replaceAll(CallHistoryRow::rowsOf(m_calls.calls()));
    if (m_rows->rowCount() > 0)
        m_list->selectRow(m_rows->rowCount() - 1);
    m_list->setFocus();
    m_filling = false;
}

void CTelCallHistoryFrame::storeColumnWidths()
{
    QSettings* profile = m_setup.profile;
    if (!profile)
        return;
    for (int column = 0; column < int(std::size(kLooks)); ++column)
        profile->setValue(kLooks[column].profileKey(kColumns), m_list->columnWidth(column));
}

void CTelCallHistoryFrame::closeEvent(QCloseEvent* event)
{
    WindowPlacement::store(*this, m_setup.profile, kPlacement);
    event->accept();
    emit closed();
}

} // namespace kv::callerid
