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
#include "backup/ui/ProgressThread.h"
#include "common/MessageGateway.h"
#include "controls/FileChooser.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "records/panel/CFMainPanel.h"

#include <QDateTime>
#include <QFileInfo>
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
    backup::BackupController::Setup controller;
    controller.dataFolder = document.config().dataFolder;
    controller.localDataFolder = m_setup.localDataFolder;
    controller.computerName = document.computerName();
    controller.profile = m_setup.profile;
    controller.volumes = m_setup.volumes;
    controller.lockTiming = document.config().openTiming;
    m_controller = std::make_unique<backup::BackupController>(controller, &m_frame);
    QObject::connect(m_controller.get(), &backup::BackupController::finished, &m_frame,
                     [this] { backupEnded(); });
    m_restoreThread = std::make_unique<backup::ProgressThread>(&m_frame);
    QObject::connect(m_restoreThread.get(), &backup::ProgressThread::finished, &m_frame,
                     [this](bool swapped) { restoreEnded(swapped); });

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
    m_restoreThread.reset();
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

QString BackupCommands::backupFileIn(const QStringList& arguments)
{
    for (const QString& argument : arguments.mid(1)) {
        const QFileInfo file(argument);
        if (file.suffix().compare(QStringLiteral("sbk"), Qt::CaseInsensitive) == 0 && file.isFile())
            return file.absoluteFilePath();
    }
    return {};
}

void BackupCommands::restore(const QString& chosen)
{
    const QString dataFolder = m_document.config().dataFolder;
    const QString folder = m_setup.profile
        ? m_setup.profile->value(QStringLiteral("Backup/Path"), m_setup.localDataFolder).toString()
        : m_setup.localDataFolder;
    const QString file = !chosen.isEmpty()
        ? chosen
        : fileChooser().openFile(&m_frame, Texts::Restore, folder, Texts::FileFilter);
    if (file.isEmpty() || m_restoreThread->isRunning() || !dataToOurselves())
        return;
    const QDateTime now = QDateTime::currentDateTime();
    const QString kept = dataFolder + now.toString(QStringLiteral("_yyyyMMdd_HHmmss"));
    if (!askYesNo(Texts::RestoreConfirm.arg(file, kept), true))
        return;

    ProcessFlags::callLookupSuspended = true;
    ProcessFlags::backupIdle = false;
    m_reopened = true;
    m_restore = std::make_unique<backup::DataRestore>(
        *m_setup.volumes, m_restoreThread->messages(), dataFolder, &m_restoreThread->cancelFlag(),
        m_restoreThread->progress(), &m_restoreThread->diskQuestion());
    backup::DataRestore* restore = m_restore.get();
    m_restoreThread->start(
        Texts::Restoring, [restore, file] { return restore->prepare(file); },
        [this, now](bool prepared) { return prepared && swapIn(now); });
    m_frame.refreshCommands();
}

bool BackupCommands::swapIn(const QDateTime& now)
{
    // Once the databases close, the restore goes to its end.
    if (!m_restoreThread->commit()) {
        m_restore->discard();
        return false;
    }
    // A computer that joined while the backup was read would keep working
    // on the data being replaced.
    if (!dataToOurselves()) {
        m_restore->discard();
        return false;
    }
    // Nothing of the old data may stay open or shown.
    m_panel.panel().showNothing();
    m_frame.state().mode = FrameState::Nothing;
    m_document.CloseDatabases(m_setup.reserved);
    const bool swapped = m_restore->swapIn(now);
    m_reopened = m_document.OpenAllDatabases();
    if (m_reopened)
        m_panel.SetModeText(FrameState::Nothing);
    return swapped;
}

void BackupCommands::restoreEnded(bool swapped)
{
    const QString kept = m_restore->keptFolder();
    m_restore.reset();
    backupEnded();
    if (!m_reopened) {
        // The message has been shown; the program cannot go on without data.
        m_frame.close();
        return;
    }
    if (swapped)
        showMessage(Texts::Restored.arg(kept), MessageGateway::Icon::Information);
    else if (m_restoreThread->cancelled())
        showMessage(Texts::RestoreStopped);
}

} // namespace kv::app
