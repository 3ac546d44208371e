#include "callerid/ui/CTelCallHistoryFrame.h"

#include "callerid/core/CallInfoStore.h"
#include "controls/CListCtrlEx.h"
#include "controls/ListRowDelegate.h"
#include "controls/TypedListModel.h"

#include <QAction>
#include <QCloseEvent>
#include <QSettings>

#include <iterator>

namespace kv::callerid {

namespace {

const QString kColumns = QStringLiteral("TelCallHistory");
const QString kPlacement = QStringLiteral("TelCallHistoryFrame");

struct ColumnLook {
    const char* caption;
    const char* key;
    int width;
    Qt::Alignment alignment;
    QString CallHistoryRow::*text;
};

const ColumnLook kLooks[] = {
    {"顧客ｺｰﾄﾞ", "KokCode", 60, Qt::AlignLeft, &CallHistoryRow::codeText},
    {"名　前", "Name", 128, Qt::AlignLeft, &CallHistoryRow::name},
    {"住　所", "Jyu", 286, Qt::AlignLeft, &CallHistoryRow::address},
    {"ＴＥＬ", "Tel", 121, Qt::AlignLeft, &CallHistoryRow::tel},
    {"着信日時", "ArrivalInfo", 108, Qt::AlignHCenter, &CallHistoryRow::arrival},
};

QString profileKey(const QString& section, const char* key)
{
    return section + QLatin1Char('/') + QLatin1String(key);
}

} // namespace

CTelCallHistoryFrame::CTelCallHistoryFrame(CallInfoStore& calls, Setup setup, QWidget* parent)
    : QMainWindow(parent)
    , m_calls(calls)
    , m_setup(std::move(setup))
{
    setObjectName(QStringLiteral("telCallHistory"));
    setWindowTitle(QStringLiteral("TEL着信履歴"));
    QSettings* profile = m_setup.profile;
    QList<TypedListModel<CallHistoryRow>::Column> columns;
    for (const ColumnLook& look : kLooks) {
        const int width =
            profile ? profile->value(profileKey(kColumns, look.key), look.width).toInt() : look.width;
        QString CallHistoryRow::*text = look.text;
        columns.append({QString::fromUtf8(look.caption), width, look.alignment,
                        [text](const CallHistoryRow& row) { return row.*text; }});
    }
    m_rows = new TypedListModel<CallHistoryRow>(std::move(columns), &CallHistoryRow::code, this);
    m_list = new CListCtrlEx(this);
    m_list->setObjectName(QStringLiteral("CTelCallHistoryListView"));
    m_list->setRows(m_rows);
    QPalette cream = m_list->palette();
    cream.setColor(QPalette::Base, ListRowDelegate::rowBackground());
    m_list->setPalette(cream);
    setCentralWidget(m_list);
    connect(m_list, &CListCtrlEx::columnWidthChosen, this, [this] { storeColumnWidths(); });
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (m_filling || !current.isValid() || !m_setup.showCustomer)
                    return;
                if (const int code = m_rows->codeOfRow(current.row()))
                    m_setup.showCustomer(code);
            });

    auto* close = new QAction(QStringLiteral("閉じる"), this);
    close->setShortcut(QKeySequence(Qt::Key_Escape));
    close->setShortcutContext(Qt::WindowShortcut);
    connect(close, &QAction::triggered, this, &QWidget::close);
    addAction(close);

    const QPoint place(
        profile ? profile->value(profileKey(kPlacement, "x"), m_setup.defaultPlace.x()).toInt()
                : m_setup.defaultPlace.x(),
        profile ? profile->value(profileKey(kPlacement, "y"), m_setup.defaultPlace.y()).toInt()
                : m_setup.defaultPlace.y());
    resize(profile ? profile->value(profileKey(kPlacement, "cx"), 761).toInt() : 761,
           profile ? profile->value(profileKey(kPlacement, "cy"), 327).toInt() : 327);
    move(place);
    reload();
}

CTelCallHistoryFrame::~CTelCallHistoryFrame() = default;

void CTelCallHistoryFrame::reload()
{
    m_calls.reload();
    refill();
}

void CTelCallHistoryFrame::refill()
{
    m_filling = true;
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
        profile->setValue(profileKey(kColumns, kLooks[column].key), m_list->columnWidth(column));
}

void CTelCallHistoryFrame::storePlacement()
{
    QSettings* profile = m_setup.profile;
    if (!profile || isMinimized() || isMaximized())
        return;
    profile->setValue(profileKey(kPlacement, "x"), x());
    profile->setValue(profileKey(kPlacement, "y"), y());
    profile->setValue(profileKey(kPlacement, "cx"), width());
    profile->setValue(profileKey(kPlacement, "cy"), height());
}

void CTelCallHistoryFrame::closeEvent(QCloseEvent* event)
{
    storePlacement();
    event->accept();
    emit closed();
}

} // namespace kv::callerid
