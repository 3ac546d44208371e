#include "common/platform/RetryClock.h"

#include <QElapsedTimer>
#include <QThread>

namespace kv {

RetryClock::~RetryClock() = default;

namespace {
class WallClock final : public RetryClock {
public:
    void restart() override { m_timer.start(); }
    qint64 elapsedMs() const override { return m_timer.isValid() ? m_timer.elapsed() : 0; }
    void sleepMs(int ms) override { QThread::msleep(static_cast<unsigned long>(ms)); }

private:
    QElapsedTimer m_timer;
};
}

RetryClock& RetryClock::system()
{
    thread_local WallClock clock;
    return clock;
}

} // namespace kv
