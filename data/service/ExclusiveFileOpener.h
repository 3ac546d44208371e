#pragma once

#include "common/platform/RetryClock.h"

#include <QString>

namespace kv {
class SharedFile;
}

namespace kv::data {

// Opens the small shared files of the data folder (lock tables, counters)
// read-write and exclusively for one read-modify-write, creating a missing
// file empty and never truncating one.
class ExclusiveFileOpener {
public:
    enum class Outcome { Opened, Busy, Failed };

    explicit ExclusiveFileOpener(const RetryTiming& timing = {});

    // Busy: another holder kept the file for the whole timeout (no message).
    // Failed: any other open error, already shown as the file error text.
    Outcome open(SharedFile& file, const QString& path) const;

    const RetryTiming& timing() const { return m_timing; }

private:
    RetryTiming m_timing;
};

} // namespace kv::data
