#pragma once

#include "app/frame/CommandGroup.h"

#include <QDateTime>
#include <QString>

#include <memory>

class QSettings;

namespace kv::data {
class CCarMaintenanceDoc;
class ReservedRecords;
}
namespace kv::backup {
class BackupController;
class BackupVolumes;
class DataRestore;
class ProgressThread;
}

namespace kv::app {

class CMainFrame;
class CommandAvailability;
class PanelFrameBridge;
struct FrameState;

// The backup ("バックアップ(&B)...") and the restore ("データ復元") of the
// file menu. Both need the data to themselves: no child window open, no
// backup running, a server no client is connected to. The restore reads,
// unpacks and checks the backup on a thread of its own behind the progress
// window; then it closes the databases, puts the backup's folder in place
// of the data folder (the old one kept under a dated name) and opens them
// again.
class BackupCommands {
public:
    struct Setup {
        QString localDataFolder;
        QSettings* profile = nullptr;
        data::ReservedRecords* reserved = nullptr;
        // A stand-in for tests; none: the system's volumes.
        backup::BackupVolumes* volumes = nullptr;
    };

    BackupCommands(CMainFrame& frame, data::CCarMaintenanceDoc& document, PanelFrameBridge& panel,
                   Setup setup);
    ~BackupCommands();

    void backup();
    // Returns once the restore's thread runs (or after a refusal). Without
    // a file the user chooses one.
    void restore(const QString& file = {});
    // The backup file the program was started on (opened from the file
    // manager), or empty.
    static QString backupFileIn(const QStringList& arguments);
    // When the backup and the restore may run: they need the data to
    // themselves (no child window, no backup running, a server no client
    // is connected to, no new record being entered).
    static bool allowed(const CommandAvailability& rules, const FrameState& state);
    backup::BackupController* controller() const { return m_controller.get(); }
    backup::ProgressThread* restoreThread() const { return m_restoreThread.get(); }

private:
    bool dataToOurselves() const;
    void backupEnded();
    // On the interface thread once the backup is prepared.
    bool swapIn(const QDateTime& now);
    void restoreEnded(bool swapped);

    CommandGroup m_group;
    CMainFrame& m_frame;
    data::CCarMaintenanceDoc& m_document;
    PanelFrameBridge& m_panel;
    Setup m_setup;
    std::unique_ptr<backup::BackupVolumes> m_ownVolumes;
    std::unique_ptr<backup::BackupController> m_controller;
    // The restore under way; its thread goes first.
    std::unique_ptr<backup::DataRestore> m_restore;
    std::unique_ptr<backup::ProgressThread> m_restoreThread;
    bool m_reopened = true;
};

} // namespace kv::app
