#include "uninstall/core/UserFolders.h"

#include "app/startup/InstanceLock.h"
#include "common/InstallSettings.h"
#include "data/settings/UserProfile.h"

#include <QDir>
#include <QStandardPaths>

namespace kv::uninstall {
namespace {

QString xdgFolder(const char* variable, const QString& fallback)
{
    const QString named = qEnvironmentVariable(variable);
    return named.isEmpty() || !QDir::isAbsolutePath(named) ? fallback : named;
}

} // namespace

UserFolders UserFolders::fromEnvironment()
{
    UserFolders folders;
    folders.home = QDir::homePath();
    folders.runtime = app::InstanceLock::defaultFolder();
    folders.configHome = xdgFolder("XDG_CONFIG_HOME", folders.home + QStringLiteral("/.config"));
    folders.dataHome = xdgFolder("XDG_DATA_HOME", folders.home + QStringLiteral("/.local/share"));
    folders.desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    folders.documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    folders.installFile = InstallSettings::path();
    return folders;
}

UserFolders UserFolders::under(const QString& home)
{
    UserFolders folders;
    folders.home = home;
    folders.runtime = home + QStringLiteral("/runtime");
    folders.configHome = home + QStringLiteral("/.config");
    folders.dataHome = home + QStringLiteral("/.local/share");
    folders.desktop = home + QStringLiteral("/Desktop");
    folders.documents = home + QStringLiteral("/Documents");
    folders.installFile = folders.configHome + QStringLiteral("/Kelvane/Sabion-install.ini");
    return folders;
}

QStringList UserFolders::standardFolders() const
{
    return {configHome, dataHome, desktop, documents, runtime,
            configHome + QStringLiteral("/Kelvane"), dataHome + QStringLiteral("/applications")};
}

QString UserFolders::profileFile() const
{
    return QStringLiteral("%1/%2/%3.conf")
        .arg(configHome, QLatin1String(data::kProfileOrganisation),
             QLatin1String(data::kProfileApplication));
}

QStringList UserFolders::desktopEntries() const
{
    return {dataHome + QStringLiteral("/applications/") + InstalledNames::DesktopEntry,
            desktop + QLatin1Char('/') + InstalledNames::DesktopEntry,
            desktop + QLatin1Char('/') + InstalledNames::DesktopShortcut};
}

QString UserFolders::mimeFolder() const
{
    return dataHome + QStringLiteral("/mime");
}

QString UserFolders::mimePackage() const
{
    return mimeFolder() + QStringLiteral("/packages/") + InstalledNames::MimePackage;
}

QStringList UserFolders::mimeAppsLists() const
{
    return {configHome + QStringLiteral("/mimeapps.list"),
            dataHome + QStringLiteral("/applications/mimeapps.list")};
}

} // namespace kv::uninstall
