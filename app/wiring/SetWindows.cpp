#include "app/wiring/SetWindows.h"

#include "app/frame/CMainFrame.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "lan/core/ChangeAnnouncer.h"
#include "masters/core/SetStore.h"
#include "slips/ui/CSetMeisaiSetFrame.h"

namespace kv::app {

SetWindows::SetWindows(CMainFrame& frame, data::CCarMaintenanceDoc& document,
                       masters::ItemStore* items, QSettings* profile)
    : m_frame(frame), m_document(document), m_items(items), m_profile(profile),
      m_store(std::make_unique<masters::SetStore>(document))
{
}

SetWindows::~SetWindows()
{
    // The window works on the store; it goes first, and gives its lock
    // and placeholder back as it goes.
    if (m_window) {
        m_window->close();
        delete m_window.data();
    }
}

void SetWindows::setNetworkInUse(std::function<bool()> networkInUse)
{
    m_store->setNetworkInUse(std::move(networkInUse));
}

void SetWindows::openSetWindow()
{
    if (m_window) {
        m_window->raise();
        m_window->activateWindow();
        return;
    }
    slips::CSetMeisaiSetFrame::Setup setup;
    setup.sets = m_store.get();
    setup.items = m_items;
    setup.settings = &m_document.settings();
    setup.announcer = &lan::changeAnnouncer();
    setup.profile = m_profile;
    setup.fallbackPosition = m_frame.pos() + QPoint(7, 86);
    // A window of its own: the main window is disabled while it is open.
    m_window = new slips::CSetMeisaiSetFrame(setup);
    QObject::connect(m_window, &slips::CSetMeisaiSetFrame::closedWindow, &m_frame,
                     [this] { windowClosed(); });
    m_frame.state().setWindowOpen = true;
    m_frame.setEnabled(false);
    m_frame.refreshCommands();
    m_window->show();
}

slips::CSetMeisaiSetFrame* SetWindows::setWindow() const
{
    return m_window;
}

void SetWindows::windowClosed()
{
    m_frame.state().setWindowOpen = false;
    m_frame.setEnabled(true);
    m_frame.refreshCommands();
    m_frame.activateWindow();
}

void SetWindows::setsChanged(bool deleted)
{
    if (m_window)
        m_window->setsChanged(deleted);
}

} // namespace kv::app
