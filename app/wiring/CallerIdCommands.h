#pragma once

#include "app/frame/CommandGroup.h"

#include <QPointer>

#include <memory>

class QSettings;

namespace kv::callerid {
class CTelCallHistoryFrame;
class CallPopups;
class WaveFileChooser;
} // namespace kv::callerid

namespace kv::app {

class CMainFrame;
class CallerIdSystem;
class FramePanel;

// Caller ID in the main window: the pop-up of each recognised call (while
// the received-calls button is down), the call history (169), the
// caller-ID settings (32940) and the pop-up settings (32941).
class CallerIdCommands {
public:
    // chooser: none gives the file-open dialog. Nothing is owned.
    CallerIdCommands(CMainFrame& frame, FramePanel& panel, CallerIdSystem& callerId,
                     QSettings* profile, callerid::WaveFileChooser* chooser = nullptr);
    ~CallerIdCommands();

    void openHistory();
    void openCallerIdSettings();
    void openPopupSettings();
    // What a computer does with a "TelCallInfo" message from the LAN: the
    // call information is read again (and an open history shows it).
    void onTelCallInfo();

    callerid::CallPopups& popups() { return *m_popups; }
    callerid::CTelCallHistoryFrame* historyWindow() const;

private:
    // Enter in a pop-up: refused while other work holds the main window.
    bool showCustomerFromPopup(int code);

    CommandGroup m_group;
    CMainFrame& m_frame;
    FramePanel& m_panel;
    CallerIdSystem& m_callerId;
    QSettings* m_profile;
    std::unique_ptr<callerid::WaveFileChooser> m_ownChooser;
    callerid::WaveFileChooser* m_chooser;
    std::unique_ptr<callerid::CallPopups> m_popups;
    QPointer<callerid::CTelCallHistoryFrame> m_history;
};

} // namespace kv::app
