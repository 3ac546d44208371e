#pragma once

#include <QPointer>

#include <functional>
#include <memory>

class QSettings;

namespace kv::data {
class CCarMaintenanceDoc;
}
namespace kv::masters {
class ItemStore;
class SetStore;
} // namespace kv::masters
namespace kv::slips {
class CSetMeisaiSetFrame;
}

namespace kv::app {

class CMainFrame;

// The work and parts sets of the program: the set store the slip grid and
// the set window share, and the set window of the master-data menu, with
// the main window disabled while it is open.
class SetWindows {
public:
    SetWindows(CMainFrame& frame, data::CCarMaintenanceDoc& document, masters::ItemStore* items,
               QSettings* profile);
    ~SetWindows();

    masters::SetStore& store() const { return *m_store; }
    // Whether this computer shares the data with others right now.
    void setNetworkInUse(std::function<bool()> networkInUse);

    // The menu command's flow.
    void openSetWindow();
    slips::CSetMeisaiSetFrame* setWindow() const;
    // For the LAN layer: another computer recorded (deleted false) or
    // deleted a set; the open set window reads its count again.
    void setsChanged(bool deleted);

private:
    void windowClosed();

    CMainFrame& m_frame;
    data::CCarMaintenanceDoc& m_document;
    masters::ItemStore* m_items;
    QSettings* m_profile;
    std::unique_ptr<masters::SetStore> m_store;
    QPointer<slips::CSetMeisaiSetFrame> m_window;
};

} // namespace kv::app
