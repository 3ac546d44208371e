#include "backup/ui/BackupController.h"

#include "backup/core/BackupRun.h"
#include "backup/core/BackupTexts.h"
#include "backup/ui/CDBackup.h"
#include "common/MessageGateway.h"

#include <QFileInfo>
#include <QWidget>

namespace kv::backup {

BackupController::BackupController(Setup setup, QWidget* window)
    : m_setup(std::move(setup))
    , m_window(window)
    , m_worker(window)
{
    connect(&m_worker, &ProgressThread::finished, this, [this](bool done) {
        BackupRun::endMessage(messageGateway(), done, m_utf8Names);
        emit finished(done);
    });
}

bool BackupController::start()
{
    if (m_worker.isRunning())
        return false;
    CDBackup dialog(*m_setup.volumes, m_setup.profile, m_setup.localDataFolder, m_window);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    m_utf8Names.clear();
    const QString path = dialog.path();
    if (!BackupRun::hasBackupExtension(path)) {
        showMessage(BackupTexts::NoExtension);
        return false;
    }
    // A file there now was replaced by the user's yes in the dialog.
    const BackupRun::Setup setup{m_setup.dataFolder,
                                 m_setup.computerName,
                                 path,
                                 m_setup.lockTiming,
                                 QFileInfo::exists(path),
                                 m_setup.volumes->volumeRoot(path),
                                 dialog.driveType()};
    return m_worker.start(QStringLiteral("バックアップ中"), [this, setup] {
        BackupRun run(setup, *m_setup.volumes, m_worker.messages(), m_worker.cancelFlag(),
                      m_worker.progress(), &m_worker.diskQuestion());
        const bool done = run.perform();
        m_utf8Names = run.utf8Names();
        return done;
    });
}

} // namespace kv::backup
