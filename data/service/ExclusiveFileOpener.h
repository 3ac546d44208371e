#pragma once

#include <QString>

namespace kv {
class SharedFile;
}

namespace kv::data {

// How often and how long an open refused by another computer's hold is
// tried again.
struct ExclusiveOpenTiming {
    int intervalMs = 1000;
    int timeoutMs = 60000;
};

// Opens the small shared files of the data folder (lock tables, counters)
// read-write and exclusively for one read-modify-write, creating a missing
// file empty and never truncating one.
class ExclusiveFileOpener {
public:
    enum class Outcome { Opened, Busy, Failed };

    explicit ExclusiveFileOpener(const ExclusiveOpenTiming& timing = {});

    // Busy: another holder kept the file for the whole timeout (no message).
    // Failed: any other open error, already shown as the file error text.
    Outcome open(SharedFile& file, const QString& path) const;

    // The file error text for path and cause, shown as a message.
    static void showFileError(const QString& path, int cause);

    const ExclusiveOpenTiming& timing() const { return m_timing; }

private:
    ExclusiveOpenTiming m_timing;
};

} // namespace kv::data
