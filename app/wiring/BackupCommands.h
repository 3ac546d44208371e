#pragma once

#include "app/frame/CommandGroup.h"

#include <QString>

#include <memory>

class QSettings;

namespace kv::data {
class CCarMaintenanceDoc;
class ReservedRecords;
}
namespace kv::backup {
class BackupController;
class BackupFileChooser;
class BackupVolumes;
}

namespace kv::app {

class CMainFrame;
class CommandAvailability;
class PanelFrameBridge;
struct FrameState;

// The backup ("バックアップ(&B)...") and the restore ("データ復元") of the
// file menu. Both need the data to themselves: no child window open, no
// backup running, a server no client is connected to. The restore closes
// the databases, puts the backup's folder in place of the data folder
// (the old one kept under a dated name) and opens them again.
class BackupCommands {
public:
    struct Setup {
        QString localDataFolder;
        QSettings* profile = nullptr;
        data::ReservedRecords* reserved = nullptr;
        // Stand-ins for tests; none: the system's volumes and file dialog.
        backup::BackupVolumes* volumes = nullptr;
        backup::BackupFileChooser* chooser = nullptr;
    };

    BackupCommands(CMainFrame& frame, data::CCarMaintenanceDoc& document, PanelFrameBridge& panel,
                   Setup setup);
    ~BackupCommands();

    void backup();
    void restore();
    // When the backup and the restore may run: they need the data to
    // themselves (no child window, no backup running, a server no client
    // is connected to, no new record being entered).
    static bool allowed(const CommandAvailability& rules, const FrameState& state);
    backup::BackupController* controller() const { return m_controller.get(); }

private:
    bool dataToOurselves() const;
    void backupEnded();

    CommandGroup m_group;
    CMainFrame& m_frame;
    data::CCarMaintenanceDoc& m_document;
    PanelFrameBridge& m_panel;
    Setup m_setup;
    std::unique_ptr<backup::BackupVolumes> m_ownVolumes;
    std::unique_ptr<backup::BackupFileChooser> m_ownChooser;
    std::unique_ptr<backup::BackupController> m_controller;
};

} // namespace kv::app
