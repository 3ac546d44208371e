#pragma once

#include "common/platform/RetryClock.h"
#include "common/platform/SharedFile.h"

#include <QString>

namespace kv::data {

// Which computers work on the data folder now, told by the folder itself
// rather than by anyone's memory: each running computer holds an exclusive
// lock on a small file of its own ("Temp/.running/<name>"; no
// computer's own temporary folder can be that one) from the moment
// its document opens until it closes. The system frees the lock of a
// computer that dies or is switched off, so a file without a lock means
// that computer is gone, whatever the server remembers.
class RunningComputers {
public:
    RunningComputers(const QString& dataFolder, const RetryTiming& timing = {});

    // Takes this computer's file; false when another running computer goes
    // by the same name (it keeps its file) or the folder cannot be written.
    bool markThisComputer(const QString& computer);
    void unmark();
    bool isMarked() const { return m_own.isOpen(); }

    // True when computer holds no file: not running, or this very computer
    // in an earlier run (its name is marked here now, so no other computer
    // runs under it).
    bool isGone(const QString& computer) const;
    // True when a computer other than this one holds its file.
    bool othersRunning() const;

    // The file of a computer; names that share a lock-table slot share it.
    QString fileOf(const QString& computer) const;

private:
    QString m_folder;
    RetryTiming m_timing;
    SharedFile m_own;
    QString m_ownFile;
};

} // namespace kv::data
