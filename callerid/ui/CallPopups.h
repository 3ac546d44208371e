#pragma once

#include "data/settings/CallInfoFile.h"

#include <QList>
#include <QObject>
#include <QPoint>

#include <functional>

class QSettings;

namespace kv::callerid {

class CDCtiInfo;
class RingSound;

// The open call pop-ups: each recognised call opens one, cascading from the
// screen's corner by 20 pixels (0, 1, 2, then from the corner again), and
// rings. A pop-up that closes is taken off the list and deleted.
class CallPopups : public QObject {
    Q_OBJECT
public:
    struct Setup {
        // "CtiInfo": "ButtonPush" and "DspSecond"; not owned.
        QSettings* profile = nullptr;
        RingSound* sound = nullptr;
        std::function<bool(int customerCode)> showCustomer;
    };

    explicit CallPopups(Setup setup, QObject* parent = nullptr);
    ~CallPopups() override;

    // The next pop-up opens in the corner again (the adapter started).
    void resetCascade() { m_cascade = 0; }
    CDCtiInfo* open(const data::CallInfoEntry& call);
    const QList<CDCtiInfo*>& popups() const { return m_popups; }
    void closeAll();

    // Where the cascade's pop-up of the index (0 to 2) goes.
    static QPoint place(int cascade);

private:
    void popupClosed(CDCtiInfo* popup);

    Setup m_setup;
    QList<CDCtiInfo*> m_popups;
    int m_cascade = 0;
};

} // namespace kv::callerid
