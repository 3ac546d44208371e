#pragma once

#include "lan/core/ChangeReceivers.h"

#include <functional>
#include <vector>

namespace kv::data {
class CCarMaintenanceDoc;
}

namespace kv::app {

class CMainFrame;
class PanelFrameBridge;

// What this computer re-reads when another announces a change: customers
// and vehicles (the frame's order and the panel's totals), each settings
// file with the panel's drop-down lists, the customer-name, address and
// model pick lists with an open pick list, the open item dialog and the
// open set window.
class LanCommands {
public:
    // Nothing is owned; all outlive this object.
    LanCommands(CMainFrame& frame, data::CCarMaintenanceDoc& document, PanelFrameBridge& panel);

    // "TelCallInfo": the server took a call; run reads the call information
    // again.
    void onCallInformation(std::function<void()> run);

    // The LAN pane of a client: connected to its server or not.
    static void showConnection(CMainFrame& frame, bool connected);

private:
    std::vector<lan::ReceiverSubscription> m_subscriptions;
};

} // namespace kv::app
