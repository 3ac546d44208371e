#include "app/wiring/BackupCommands.h"

#include "app/frame/CMainFrame.h"
#include "app/frame/CommandId.h"
#include "app/startup/ProcessFlags.h"
#include "app/wiring/PanelFrameBridge.h"
#include "backup/core/BackupTexts.h"
#include "backup/core/DataRestore.h"
#include "backup/core/OtherComputers.h"
#include "backup/core/platform/LinuxVolumes.h"
#include "backup/ui/BackupController.h"
#include "backup/ui/QtBackupFileChooser.h"
#include "common/MessageGateway.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "records/panel/CFMainPanel.h"

#include <QApplication>
#include <QDateTime>
#include <QSettings>

namespace kv::app {

namespace Texts = backup::BackupTexts;

BackupCommands::BackupCommands(CMainFrame& frame, data::CCarMaintenanceDoc& document,
                               PanelFrameBridge& panel, Setup setup)
    : m_group(frame.registry())
    , m_frame(frame)
    , m_document(document)
    , m_panel(panel)
    , m_setup(std::move(setup))
{
    if (!m_setup.volumes) {
        m_ownVolumes = std::make_unique<backup::LinuxVolumes>(document.config().dataFolder);
        m_setup.volumes = m_ownVolumes.get();
    }
    if (!m_setup.chooser) {
        m_ownChooser = std::make_unique<backup::QtBackupFileChooser>();
        m_setup.chooser = m_ownChooser.get();
    }
    backup::BackupController::Setup controller;
    controller.dataFolder = document.config().dataFolder;
    controller.localDataFolder = m_setup.localDataFolder;
    controller.computerName = document.computerName();
    controller.profile = m_setup.profile;
    controller.volumes = m_setup.volumes;
    controller.chooser = m_setup.chooser;
    controller.lockTiming = document.config().openTiming;
    m_controller = std::make_unique<backup::BackupController>(controller, &m_frame);
    QObject::connect(m_controller.get(), &backup::BackupController::finished, &m_frame,
                     [this] { backupEnded(); });

    const auto available = [this] { return allowed(m_frame.availability(), m_frame.state()); };
    m_group.add({.id = CommandId::Backup,
                 .text = QStringLiteral("バックアップ(&B)..."),
                 .run = [this] { backup(); },
                 .available = available});
    m_group.add({.id = CommandId::Restore,
                 .text = QStringLiteral("データ復元(&R)..."),
                 .run = [this] { restore(); },
                 .available = available});
}

BackupCommands::~BackupCommands()
{
    m_controller.reset();
    if (!ProcessFlags::backupIdle) {
        ProcessFlags::backupIdle = true;
        ProcessFlags::callLookupSuspended = false;
    }
}

bool BackupCommands::allowed(const CommandAvailability& rules, const FrameState& state)
{
    return !rules.childWindowOpen() && ProcessFlags::backupIdle && rules.alone()
        && state.mode < FrameState::NewCustomer;
}

bool BackupCommands::dataToOurselves() const
{
    if (!m_frame.availability().alone()) {
        showMessage(Texts::OthersConnected);
        return false;
    }
    if (!backup::OtherComputers::holdingLocks(m_document.config().dataFolder,
                                              m_document.computerName())
             .isEmpty()) {
        showMessage(Texts::OthersHoldLocks);
        return false;
    }
    return true;
}

void BackupCommands::backup()
{
    ProcessFlags::callLookupSuspended = true;
    if (!dataToOurselves() || !m_controller->start()) {
        ProcessFlags::callLookupSuspended = false;
        return;
    }
    ProcessFlags::backupIdle = false;
    m_frame.refreshCommands();
}

void BackupCommands::backupEnded()
{
    ProcessFlags::backupIdle = true;
    ProcessFlags::callLookupSuspended = false;
    m_frame.refreshCommands();
    m_frame.activateWindow();
}

void BackupCommands::restore()
{
    const QString dataFolder = m_document.config().dataFolder;
    const QString folder = m_setup.profile
        ? m_setup.profile->value(QStringLiteral("Backup/Path"), m_setup.localDataFolder).toString()
        : m_setup.localDataFolder;
    const QString file = m_setup.chooser->chooseForRestoring(&m_frame, folder);
    if (file.isEmpty() || !dataToOurselves())
        return;
    const QDateTime now = QDateTime::currentDateTime();
    const QString kept = dataFolder + now.toString(QStringLiteral("_yyyyMMdd_HHmmss"));
    if (!askYesNo(Texts::RestoreConfirm.arg(file, kept), true))
        return;

    ProcessFlags::callLookupSuspended = true;
    backup::DataRestore restore(*m_setup.volumes, messageGateway(), dataFolder);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool prepared = restore.prepare(file);
    QApplication::restoreOverrideCursor();
    if (prepared) {
        // Nothing of the old data may stay open or shown.
        m_panel.panel().showNothing();
        m_frame.state().mode = FrameState::Nothing;
        m_document.CloseDatabases(m_setup.reserved);
        const bool swapped = restore.swapIn(now);
        if (!m_document.OpenAllDatabases()) {
            // The message has been shown; the program cannot go on without data.
            ProcessFlags::callLookupSuspended = false;
            m_frame.close();
            return;
        }
        m_panel.SetModeText(FrameState::Nothing);
        if (swapped)
            showMessage(Texts::Restored.arg(restore.keptFolder()), MessageGateway::Icon::Information);
    }
    ProcessFlags::callLookupSuspended = false;
    m_frame.refreshCommands();
}

} // namespace kv::app
