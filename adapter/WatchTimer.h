#pragma once

#include <QObject>

#include <functional>

namespace tlx {

// The one-second timer that watches the line. It lives in the thread of the
// object that owns the watch, so its ticks run from that thread's event loop.
class WatchTimer : public QObject {
public:
    WatchTimer(QObject* owner, std::function<void()> onTick);

    // Both may be called from any thread; they take effect in the timer's own.
    void start(int intervalMs);
    void stop();
    // Stops and deletes the timer, later if a tick is running.
    void dispose();

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    std::function<void()> m_onTick;
    int m_timerId = 0;
    bool m_inTick = false;
};

} // namespace tlx
