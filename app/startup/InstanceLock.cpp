#include "app/startup/InstanceLock.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

namespace kv::app {

InstanceLock::InstanceLock(const QString& name, const QString& folder)
    : m_path(folder + QLatin1Char('/') + name + QStringLiteral(".lock"))
    , m_lock(std::make_unique<QLockFile>(m_path))
{
    // A lock is never stale by age: only a dead owner frees it.
    m_lock->setStaleLockTime(0);
}

InstanceLock::~InstanceLock() = default;

bool InstanceLock::acquire()
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    return m_lock->tryLock(0);
}

QString InstanceLock::defaultFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder;
}

} // namespace kv::app
