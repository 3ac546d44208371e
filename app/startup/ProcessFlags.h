#pragma once

#include <atomic>

namespace kv::app {

// Switches every part of the program reads: calls are not looked up while a
// deletion or backup runs, and the backup says whether it is idle. The
// backup thread restores both as it ends, hence atomics.
struct ProcessFlags {
    static inline std::atomic<bool> callLookupSuspended{false};
    static inline std::atomic<bool> backupIdle{true};
    static inline std::atomic<bool> showReceivedCalls{false};
};

} // namespace kv::app
