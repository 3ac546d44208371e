#include "data/service/RunningComputers.h"

#include "data/service/ShareLockTable.h"

#include <QDir>
#include <QUrl>

namespace kv::data {

namespace {

// A shared lock only: two computers looking at once do not get in each
// other's way, and either sees the owner's exclusive one.
constexpr unsigned kProbeMode = FileMode::Read | FileMode::ShareDenyNone;
constexpr unsigned kOwnMode =
    FileMode::ReadWrite | FileMode::ShareExclusive | FileMode::Create | FileMode::NoTruncate;

bool heldByItsComputer(const QString& path)
{
    SharedFile probe;
    int cause = FileCause::None;
    if (probe.open(path, kProbeMode, &cause)) {
        probe.close();
        return false;
    }
    return cause == FileCause::SharingViolation;
}

} // namespace

RunningComputers::RunningComputers(const QString& dataFolder, const RetryTiming& timing)
    : m_folder(dataFolder + QStringLiteral("/Temp/.running"))
    , m_timing(timing)
{
}

QString RunningComputers::fileOf(const QString& computer) const
{
    // Percent-encoded, so that every name (an IPv6 address too) is one
    // plain file name of its own.
    return m_folder + QLatin1Char('/')
         + QString::fromLatin1(QUrl::toPercentEncoding(ShareLockTable::canonicalName(computer)));
}

bool RunningComputers::markThisComputer(const QString& computer)
{
    unmark();
    QDir().mkpath(m_folder);
    const QString path = fileOf(computer);
    // Another computer looking at the file holds it for a moment only.
    if (!m_own.openRetrying(path, kOwnMode, m_timing))
        return false;
    m_ownFile = path;
    return true;
}

void RunningComputers::unmark()
{
    m_own.close();
    m_ownFile.clear();
}

bool RunningComputers::isGone(const QString& computer) const
{
    const QString path = fileOf(computer);
    if (!m_ownFile.isEmpty() && path == m_ownFile)
        return true;
    return !heldByItsComputer(path);
}

bool RunningComputers::othersRunning() const
{
    const QDir folder(m_folder);
    const QStringList files = folder.entryList(QDir::Files | QDir::Hidden);
    for (const QString& name : files) {
        const QString path = folder.filePath(name);
        if (path != m_ownFile && heldByItsComputer(path))
            return true;
    }
    return false;
}

} // namespace kv::data
