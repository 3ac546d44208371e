#pragma once

#include "records/PickList.h"

#include <QPointer>

#include <memory>

namespace kv::data {
class CCarMaintenanceDoc;
}
namespace kv::masters {
class CRefFrame;
class PanelPickSource;
struct ItemRow;
} // namespace kv::masters
namespace kv::records {
class CFMainPanel;
}

namespace kv::app {

class CMainFrame;

// The panel's "参照" windows: names, addresses, transport offices and
// models, opened by its caption buttons and keys over the disabled main
// window. The choice is written into the panel's held values (the line of
// the pair that last had the focus) and the panel shows it.
class PanelPickLists {
public:
    PanelPickLists(CMainFrame& frame, records::CFMainPanel& panel,
                   data::CCarMaintenanceDoc& document);
    ~PanelPickLists();

    void open(records::PickList list, bool user);
    masters::CRefFrame* openList() const;
    // For the LAN layer: another computer changed a list; the open one is
    // read again.
    void reload();

private:
    void take(records::PickList list, bool user, const masters::ItemRow* row, int make);

    CMainFrame& m_frame;
    records::CFMainPanel& m_panel;
    std::unique_ptr<masters::PanelPickSource> m_source;
    QPointer<masters::CRefFrame> m_open;
};

} // namespace kv::app
