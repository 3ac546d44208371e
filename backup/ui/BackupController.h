#pragma once

#include "backup/ui/InterfaceThreadGateway.h"
#include "data/service/ExclusiveFileOpener.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <atomic>

class QSettings;
class QThread;
class QWidget;

namespace kv::backup {

class BackupFileChooser;
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
        BackupFileChooser* chooser = nullptr;
        RetryTiming lockTiming;
    };

    BackupController(Setup setup, QWidget* window);
    // A backup still running is cancelled and waited for.
    ~BackupController() override;

    // Shows the dialog; on OK starts the backup's thread and returns true
    // (finished follows). False when the user cancelled or a check failed.
    bool start();
    bool isRunning() const { return m_thread != nullptr; }
    CDProgress* progressWindow() const;

signals:
    void finished(bool done);

private:
    void startThread(const QString& destination, bool overwriteConfirmed);
    void threadEnded();

    Setup m_setup;
    QPointer<QWidget> m_window;
    InterfaceThreadGateway m_gateway;
    std::atomic<bool> m_cancel{false};
    QThread* m_thread = nullptr;
    QPointer<CDProgress> m_progress;
    bool m_done = false;
};

} // namespace kv::backup
