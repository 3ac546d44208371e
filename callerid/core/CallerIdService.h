#pragma once

#include "adapter/TLX_K5.h"
#include "data/settings/CallInfoFile.h"

#include <QDateTime>
#include <QObject>

#include <functional>

namespace kv::data {
class SettingsStore;
}

namespace kv::callerid {

class CallInfoStore;
class CallerLookup;

// The caller-ID adapter as the program drives it: started at document
// creation on a server or stand-alone computer whose settings name a port,
// stopped when the document closes, and each call notice looked up, kept
// in the call information, told to the other computers and handed on to
// the pop-ups.
class CallerIdService {
public:
    struct Setup {
        bool isClient = false;
        data::SettingsStore* settings = nullptr;
        CallerLookup* lookup = nullptr;
        CallInfoStore* calls = nullptr;
        // While true a call notice is dropped (a deletion, a backup or the
        // caller-ID settings are running).
        std::function<bool()> lookupSuspended;
        // This computer's clock; empty: the system's.
        std::function<QDateTime()> now;
    };

    explicit CallerIdService(Setup setup);
    ~CallerIdService();
    CallerIdService(const CallerIdService&) = delete;
    CallerIdService& operator=(const CallerIdService&) = delete;

    // False ends the document's creation (after the message). A missing
    // adapter asks whether to go on without it: Yes stores port 0 in
    // "017.dat" and goes on without caller ID.
    bool StartCallerId();
    // Stops watching and closes the port, when StartCallerId opened it.
    void StopCallerId();
    bool isWatching() const { return m_watching; }

    // One call notice, on the thread of the event loop.
    void OnAdapterCall(const TlxCallNotice& notice);

    // Told of every recognised call once it is kept and announced.
    void setCallRecognised(std::function<void(const data::CallInfoEntry&)> told)
    {
        m_recognised = std::move(told);
    }
    // Told when watching begins (the pop-ups start their cascade anew).
    void setWatchStarted(std::function<void()> told) { m_watchStarted = std::move(told); }

private:
    static void noticeArrived(const TlxCallNotice* notice);
    bool fail(const QString& message);

    Setup m_setup;
    QObject m_watchOwner;
    std::function<void(const data::CallInfoEntry&)> m_recognised;
    std::function<void()> m_watchStarted;
    bool m_open = false;
    bool m_watching = false;
};

} // namespace kv::callerid
