#include "uninstall/core/Uninstaller.h"

#include "app/startup/InstanceLock.h"
#include "app/startup/StartupTexts.h"
#include "common/InstallSettings.h"
#include "common/MessageGateway.h"
#include "uninstall/core/BackupRescue.h"
#include "uninstall/core/DataFolderUse.h"
#include "uninstall/core/FolderGuard.h"
#include "uninstall/core/TreeRemoval.h"
#include "uninstall/core/UninstallTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace kv::uninstall {
namespace {

using app::StartupTexts::ProgramName;

QString listed(const QString& heading, const QStringList& lines)
{
    if (lines.isEmpty())
        return {};
    return QStringLiteral("\n\n") + heading + QStringLiteral("\n  ") + lines.join(QStringLiteral("\n  "));
}

// mimeapps.list without the lines that hand our MIME type to a program.
QByteArray withoutOurType(const QByteArray& text, bool* changed)
{
    const QByteArray key = InstalledNames::BackupMimeType.toUtf8() + '=';
    QList<QByteArray> kept;
    for (const QByteArray& line : text.split('\n')) {
        if (line.trimmed().startsWith(key))
            *changed = true;
        else
            kept << line;
    }
    return kept.join('\n');
}

} // namespace

Uninstaller::Uninstaller(UserFolders folders, Hooks hooks)
    : m_folders(std::move(folders))
    , m_hooks(std::move(hooks))
{
}

bool Uninstaller::isPackaged(const QString& programPath)
{
    const QString clean = QDir::cleanPath(programPath);
    return clean.startsWith(QStringLiteral("/usr/")) && !clean.startsWith(QStringLiteral("/usr/local/"));
}

Uninstaller::Outcome Uninstaller::run()
{
    app::InstanceLock own(UninstallTexts::DeleteLockName, m_folders.runtime);
    if (!own.acquire())
        return Outcome::AnotherUninstaller;
    // Held to the end, so the program cannot start while its files go.
    app::InstanceLock program(app::StartupTexts::InstanceName, m_folders.runtime);
    if (!program.acquire()) {
        showMessage(UninstallTexts::ProgramRunning);
        return Outcome::ProgramRunning;
    }
    if (!m_hooks.confirm || !m_hooks.confirm())
        return Outcome::Cancelled;
    if (!askYesNo(UninstallTexts::BackupDoneQuestion, true)
        || !askYesNo(UninstallTexts::ReallyContinueQuestion, true))
        return Outcome::Cancelled;
    return removeInstallation();
}

Uninstaller::Outcome Uninstaller::removeInstallation()
{
    const InstallSettings settings(m_folders.installFile);
    if (!settings.hasProgram(ProgramName)) {
        showMessage(UninstallTexts::AlreadyRemoved);
        return Outcome::AlreadyRemoved;
    }
    const QString program = settings.programPath(ProgramName).value_or(QString());
    const QString data = settings.dataDirectoryPath(ProgramName).value_or(QString());
    // A client's data folder is the server's share: the shop's data.
    const bool client = settings.lanRole(ProgramName).value_or(0) != 0;

    if (!data.isEmpty() && !client && QFileInfo(data).isDir()) {
        const DataFolderUse use = DataFolderUse::read(data, QStringLiteral("Server"));
        if (!use.unreadable.isEmpty()) {
            showMessage(UninstallTexts::LockTablesUnreadable.arg(use.unreadable));
            return Outcome::DataFolderInUse;
        }
        if (!use.otherComputers.isEmpty()) {
            showMessage(UninstallTexts::DataFolderInUse.arg(use.otherComputers.join(QStringLiteral(", "))));
            return Outcome::DataFolderInUse;
        }
    }

    bool ok = true;
    if (!program.isEmpty()) {
        const QString folder = QFileInfo(program).absolutePath();
        if (isPackaged(program)) {
            m_notes << UninstallTexts::PackageNote;
        } else {
            const FolderGuard guard(m_folders.home, m_folders.standardFolders());
            const QString refusal = guard.refusal(folder, QFileInfo(program).fileName(),
                                                  UninstallTexts::LeftNotProgram);
            if (!refusal.isEmpty())
                m_left << refusal;
            else
                ok = removeFolder({folder + QStringLiteral("/Help"), UninstallTexts::HelpDeleteError})
                     && removeFolder({folder, UninstallTexts::ProgramDeleteError});
        }
    }
    if (ok && !data.isEmpty()) {
        if (client)
            m_left << UninstallTexts::LeftServerShare.arg(data);
        else
            ok = removeGuardedFolder(data, QStringLiteral("010.mdb"), UninstallTexts::LeftNotData,
                                     UninstallTexts::DataDeleteError);
    }
    for (const QString& entry : m_folders.desktopEntries()) {
        if (ok)
            ok = removeFile(entry);
    }
    ok = ok && removeMimeAssociations() && removeFile(m_folders.profileFile());
    // The installation file goes last: while it stays, a second run can
    // finish what a failure left.
    ok = ok && removeFile(m_folders.installFile);
    if (ok) {
        for (const QString& folder : {QFileInfo(m_folders.installFile).absolutePath(),
                                      QFileInfo(m_folders.profileFile()).absolutePath()})
            QDir().rmdir(folder); // only when nothing else of ours is left in it
    }
    reportEnd(ok);
    return ok ? Outcome::Completed : Outcome::StoppedPartWay;
}

