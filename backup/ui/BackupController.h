#pragma once

#include "backup/ui/ProgressThread.h"
#include "data/service/ExclusiveFileOpener.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class QSettings;
class QWidget;

namespace kv::backup {

class BackupVolumes;
class CDProgress;

// The backup command from the dialog to "データバックアップ完了": the
// dialog, then the backup's thread (snapshots, archive, copy) with the
// progress window, its cancel, and the end on the interface thread.
class BackupController : public QObject {
    Q_OBJECT
public:
    struct Setup {
        QString dataFolder;
        QString localDataFolder;
        QString computerName;
        QSettings* profile = nullptr;
        BackupVolumes* volumes = nullptr;
        RetryTiming lockTiming;
    };

    BackupController(Setup setup, QWidget* window);

    // Shows the dialog; on OK starts the backup's thread and returns true
    // (finished follows). False when the user cancelled or a check failed.
    bool start();
    bool isRunning() const { return m_worker.isRunning(); }
    CDProgress* progressWindow() const { return m_worker.progressWindow(); }

signals:
    void finished(bool done);

private:
    Setup m_setup;
    QPointer<QWidget> m_window;
    // A backup still running is cancelled and waited for when it goes.
    ProgressThread m_worker;
    // Written by the backup's thread, read once it has ended.
    QStringList m_utf8Names;
};

} // namespace kv::backup
