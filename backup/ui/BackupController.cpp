#include "backup/ui/BackupController.h"

#include "backup/core/BackupRun.h"
#include "backup/core/BackupTexts.h"
#include "backup/ui/CDBackup.h"
#include "backup/ui/CDProgress.h"
#include "common/MessageGateway.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QThread>
#include <QWidget>

namespace kv::backup {

BackupController::BackupController(Setup setup, QWidget* window)
    : m_setup(std::move(setup))
    , m_window(window)
    , m_gateway(this)
{
}

BackupController::~BackupController()
{
    if (!m_thread)
        return;
    m_cancel = true;
    m_gateway.abandon();
    // A message the thread is waiting to have shown still needs the loop.
    while (!m_thread->wait(50))
        QCoreApplication::processEvents();
    delete m_thread;
    delete m_progress.data();
}

CDProgress* BackupController::progressWindow() const
{
    return m_progress.data();
}

bool BackupController::start()
{
    if (m_thread)
        return false;
    CDBackup dialog(*m_setup.volumes, m_setup.profile, m_setup.localDataFolder, m_setup.chooser,
                    m_window);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QString path = dialog.path();
    if (!BackupRun::hasBackupExtension(path)) {
        showMessage(BackupTexts::NoExtension);
        return false;
    }
    // A file there now was replaced by the user's yes in the dialog.
    startThread(path, QFileInfo::exists(path));
    return true;
}

void BackupController::startThread(const QString& destination, bool overwriteConfirmed)
{
    m_cancel = false;
    m_done = false;
    // A window of its own: as the main window's child it would be disabled
    // with it.
    m_progress = new CDProgress;
    connect(m_progress, &CDProgress::cancelRequested, this, [this] { m_cancel = true; });
    if (m_window) {
        m_window->setEnabled(false);
        m_progress->adjustSize();
        m_progress->move(m_window->geometry().center() - m_progress->rect().center());
    }
    m_progress->show();

    BackupRun::Setup setup{m_setup.dataFolder, m_setup.computerName, destination,
                           m_setup.lockTiming, overwriteConfirmed};
    m_thread = QThread::create([this, setup] {
        BackupRun run(setup, *m_setup.volumes, m_gateway, m_cancel, [this](int percent) {
            QMetaObject::invokeMethod(
                this, [this, percent] {
                    if (m_progress)
                        m_progress->setProgress(percent);
                },
                Qt::QueuedConnection);
        });
        m_done = run.perform();
    });
    connect(m_thread, &QThread::finished, this, &BackupController::threadEnded);
    m_thread->start();
}

void BackupController::threadEnded()
{
    QThread* thread = m_thread;
    m_thread = nullptr;
    thread->deleteLater();
    // The progress window goes first, then the message of how it went.
    if (m_progress) {
        m_progress->hide();
        m_progress->deleteLater();
    }
    if (m_window)
        m_window->setEnabled(true);
    BackupRun::endMessage(messageGateway(), m_done);
    emit finished(m_done);
}

} // namespace kv::backup