bool Uninstaller::removeGuardedFolder(const QString& path, const QString& marker,
                                      const QString& notOurs, const QString& error)
{
    const QFileInfo entry(path);
    // A relative path would be taken from wherever the uninstaller started.
    if (QDir::isAbsolutePath(path) && !entry.exists() && !entry.isSymLink())
        return true;
    const FolderGuard guard(m_folders.home, m_folders.standardFolders());
    const QString refusal = guard.refusal(path, marker, notOurs);
    if (!refusal.isEmpty()) {
        m_left << refusal;
        return true;
    }
    return removeFolder({path, error});
}

bool Uninstaller::removeFolder(const Folder& folder)
{
    const QFileInfo entry(folder.path);
    if (!entry.exists() && !entry.isSymLink())
        return true;
    if (entry.isSymLink()) {
        // Only the link is ours to remove; the folder it names stays.
        const QString target = entry.symLinkTarget();
        if (!QFile::remove(folder.path)) {
            m_error = folder.error;
            m_left << UninstallTexts::LeftNotRemovable.arg(folder.path);
            return false;
        }
        m_removed << folder.path;
        m_left << UninstallTexts::LeftLinkTarget.arg(target);
        return true;
    }
    const BackupRescue rescue = BackupRescue::moveBackups(folder.path, m_folders.home);
    m_moved << rescue.moved;
    if (!rescue.notMoved.isEmpty()) {
        m_left << UninstallTexts::LeftBackupNotMoved.arg(folder.path);
        return true;
    }
    QString stayed;
    if (!removeTree(folder.path, &stayed)) {
        m_error = folder.error;
        m_left << UninstallTexts::LeftNotRemovable.arg(stayed);
        return false;
    }
    m_removed << folder.path;
    return true;
}

bool Uninstaller::removeFile(const QString& path, bool* wasThere)
{
    const QFileInfo entry(path);
    const bool there = entry.exists() || entry.isSymLink();
    if (wasThere)
        *wasThere = there;
    if (!there)
        return true;
    if (!QFile::remove(path)) {
        m_error = UninstallTexts::FileDeleteError.arg(path);
        m_left << UninstallTexts::LeftNotRemovable.arg(path);
        return false;
    }
    m_removed << path;
    return true;
}

bool Uninstaller::removeMimeAssociations()
{
    bool packageWasThere = false;
    if (!removeFile(m_folders.mimePackage(), &packageWasThere))
        return false;
    if (packageWasThere && m_hooks.refreshMime)
        m_hooks.refreshMime(m_folders.mimeFolder());
    for (const QString& list : m_folders.mimeAppsLists()) {
        QFile file(list);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        bool changed = false;
        const QByteArray text = withoutOurType(file.readAll(), &changed);
        file.close();
        if (!changed)
            continue;
        QSaveFile out(list);
        if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.commit()) {
            m_error = UninstallTexts::FileDeleteError.arg(list);
            m_left << UninstallTexts::LeftNotRemovable.arg(list);
            return false;
        }
        m_removed << list + QStringLiteral(" (") + InstalledNames::BackupMimeType + QLatin1Char(')');
    }
    return true;
}

void Uninstaller::reportEnd(bool complete)
{
    QString text = complete ? UninstallTexts::Completed
                            : m_error + QLatin1Char('\n') + UninstallTexts::StoppedPartWay
                                  + listed(UninstallTexts::RemovedHeading, m_removed);
    text += listed(UninstallTexts::LeftHeading, m_left);
    text += listed(UninstallTexts::BackupsMovedHeading, m_moved);
    for (const QString& note : m_notes)
        text += QStringLiteral("\n\n") + note;
    showMessage(text, complete ? MessageGateway::Icon::Information : MessageGateway::Icon::Warning);
}

} // namespace kv::uninstall
