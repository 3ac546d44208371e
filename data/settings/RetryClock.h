#pragma once

#include <QtGlobal>

namespace kv::data {

// The clock of the one-second open retries. Tests put in a clock that does
// not really wait, so the 60-second paths can run in no time.
class RetryClock {
public:
    virtual ~RetryClock();
    virtual void restart() = 0;
    virtual qint64 elapsedMs() const = 0;
    virtual void sleepMs(int ms) = 0;

    // The wall clock with a plain wait (the window does not repaint meanwhile).
    static RetryClock& system();
};

// How often and how long a refused open is tried again.
struct RetryTiming {
    int intervalMs = 1000;
    int giveUpMs = 60000;
};

} // namespace kv::data
