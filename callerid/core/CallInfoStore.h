#pragma once

#include "common/platform/RetryClock.h"
#include "data/settings/CallInfoFile.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace kv::data {
class SettingsStore;
}

namespace kv::callerid {

// The call information "018.dat" of the data folder and its copy in the
// settings store. A recognised call is kept in memory at once and the file
// rewritten whole. While another computer holds the file, the write is
// tried again once a second from the event loop, so the window goes on
// working; after a minute it gives up with the file error text, the calls
// staying in memory. A later call during the retries is carried by the
// same write.
class CallInfoStore : public QObject {
    Q_OBJECT
public:
    explicit CallInfoStore(data::SettingsStore& settings, QObject* parent = nullptr);

    // Intervals of the retries (tests shorten them).
    void setTiming(const RetryTiming& timing) { m_timing = timing; }

    const data::CallInfoFile& calls() const;
    // Keeps the call as the newest and writes the file.
    void record(const data::CallInfoEntry& call);
    // True while a write waits for the file.
    bool savePending() const { return m_retry.isActive(); }

    // Reads "018.dat" again (the history window, and a computer told by the
    // LAN that a call came in). A file held elsewhere is waited for up to
    // the timeout; false then, or after the file error message, with the
    // calls in memory as they were.
    bool reload();

signals:
    // The calls in memory changed (recorded or read again).
    void changed();
    // The file now holds the calls in memory.
    void saved();

private:
    void trySave();

    data::SettingsStore& m_settings;
    RetryTiming m_timing;
    QTimer m_retry;
    QElapsedTimer m_waiting;
};

} // namespace kv::callerid
