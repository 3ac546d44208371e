// The program path from the installation settings, starting programs, and
// the operating-system version with the standard folders.

#include "common/CommandLine.h"
#include "common/InstallSettings.h"
#include "common/KVCommon.h"
#include "common/MessageGateway.h"
#include "common/platform/SystemQuery.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QSysInfo>

namespace {

constexpr qsizetype kMaxCommandLine = 259;

bool fail(const char* message)
{
    kv::showMessage(QString::fromUtf8(message));
    return false;
}

QString existingFolder(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir() ? QDir::cleanPath(path) : QString();
}

// A user folder such as the desktop; where the desktop has none, the home
// folder stands in for it, as the XDG user-dirs rule says.
QString userFolder(QStandardPaths::StandardLocation location)
{
    const QString folder = existingFolder(QStandardPaths::writableLocation(location));
    return folder.isEmpty() ? existingFolder(QDir::homePath()) : folder;
}

// The start menu shared by all users: the first applications folder of the
// desktop's search list that exists (the user's own, then the system's).
QString programsFolder()
{
    const QStringList candidates =
        QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
    for (const QString& candidate : candidates) {
        const QString folder = existingFolder(candidate);
        if (!folder.isEmpty())
            return folder;
    }
    return {};
}

} // namespace

int GetExeFullPath(QString& path, QString& folder, QString& share, QString name, QString computer)
{
    share = QStringLiteral("//") + computer + QLatin1Char('/') + name;
    const kv::InstallSettings settings;
    if (!settings.hasProgram(name))
        return fail("実行パス取得オープンエラー！");
    const std::optional<QString> registered = settings.programPath(name);
    if (!registered)
        return fail("実行パス取得リードエラー！");
    QString value = *registered;
    if (value.size() > 1)
        value.remove(QLatin1Char('"'));
    path = value;
    const qsizetype slash = value.lastIndexOf(QLatin1Char('/'));
    folder = slash < 0 ? QString() : value.left(slash);
    return 1;
}

int LunchExeFile(QString commandLine, const char* workingFolder, int /*ignored*/, int /*waitMs*/)
{
    // A longer line is refused rather than cut, which could start something
    // else than was asked for.
    const QStringList parts = commandLine.size() <= kMaxCommandLine
        ? kv::CommandLine::split(commandLine)
        : QStringList();
    const QString folder = workingFolder ? QFile::decodeName(workingFolder) : QString();
    if (parts.isEmpty() || parts.first().isEmpty() || (!folder.isEmpty() && !QFileInfo(folder).isDir()))
        return fail("起動に失敗しました！");

    QProcess process;
    process.setProgram(parts.first());
    process.setArguments(parts.mid(1));
    if (!folder.isEmpty())
        process.setWorkingDirectory(folder);
    // startDetached returns only once the program has been executed (or has
    // failed to be), so there is nothing left to wait for; the process is not
    // our child and needs no handle to be closed.
    if (!process.startDetached())
        return fail("起動に失敗しました！");
    return 1;
}

int GetWindowsInfo(OsVersionInfo& os, QString& currentFolder, QString& windowsFolder,
                   QString& systemFolder, QString& desktopFolder, QString& programFilesFolder,
                   QString& programsFolder, QString& tempFolder, QString& documentsFolder,
                   QString& computerName)
{
    OsVersionInfo version;
    if (!kv::SystemQuery::osVersion(version))
        return fail("ＯＳバージョン取得取得失敗！");
    os = version;
    if (os.platformId != 1 && os.platformId != 2)
        return fail("このＯＳでは利用できません！");

    // Qt answers an empty path when the working folder has been deleted.
    currentFolder = QDir::currentPath();
    if (currentFolder.isEmpty())
        return fail("カレントディレクトリ取得失敗！");
    windowsFolder = kv::SystemQuery::systemRootFolder();
    if (windowsFolder.isEmpty())
        return fail("WINDOWSディレクトリ取得失敗！");
    systemFolder = kv::SystemQuery::systemLibraryFolder();
    if (systemFolder.isEmpty())
        return fail("SYSTEMディレクトリ取得失敗！");

    desktopFolder = userFolder(QStandardPaths::DesktopLocation);
    if (desktopFolder.isEmpty())
        return fail("デスクトップフォルダがありません！");
    programFilesFolder = kv::SystemQuery::programFilesFolder();
    if (programFilesFolder.isEmpty())
        return fail("プログラムファイルズフォルダがありません！");
    programsFolder = ::programsFolder();
    if (programsFolder.isEmpty())
        return fail("スタートプログラムフォルダがありません！");
    tempFolder = existingFolder(QDir::tempPath());
    if (tempFolder.isEmpty())
        return fail("テンポラリフォルダ取得失敗！");
    documentsFolder = userFolder(QStandardPaths::DocumentsLocation);
    if (documentsFolder.isEmpty())
        return fail("マイドキュメントフォルダがありません！");

    computerName.clear();
    computerName = QSysInfo::machineHostName();
    return computerName.isEmpty() ? 0 : 1;
}
