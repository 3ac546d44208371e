#pragma once

#include "app/frame/CommandGroup.h"

#include <QPointer>

class QSettings;

namespace kv::data {
class CCarMaintenanceDoc;
}
namespace kv::ledger {
class CMotoFrame;
}

namespace kv::app {

class CMainFrame;
class PanelFrameBridge;
class SlipCommands;

// The ledger of the customer the panel shows (F9) and its carried-forward
// balance (Alt+F2). While the ledger is open the main window's record
// commands stay off; when it closes the panel shows the record again,
// unless it gave way to a slip window, which then ends the work.
class LedgerCommands {
public:
    LedgerCommands(CMainFrame& frame, data::CCarMaintenanceDoc& document, PanelFrameBridge& panel,
                   SlipCommands& slips, QSettings* profile);
    ~LedgerCommands();

    // F9 and Alt+F2, as the commands run them.
    void openLedger();
    void setCarriedForward();

    ledger::CMotoFrame* window() const;

private:
    void endWork(bool forSlip);
    void showIssuedInvoices();

    CommandGroup m_group;
    CMainFrame& m_frame;
    data::CCarMaintenanceDoc& m_document;
    PanelFrameBridge& m_panel;
    SlipCommands& m_slips;
    QSettings* m_profile;
    QPointer<ledger::CMotoFrame> m_window;
    int m_customer = 0;
    int m_vehicle = 0;
};

} // namespace kv::app
