#pragma once

#include <QHash>

#include <functional>

namespace kv::app {

struct FrameState;

// What the rules of the main window's commands are made of: the states the
// panel last gave the toolbar buttons, the open windows, the LAN role and
// the connected clients. Each subsystem builds its commands' rules from
// these; one rule applies alike to the menu item, the button and the key.
class CommandAvailability {
public:
    struct Flags {
        bool f3 = false, f4 = false, f5 = false, previous = false, next = false, slip = false,
             newCustomer = false, newVehicle = false, ledgerGroup = false, record = false;
    };

    CommandAvailability(const FrameState& state, bool isClient, std::function<int()> clientCount);

    // The buttons as the window is created, before SetCommandButtons runs.
    void resetButtons();
    void SetCommandButtons(const Flags& flags);

    bool buttonEnabled(int command) const;
    void setButtonEnabled(int command, bool enabled);

    // False while the panel holds a query's values: no command that acts on
    // the shown record applies to them.
    bool panelHoldsRecord() const;
    // A command on the shown record that follows its button.
    bool recordCommandOn(int command) const { return panelHoldsRecord() && buttonEnabled(command); }
    // An index, slip or ledger window is open.
    bool childWindowOpen() const;
    bool slipOrLedgerOpen() const;
    // A server no client is connected to: nobody else works on the data.
    bool alone() const { return !m_isClient && clientCount() == 0; }

    void setAdapterPortConfigured(bool configured) { m_adapterPort = configured; }
    bool adapterPortConfigured() const { return m_adapterPort; }
    bool isClient() const { return m_isClient; }
    int clientCount() const { return m_clientCount ? m_clientCount() : 0; }

private:
    const FrameState& m_state;
    bool m_isClient;
    std::function<int()> m_clientCount;
    QHash<int, bool> m_buttons;
    bool m_adapterPort = false;
};

} // namespace kv::app
