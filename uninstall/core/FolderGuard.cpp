#include "uninstall/core/FolderGuard.h"

#include "uninstall/core/UninstallTexts.h"

#include <QDir>
#include <QFileInfo>

namespace kv::uninstall {
namespace {

// The top of the file system and what Debian keeps below /usr and /var.
const QStringList& systemFolders()
{
    static const QStringList folders = {
        QStringLiteral("/bin"),       QStringLiteral("/boot"),      QStringLiteral("/dev"),
        QStringLiteral("/etc"),       QStringLiteral("/home"),      QStringLiteral("/lib"),
        QStringLiteral("/lib32"),     QStringLiteral("/lib64"),     QStringLiteral("/libx32"),
        QStringLiteral("/media"),     QStringLiteral("/mnt"),       QStringLiteral("/opt"),
        QStringLiteral("/proc"),      QStringLiteral("/root"),      QStringLiteral("/run"),
        QStringLiteral("/sbin"),      QStringLiteral("/srv"),       QStringLiteral("/sys"),
        QStringLiteral("/tmp"),       QStringLiteral("/usr"),       QStringLiteral("/var"),
        QStringLiteral("/usr/bin"),   QStringLiteral("/usr/lib"),   QStringLiteral("/usr/lib64"),
        QStringLiteral("/usr/libexec"), QStringLiteral("/usr/sbin"), QStringLiteral("/usr/share"),
        QStringLiteral("/usr/include"), QStringLiteral("/usr/src"), QStringLiteral("/usr/local"),
        QStringLiteral("/usr/local/bin"), QStringLiteral("/usr/local/lib"),
        QStringLiteral("/usr/local/share"), QStringLiteral("/var/lib"), QStringLiteral("/var/tmp"),
        QStringLiteral("/var/log"),   QStringLiteral("/var/cache"), QStringLiteral("/var/spool"),
    };
    return folders;
}

bool isAtOrAbove(const QString& folder, const QString& inner)
{
    return inner == folder || inner.startsWith(folder + QLatin1Char('/'));
}

} // namespace

FolderGuard::FolderGuard(QString home, QStringList userFolders)
{
    userFolders.prepend(home);
    for (const QString& folder : userFolders) {
        if (folder.isEmpty())
            continue;
        m_protected << QDir::cleanPath(folder);
        const QString resolved = QFileInfo(folder).canonicalFilePath();
        if (!resolved.isEmpty())
            m_protected << resolved;
    }
}

bool FolderGuard::isSystemFolder(const QString& cleanPath)
{
    return cleanPath == QStringLiteral("/") || systemFolders().contains(cleanPath);
}

bool FolderGuard::isProtected(const QString& cleanPath) const
{
    if (isSystemFolder(cleanPath))
        return true;
    for (const QString& folder : m_protected) {
        if (isAtOrAbove(cleanPath, folder))
            return true;
    }
    return false;
}

QString FolderGuard::refusal(const QString& folder, const QString& marker,
                             const QString& notOurs) const
{
    if (folder.isEmpty() || !QDir::isAbsolutePath(folder))
        return UninstallTexts::LeftNotAbsolute.arg(folder);
    const QString clean = QDir::cleanPath(folder);
    if (isProtected(clean))
        return UninstallTexts::LeftSystemFolder.arg(folder);
    const QString resolved = QFileInfo(clean).canonicalFilePath();
    if (!resolved.isEmpty() && isProtected(resolved))
        return UninstallTexts::LeftSystemFolder.arg(folder);
    const QFileInfo held(clean + QLatin1Char('/') + marker);
    if (!held.isFile() || held.isSymLink())
        return notOurs.arg(folder);
    return {};
}

} // namespace kv::uninstall
