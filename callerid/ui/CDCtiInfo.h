#pragma once

#include "data/settings/CallInfoFile.h"

#include <QDialog>
#include <QTimer>

#include <functional>

namespace kv::callerid {

// The pop-up of a recognised call: the caller's reading, name, address,
// telephone numbers and when it rang. Enter brings the customer onto the
// main panel (and closes the pop-up when that worked), Esc or the close
// button closes it; unless it is set to stay, it closes by itself after
// the set seconds. Modeless, on top of the other windows.
class CDCtiInfo : public QDialog {
    Q_OBJECT
public:
    struct Setup {
        bool stays = false; // "ButtonPush" 1
        int seconds = 30;   // "DspSecond"
        // Shows the customer on the main panel; false when it could not
        // (after its message), and the pop-up stays.
        std::function<bool(int customerCode)> showCustomer;
    };

    CDCtiInfo(const data::CallInfoEntry& call, Setup setup, QWidget* parent = nullptr);

    int customerCode() const { return m_call.kokCode; }
    const data::CallInfoEntry& call() const { return m_call; }
    // Counting down to closing by itself.
    bool closesByItself() const { return m_closeTimer.isActive(); }

    void done(int result) override;

signals:
    // Sent once, when the pop-up has closed; its owner deletes it then.
    void closed(kv::callerid::CDCtiInfo* popup);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    data::CallInfoEntry m_call;
    Setup m_setup;
    QTimer m_closeTimer;
    bool m_closed = false;
};

} // namespace kv::callerid
