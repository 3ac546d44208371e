#pragma once

#include "app/frame/CommandGroup.h"

#include <QPointer>

#include <memory>

class QSettings;

namespace kv::data {
class CCarMaintenanceDoc;
}
namespace kv::masters {
class ItemStore;
class SetStore;
} // namespace kv::masters
namespace kv::print {
class PrinterAccess;
}
namespace kv::slips {
class CSyareFrame;
class SlipAccess;
struct SlipContext;
} // namespace kv::slips

namespace kv::app {

class CMainFrame;
class PanelFrameBridge;

// The slip work of the record the panel shows (F8): the vehicle's slip
// history, or a new slip at once for a vehicle without slips. While it is
// open the main window's record commands stay off; when it ends the locks
// are given back and the panel shows the record again (a recorded
// inspection has moved its 車検満了日).
class SlipCommands {
public:
    SlipCommands(CMainFrame& frame, data::CCarMaintenanceDoc& document, PanelFrameBridge& panel,
                 masters::ItemStore* items, QSettings* profile);
    ~SlipCommands();

    // F8, as the command runs it.
    void openSlipWork();
    // A stored slip opened for modification from elsewhere (the ledger):
    // the slip work's locks taken for the vehicle's customer, the record
    // commands held off until the slip window closes. False after the
    // message when refused; nothing is then held.
    bool openStoredSlip(int customerCode, int vehicleCode, int slipNumber);
    // Where slips are printed; without it the slip window prints nothing.
    void setPrinters(print::PrinterAccess* printers) { m_printers = printers; }
    // The sets the slip grid expands; none until attached.
    void setSetStore(masters::SetStore* sets) { m_sets = sets; }

private:
    bool openSlip(const slips::SlipContext& context);
    // A new slip number; 0 after the record service's message.
    int nextNumber();
    void beginWork();
    void endWork();

    CommandGroup m_group;
    CMainFrame& m_frame;
    data::CCarMaintenanceDoc& m_document;
    PanelFrameBridge& m_panel;
    masters::ItemStore* m_items;
    masters::SetStore* m_sets = nullptr;
    QSettings* m_profile;
    print::PrinterAccess* m_printers = nullptr;
    std::unique_ptr<slips::SlipAccess> m_access;
    int m_customer = 0;
    int m_vehicle = 0;
};

} // namespace kv::app
