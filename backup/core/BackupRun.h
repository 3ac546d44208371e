#pragma once

#include "backup/core/BackupVolumes.h"
#include "data/service/ExclusiveFileOpener.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>

namespace kv {
class MessageGateway;
}

namespace kv::backup {

class BackupVolumes;
class DiskQuestion;

// One backup from the data folder to the backup file, as the backup's
// thread runs it: consistent snapshots of the data under the "Printing"
// section, the archive packed from them, the copy behind the header. Every
// message goes through the gateway given; the run ends with
// "データバックアップ完了" or "データバックアップを中止します！" and leaves
// nothing of its own in the temporary folder.
class BackupRun {
public:
    struct Setup {
        QString dataFolder;
        QString computerName;
        QString destination;
        // How long the "Printing" section is waited for.
        RetryTiming lockTiming;
        // The dialog has had the user's yes to replacing the file.
        bool overwriteConfirmed = false;
        // The volume the dialog found the destination on, and its kind:
        // none, when nothing was checked beforehand.
        QString checkedVolume = {};
        BackupVolumes::DriveType checkedType = BackupVolumes::DriveType::Unknown;
    };

    // disks: asked for the next disk of a set of removable disks.
    BackupRun(Setup setup, BackupVolumes& volumes, MessageGateway& messages,
              const std::atomic<bool>& cancel, std::function<void(int percent)> progress = {},
              DiskQuestion* disks = nullptr);

    // Everything, ending with the message of how it went.
    bool run();
    // As run, leaving that message to the caller (endMessage).
    bool perform();
    // utf8Names: the files whose names were stored in UTF-8, named after
    // a backup that was done.
    static void endMessage(MessageGateway& messages, bool done, const QStringList& utf8Names = {});
    // Builds the archive in the temporary folder; false after the message
    // (silently when cancelled).
    bool MakeArchive();

    // After MakeArchive: the names that CP932 cannot hold, stored in UTF-8.
    const QStringList& utf8Names() const { return m_utf8Names; }

    QString temporaryFolder() const;
    // temporary folder + "/SABBACK.LZH"
    QString archivePath() const;

    // The path names a backup file or archive (".SBK" or ".LZH").
    static bool hasBackupExtension(const QString& path);

private:
    QString snapshotFolder() const;
    bool clearTemporaryFolder();
    void report(int percent);

    Setup m_setup;
    BackupVolumes& m_volumes;
    MessageGateway& m_messages;
    DiskQuestion* m_disks;
    const std::atomic<bool>& m_cancel;
    std::function<void(int)> m_progress;
    int m_shown = -1;
    QStringList m_utf8Names;
};

} // namespace kv::backup
