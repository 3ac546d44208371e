#pragma once

#include <QString>
#include <QStringList>

namespace kv::uninstall {

// The user's folders and files an installation of the program touches.
struct UserFolders {
    QString home;
    QString runtime;     // where the lock files of running copies lie
    QString configHome;  // $XDG_CONFIG_HOME: the profile, mimeapps.list
    QString dataHome;    // $XDG_DATA_HOME: desktop entries, MIME types
    QString desktop;
    QString documents;
    QString installFile;

    // As the program itself finds them.
    static UserFolders fromEnvironment();
    // All of them below home, for a test.
    static UserFolders under(const QString& home);

    // Never to be removed, nor anything above them.
    QStringList standardFolders() const;
    // The program's profile (organisation "Kelvane").
    QString profileFile() const;
    // The desktop entries a user may have made for the program.
    QStringList desktopEntries() const;
    QString mimeFolder() const;
    QString mimePackage() const;
    QStringList mimeAppsLists() const;
};

// The names the package installs under, which the user's own copies share.
namespace InstalledNames {
inline const QString DesktopEntry = QStringLiteral("sabion.desktop");
inline const QString DesktopShortcut = QStringLiteral("サビオン.desktop");
inline const QString MimePackage = QStringLiteral("sabion.xml");
inline const QString BackupMimeType = QStringLiteral("application/x-sabion-backup");
} // namespace InstalledNames

} // namespace kv::uninstall
