#include "records/search/CKokRanSearchFrame.h"

#include "common/MessageGateway.h"
#include "records/search/CKokRanSearchListView.h"
#include "records/search/CustomerSearch.h"
#include "records/search/PanelNavigator.h"
#include "records/search/ReadingRange.h"
#include "records/search/SearchProfile.h"
#include "records/search/SearchTexts.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QToolBar>

namespace kv::records::search {
namespace {

const QString kSection = QStringLiteral("KokRanSearchFrame");

} // namespace

CKokRanSearchFrame::CKokRanSearchFrame(data::DataStore& store, PanelNavigator& navigator,
                                       SearchProfile& profile, QWidget* mainWindow)
    // A window of its own: the main window is disabled while it is open,
    // and a child window would be disabled with it.
    : QMainWindow(nullptr)
    , m_store(store)
    , m_navigator(navigator)
    , m_profile(profile)
    , m_mainWindow(mainWindow)
    , m_list(new CKokRanSearchListView(profile, this))
    , m_rows(new QActionGroup(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("顧客ﾌﾘｶﾞﾅ一覧検索"));
    setCentralWidget(m_list);
    auto* toolBar = addToolBar(QStringLiteral("kana"));
    toolBar->setMovable(false);
    m_rows->setExclusive(true);
    const QStringList captions = ReadingRange::kanaRowCaptions();
    for (int row = 0; row < captions.size(); ++row) {
        QAction* action = toolBar->addAction(captions[row]);
        action->setCheckable(true);
        action->setData(row);
        m_rows->addAction(action);
        connect(action, &QAction::triggered, this, [this, row] { chooseRow(row); });
    }
    m_list->installEventFilter(this);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { showSelected(); });
}

CKokRanSearchFrame::~CKokRanSearchFrame() = default;

QAction* CKokRanSearchFrame::rowAction(int row) const
{
    const auto actions = m_rows->actions();
    return row >= 0 && row < actions.size() ? actions[row] : nullptr;
}

void CKokRanSearchFrame::open()
{
    const QPoint corner = m_mainWindow ? m_mainWindow->geometry().topLeft() : QPoint();
    setGeometry(m_profile.placement(kSection, corner, QSize(430, 500)));
    show();
    chooseRow(m_profile.kanaRow());
    activateWindow();
    m_list->setFocus();
}

void CKokRanSearchFrame::chooseRow(int row)
{
    if (row < 0 || row >= ReadingRange::kKanaRows)
        return;
    m_row = row;
    for (QAction* action : m_rows->actions())
        action->setChecked(action->data().toInt() == row);
    m_navigator.setSearchMode(PanelNavigator::ReadingOrder);
    m_navigator.setModeText(PanelNavigator::ReadingOrder);
    const auto list = CustomerSearch(m_store).inReadingRange(ReadingRange::kanaRow(row),
                                                             Capacity::kReadingIndex, false);
    m_filling = true;
    m_list->fill(list.rows);
    m_filling = false;
    if (list.truncated)
        showMessage(SearchTexts::listCut(list.total, int(list.rows.size())),
                    MessageGateway::Icon::Information);
    if (m_list->rowCount() > 0)
        m_list->selectRow(0);
}

void CKokRanSearchFrame::showSelected()
{
    if (m_filling)
        return;
    const int row = m_list->currentRow();
    if (row < 0)
        return;
    m_navigator.showCustomer(m_list->codeOfRow(row), false);
    // The panel took the focus to show the record: the user goes on here.
    activateWindow();
    m_list->setFocus();
}

bool CKokRanSearchFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            return false;
        if (key->key() == Qt::Key_Escape || key->key() == Qt::Key_Return
            || key->key() == Qt::Key_Enter) {
            close();
            return true;
        }
        const QString text = key->text();
        if (text.size() == 1) {
            const int row = ReadingRange::kanaRowOfKey(text.front());
            if (row >= 0) {
                chooseRow(row);
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void CKokRanSearchFrame::closeEvent(QCloseEvent* event)
{
    if (!isMinimized() && !isMaximized())
        m_profile.setPlacement(kSection, geometry());
    m_profile.setKanaRow(m_row);
    m_navigator.setModeText(PanelNavigator::ReadingOrder);
    event->accept();
    emit closed();
}

} // namespace kv::records::search
