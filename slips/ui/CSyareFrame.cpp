#include "slips/ui/CSyareFrame.h"

#include "controls/CListCtrlEx.h"
#include "controls/TypedListModel.h"
#include "slips/core/SlipAccess.h"

#include <QAction>
#include <QCloseEvent>
#include <QSettings>
#include <QToolBar>

namespace kv::slips {

namespace {

const QString kColumns = QStringLiteral("Syare");
const QString kPlacement = QStringLiteral("SyareFrame");

struct ColumnLook {
    const char* caption;
    const char* key;
    int width;
    Qt::Alignment alignment;
    QString SlipHistoryRow::*text;
};

const ColumnLook kLooks[] = {
    {"伝票番号", "DenNoWidth", 60, Qt::AlignHCenter, &SlipHistoryRow::number},
    {"発 行 日", "HatuDateWidth", 80, Qt::AlignHCenter, &SlipHistoryRow::issued},
    {"伝票種別", "DenKindWidth", 70, Qt::AlignLeft, &SlipHistoryRow::kind},
    {"入庫区分（↑↓）", "NyuKbnWidth", 100, Qt::AlignLeft, &SlipHistoryRow::category},
    {"部工計", "BuhiKouTotWidth", 60, Qt::AlignRight, &SlipHistoryRow::partsAndLabour},
    {"値引き", "NebikiWidth", 60, Qt::AlignRight, &SlipHistoryRow::discount},
    {"消費税", "BuhiKouZeiWidth", 60, Qt::AlignRight, &SlipHistoryRow::tax},
    {"諸費計", "SyoTotZeiWidth", 60, Qt::AlignRight, &SlipHistoryRow::costs},
    {"合 計", "TotWidth", 60, Qt::AlignRight, &SlipHistoryRow::total},
    {"預り金", "AzuWidth", 60, Qt::AlignRight, &SlipHistoryRow::received},
    {"請求額", "SeikyuWidth", 60, Qt::AlignRight, &SlipHistoryRow::billed},
};

QString profileKey(const QString& section, const char* key)
{
    return section + QLatin1Char('/') + QLatin1String(key);
}

} // namespace

CSyareFrame::CSyareFrame(SlipAccess& access, Setup setup, QWidget* parent)
    : QMainWindow(parent)
    , m_access(access)
    , m_setup(std::move(setup))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(m_setup.title);
    QSettings* profile = m_setup.profile;
    QList<TypedListModel<SlipHistoryRow>::Column> columns;
    for (const ColumnLook& look : kLooks) {
        const int width = profile ? profile->value(profileKey(kColumns, look.key), look.width).toInt()
                                  : look.width;
        QString SlipHistoryRow::*text = look.text;
        columns.append({QString::fromUtf8(look.caption), width, look.alignment,
                        [text](const SlipHistoryRow& row) { return row.*text; }});
    }
    m_rows = new TypedListModel<SlipHistoryRow>(std::move(columns), &SlipHistoryRow::slipNumber,
                                                this);
    m_list = new CListCtrlEx(this);
    m_list->setRows(m_rows);
    setCentralWidget(m_list);
    connect(m_list, &CListCtrlEx::columnWidthChosen, this, [this](int column, int width) {
        if (m_setup.profile && column >= 0 && column < int(std::size(kLooks)))
            m_setup.profile->setValue(profileKey(kColumns, kLooks[column].key), width);
    });

    auto* tools = addToolBar(QStringLiteral("Syare"));
    tools->setObjectName(QStringLiteral("SyareToolBar"));
    addCommand(QStringLiteral("新規"), QStringLiteral("新規作成します"), QKeySequence(Qt::Key_F1),
               [this] { emit newSlip(); }, false);
    addCommand(QStringLiteral("修正"), QStringLiteral("修正します"), QKeySequence(Qt::Key_F2),
               [this] { emit modifySlip(currentSlip()); }, true);
    addCommand(QStringLiteral("転用"), QStringLiteral("転用します"), QKeySequence(Qt::Key_F3),
               [this] { emit transferSlip(currentSlip()); }, true);
    addCommand(QStringLiteral("削除"), QStringLiteral("削除します"), QKeySequence(Qt::Key_F4),
               [this] { deleteCurrent(); }, true);
    for (QAction* action : actions())
        tools->addAction(action);
    auto* close = new QAction(QStringLiteral("閉じる"), this);
    close->setToolTip(QStringLiteral("ウィンドウを閉じます"));
    close->setShortcut(QKeySequence(Qt::Key_Escape));
    close->setShortcutContext(Qt::WindowShortcut);
    connect(close, &QAction::triggered, this, &QWidget::close);
    addAction(close);

    const int x = profile ? profile->value(profileKey(kPlacement, "x"), -1).toInt() : -1;
    const int y = profile ? profile->value(profileKey(kPlacement, "y"), -1).toInt() : -1;
    resize(profile ? profile->value(profileKey(kPlacement, "cx"), 800).toInt() : 800,
           profile ? profile->value(profileKey(kPlacement, "cy"), 570).toInt() : 570);
    if (x >= 0 && y >= 0)
        move(x, y);
    reload();
}

CSyareFrame::~CSyareFrame() = default;

void CSyareFrame::addCommand(const QString& text, const QString& tip, QKeySequence key,
                             std::function<void()> run, bool needsRow)
{
    auto* action = new QAction(text, this);
    action->setToolTip(tip);
    action->setStatusTip(tip);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [this, run = std::move(run), needsRow] {
        // Nothing to act on without a current row.
        if (!needsRow || currentSlip() != 0)
            run();
    });
    addAction(action);
    if (needsRow)
        m_rowCommands.append(action);
}

void CSyareFrame::reload()
{
    std::vector<SlipHistoryRow> rows;
    for (const data::SyaheadRow& slip : m_access.history(m_setup.vehicleCode)) {
        const QString category =
            m_setup.categoryName ? m_setup.categoryName(slip.m_NyuukoKbnCode) : QString();
        rows.push_back(SlipHistoryRow::of(slip, category));
    }
    m_rows->replaceAll(std::move(rows));
    if (m_rows->rowCount() > 0)
        m_list->selectRow(m_rows->rowCount() - 1);
    updateCommands();
}

int CSyareFrame::currentSlip() const
{
    return m_list->codeOfRow(m_list->currentRow());
}

void CSyareFrame::updateCommands()
{
    for (QAction* action : std::as_const(m_rowCommands))
        action->setEnabled(m_rows->rowCount() > 0);
}

void CSyareFrame::deleteCurrent()
{
    const int row = m_list->currentRow();
    if (!m_access.removeSlip(currentSlip()))
        return;
    m_rows->removeRows(row, 1);
    if (m_rows->rowCount() > 0)
        m_list->selectRow(std::max(0, row - 1));
    updateCommands();
}

void CSyareFrame::handOver()
{
    m_handedOver = true;
    close();
}

void CSyareFrame::storePlacement()
{
    QSettings* profile = m_setup.profile;
    if (!profile || isMinimized() || isMaximized())
        return;
    profile->setValue(profileKey(kPlacement, "x"), x());
    profile->setValue(profileKey(kPlacement, "y"), y());
    profile->setValue(profileKey(kPlacement, "cx"), width());
    profile->setValue(profileKey(kPlacement, "cy"), height());
}

void CSyareFrame::closeEvent(QCloseEvent* event)
{
    storePlacement();
    if (!m_handedOver) {
        m_access.close();
        emit closed();
    }
    event->accept();
}

} // namespace kv::slips
