#include "slips/ui/CSyareFrame.h"

#include "controls/CListCtrlEx.h"
#include "controls/ProfileColumn.h"
#include "controls/TypedListModel.h"
#include "controls/WindowPlacement.h"
#include "slips/core/SlipAccess.h"

#include <QAction>
#include <QCloseEvent>
#include <QSettings>
#include <QToolBar>

namespace kv::slips {

namespace {

const QString kColumns = QStringLiteral("Syare");
const QString kPlacement = QStringLiteral("SyareFrame");

using Column = ProfileColumn<SlipHistoryRow>;
// The captions align right over the slip number and the amounts, centred
// over the date and left over the kind and the category.
constexpr Qt::Alignment kRight = Qt::AlignRight;
const Column kLooks[] = {
    {"伝票番号", "DenNoWidth", 60, Qt::AlignHCenter, &SlipHistoryRow::number, kRight},
    {"発 行 日", "HatuDateWidth", 80, Qt::AlignHCenter, &SlipHistoryRow::issued, Qt::AlignHCenter},
    {"伝票種別", "DenKindWidth", 70, Qt::AlignLeft, &SlipHistoryRow::kind, Qt::AlignLeft},
    {"入庫区分（↑↓）", "NyuKbnWidth", 100, Qt::AlignLeft, &SlipHistoryRow::category, Qt::AlignLeft},
    {"部工計", "BuhiKouTotWidth", 60, Qt::AlignRight, &SlipHistoryRow::partsAndLabour, kRight},
    {"値引き", "NebikiWidth", 60, Qt::AlignRight, &SlipHistoryRow::discount, kRight},
    {"消費税", "BuhiKouZeiWidth", 60, Qt::AlignRight, &SlipHistoryRow::tax, kRight},
    {"諸費計", "SyoTotZeiWidth", 60, Qt::AlignRight, &SlipHistoryRow::costs, kRight},
    {"合 計", "TotWidth", 60, Qt::AlignRight, &SlipHistoryRow::total, kRight},
    {"預り金", "AzuWidth", 60, Qt::AlignRight, &SlipHistoryRow::received, kRight},
    {"請求額", "SeikyuWidth", 60, Qt::AlignRight, &SlipHistoryRow::billed, kRight},
};

} // namespace

CSyareFrame::CSyareFrame(SlipAccess& access, Setup setup, QWidget* parent)
    : QMainWindow(parent)
    , m_access(access)
    , m_setup(std::move(setup))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(m_setup.title);
    m_rows = new TypedListModel<SlipHistoryRow>(Column::columns(kLooks, m_setup.profile, kColumns),
                                                &SlipHistoryRow::slipNumber, this);
    m_list = new CListCtrlEx(this);
    m_list->setRows(m_rows);
    setCentralWidget(m_list);
    connect(m_list, &CListCtrlEx::columnWidthChosen, this, [this](int column, int width) {
        if (m_setup.profile && column >= 0 && column < int(std::size(kLooks)))
            m_setup.profile->setValue(kLooks[column].profileKey(kColumns), width);
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

    WindowPlacement::restore(*this, m_setup.profile, kPlacement, QSize(800, 570),
                             WindowPlacement::besideMainWindow(parent));
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

void CSyareFrame::closeEvent(QCloseEvent* event)
{
    WindowPlacement::store(*this, m_setup.profile, kPlacement);
    if (!m_handedOver) {
        m_access.close();
        emit closed();
    }
    event->accept();
}

} // namespace kv::slips
