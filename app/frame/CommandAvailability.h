#pragma once

#include <QHash>

#include <functional>

namespace kv::app {

struct FrameState;

// Which commands of the main window may run now: the states the toolbar
// buttons were last given and the rules of each command (open windows, the
// LAN role, connected clients, a running backup). One rule applies alike to
// the menu item, the button and the key.
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

    bool isAvailable(int command) const;

    void setHelpOpen(bool open) { m_helpOpen = open; }
    void setAdapterPortConfigured(bool configured) { m_adapterPort = configured; }
    bool isClient() const { return m_isClient; }
    int clientCount() const { return m_clientCount ? m_clientCount() : 0; }

private:
    bool childWindowOpen() const;
    // The commands that act on the record the panel shows.
    static bool holdsRecord(int command);

    const FrameState& m_state;
    bool m_isClient;
    std::function<int()> m_clientCount;
    QHash<int, bool> m_buttons;
    bool m_helpOpen = false;
    bool m_adapterPort = false;
};

} // namespace kv::app
