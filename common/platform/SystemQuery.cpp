#include "common/platform/SystemQuery.h"

#include "common/KVCommon.h"

#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QRegularExpression>

#include <sys/utsname.h>

namespace kv {
namespace {

QString existingFolder(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isDir())
        return {};
    return QDir::cleanPath(path);
}

} // namespace

bool SystemQuery::osVersion(OsVersionInfo& info)
{
    struct utsname names {};
    if (::uname(&names) != 0)
        return false;
    const QString release = QString::fromLocal8Bit(names.release);
    // "6.1.0-18-amd64": major, minor and the third number as the build.
    static const QRegularExpression numbers(QStringLiteral("^(\\d+)(?:\\.(\\d+))?(?:\\.(\\d+))?"));
    const QRegularExpressionMatch match = numbers.match(release);
    info.majorVersion = match.captured(1).toInt();
    info.minorVersion = match.captured(2).toInt();
    info.buildNumber = match.captured(3).toInt();
    info.platformId = 2;
    info.description = QString::fromLocal8Bit(names.sysname) + QLatin1Char(' ') + release;
    return true;
}

QString SystemQuery::systemRootFolder()
{
    return existingFolder(QLibraryInfo::path(QLibraryInfo::PrefixPath));
}

QString SystemQuery::systemLibraryFolder()
{
    return existingFolder(QLibraryInfo::path(QLibraryInfo::LibrariesPath));
}

QString SystemQuery::programFilesFolder()
{
    return existingFolder(QStringLiteral("/opt"));
}

} // namespace kv
