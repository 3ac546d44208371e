#pragma once

#include "app/frame/CommandAvailability.h"
#include "app/frame/CommandRegistry.h"
#include "app/frame/FrameCommands.h"
#include "app/frame/FrameState.h"
#include "app/help/HelpWindow.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <functional>

class QAction;
class QKeyEvent;
class QLabel;
class QMenu;
class QSettings;
class QToolBar;

namespace kv::print {
class PrinterAccess;
}

namespace kv::app {

// The program's one top-level window: menu 128, the two toolbars, the
// status bar with the LAN pane and the keyboard indicators, and the slot of
// the customer and vehicle panel. Its menu items, buttons and keys show the
// commands the subsystems registered; the window asks the registry whether
// a command is available and runs it. The keys of available commands reach
// it from any of its fields, but for those a field keeps (typing, editing
// and moving keys). It registers only its own commands (exit, help,
// version, printer setup, the received-calls switch) and owns the frame
// state, the button states and the record flows the records wiring
// registers.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    struct Setup {
        bool isClient = false;
        std::function<int()> clientCount;
        // This computer's own name (the host name), which the position file
        // of a chosen printer carries.
        QString computerName;
        QString programFolder;
        // The per-user profile ("MainWindowPlace", "CtiInfo"); not owned.
        QSettings* profile = nullptr;
        // Printer setup; none leaves the command unavailable. Not owned.
        print::PrinterAccess* printers = nullptr;
        // Asked before the window closes; true lets it close.
        std::function<bool()> canClose;
        // Runs once the closing is certain, before the window goes.
        std::function<void()> closeDocument;
    };

    explicit CMainFrame(Setup setup, QWidget* parent = nullptr);
    ~CMainFrame() override;

    FrameState& state() { return m_state; }
    CommandAvailability& availability() { return m_availability; }
    FrameCommands& commands() { return m_commands; }
    CommandRegistry& registry() { return m_registry; }
    const CommandRegistry& registry() const { return m_registry; }
    // Where the customer and vehicle panel goes.
    QWidget* viewSlot() const { return m_viewSlot; }

    QAction* action(int command) const { return m_actions.value(command); }
    QToolBar* mainToolBar() const { return m_toolBar1; }
    QToolBar* searchToolBar() const { return m_toolBar2; }
    QLabel* lanPane() const { return m_lanPane; }
    HelpWindow* helpWindow() const { return m_help; }

    // Whether the command's menu item, button and keys are enabled now.
    bool isCommandEnabled(int command) const;
    // Brings menu items, buttons and keys in line with the state; called
    // after every command and by windows that change the state.
    void refreshCommands();
    void SetCommandButtons(const CommandAvailability::Flags& flags);
    void SetSearchOrder(int mode) { m_commands.SetSearchOrder(mode); }
    bool DiscardReservedCustomer() { return m_commands.DiscardReservedCustomer(); }
    bool DiscardReservedVehicle() { return m_commands.DiscardReservedVehicle(); }

    // Runs the command if it is available now.
    void runCommand(int command);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The action of the command's menu items, buttons and keys; made on
    // first use, shown as the command registered it.
    QAction* actionFor(int command);
    void applyRegistration(int command);
    bool refreshCommand(int command, QAction* action);
    void buildMenu();
    void buildToolBars();
    void buildStatusBar();
    void registerOwnCommands();
    // Whether a key pressed in a control of this window goes to the frame:
    // one of its enabled commands' keys, unless the control keeps it.
    bool takesKeyFromControl(QObject* receiver, const QKeyEvent& key);
    void restorePosition();
    void storePosition();
    void showHelp();
    void toggleReceivedCalls(bool on);

    Setup m_setup;
    FrameState m_state;
    CommandAvailability m_availability;
    FrameCommands m_commands;
    CommandRegistry m_registry;
    QHash<int, QAction*> m_actions;
    QToolBar* m_toolBar1 = nullptr;
    QToolBar* m_toolBar2 = nullptr;
    QWidget* m_viewSlot = nullptr;
    QLabel* m_lanPane = nullptr;
    QPointer<HelpWindow> m_help;
    bool m_closing = false;
};

} // namespace kv::app
