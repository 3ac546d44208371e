#pragma once

#include "common/KVCommonExport.h"

#include <QtGlobal>

namespace kv {

// How often and how long an open refused by another holder is tried again.
struct RetryTiming {
    int intervalMs = 1000;
    int timeoutMs = 60000; // < 0: until the open succeeds
};

// The clock of the open retries. Tests put in a clock that does not really
// wait, so that the minute-long paths run in no time.
class KVCOMMON_EXPORT RetryClock {
public:
    virtual ~RetryClock();
    virtual void restart() = 0;
    virtual qint64 elapsedMs() const = 0;
    virtual void sleepMs(int ms) = 0;

    // The wall clock with a plain wait (the window does not repaint meanwhile).
    static RetryClock& system();
};

} // namespace kv
