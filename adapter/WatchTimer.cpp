#include "adapter/WatchTimer.h"

#include <QThread>
#include <QTimerEvent>

namespace tlx {

WatchTimer::WatchTimer(QObject* owner, std::function<void()> onTick)
    : m_onTick(std::move(onTick))
{
    if (owner->thread() != thread())
        moveToThread(owner->thread());
}

void WatchTimer::start(int intervalMs)
{
    QMetaObject::invokeMethod(this, [this, intervalMs] {
        if (m_timerId == 0)
            m_timerId = startTimer(intervalMs);
    }, Qt::AutoConnection);
}

void WatchTimer::stop()
{
    QMetaObject::invokeMethod(this, [this] {
        if (m_timerId != 0) {
            killTimer(m_timerId);
            m_timerId = 0;
        }
    }, Qt::AutoConnection);
}

void WatchTimer::dispose()
{
    stop();
    if (thread() == QThread::currentThread() && !m_inTick)
        delete this;
    else
        deleteLater();
}

void WatchTimer::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_timerId)
        return;
    m_inTick = true;
    m_onTick();
    m_inTick = false;
}

} // namespace tlx
