#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace kv::app {

// Marks a running copy of the program: a lock file named after the instance
// name in the user's runtime folder, held until the process ends. A copy
// that crashed leaves a stale file, which the next start takes over.
class InstanceLock {
public:
    explicit InstanceLock(const QString& name, const QString& folder = defaultFolder());
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // False when another live process holds the lock (or the folder cannot
    // hold the file).
    bool acquire();
    QString filePath() const { return m_path; }

    static QString defaultFolder();

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace kv::app
