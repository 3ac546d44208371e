#include "records/search/CAllSearchFrame.h"

#include "records/search/CAllSearchListView.h"
#include "records/search/PanelNavigator.h"
#include "records/search/SearchProfile.h"

#include <QCloseEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>

namespace kv::records::search {
namespace {

const QString kSection = QStringLiteral("AllSearchFrame");

} // namespace

CAllSearchFrame::CAllSearchFrame(const RowList<QueryResultRow>& results, bool vehicles,
                                 PanelNavigator& navigator, SearchProfile& profile,
                                 QWidget* mainWindow)
    : QMainWindow(nullptr)
    , m_navigator(navigator)
    , m_profile(profile)
    , m_mainWindow(mainWindow)
    , m_vehicles(vehicles)
    , m_list(new CAllSearchListView(profile, vehicles, this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle((vehicles ? QStringLiteral("指定検索　該当車輌 = %1件")
                             : QStringLiteral("指定検索　該当顧客 = %1件"))
                       .arg(results.rows.size()));
    setCentralWidget(m_list);
    m_list->fill(results.rows);
    m_list->installEventFilter(this);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { showSelected(); });
}

void CAllSearchFrame::open()
{
    const QPoint corner = m_mainWindow ? m_mainWindow->geometry().topLeft() : QPoint();
    setGeometry(m_profile.placement(kSection, corner, QSize(600, 500)));
    show();
    activateWindow();
    m_list->setFocus();
    m_list->selectRow(0);
}

void CAllSearchFrame::showSelected()
{
    const int row = m_list->currentRow();
    if (row < 0)
        return;
    const int code = m_list->codeOfRow(row);
    if (m_vehicles)
        m_navigator.showVehicle(code, false);
    else
        m_navigator.showCustomer(code, false);
    activateWindow();
    m_list->setFocus();
}

bool CAllSearchFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
            close();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void CAllSearchFrame::closeEvent(QCloseEvent* event)
{
    if (!isMinimized() && !isMaximized())
        m_profile.setPlacement(kSection, geometry());
    event->accept();
    emit closed();
}

} // namespace kv::records::search
