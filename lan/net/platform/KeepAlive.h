#pragma once

#include <QtGlobal>

namespace kv::lan {

// How soon a connection whose other end vanished (cable pulled, computer
// switched off) is given up: silent for IdleSeconds, then Probes
// keep-alive probes IntervalSeconds apart go unanswered; data sent and not
// acknowledged within the same time also ends it.
struct KeepAlive {
    static constexpr int IdleSeconds = 10;
    static constexpr int IntervalSeconds = 5;
    static constexpr int Probes = 3;
    static constexpr int DeadAfterSeconds = IdleSeconds + IntervalSeconds * Probes;

    // On a connected socket's descriptor; false when the system refuses.
    static bool apply(qintptr descriptor);
};

} // namespace kv::lan
