#include "backup/ui/ProgressThread.h"

#include "backup/ui/CDProgress.h"

#include <QCoreApplication>
#include <QThread>
#include <QWidget>

namespace kv::backup {

ProgressThread::ProgressThread(QWidget* window)
    : m_window(window)
    , m_gateway(this)
{
}

ProgressThread::~ProgressThread()
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
    if (m_window)
        m_window->setEnabled(true);
}

CDProgress* ProgressThread::progressWindow() const
{
    return m_progress.data();
}

std::function<void(int)> ProgressThread::progress()
{
    return [this](int percent) {
        if (QThread::currentThread() == thread())
            setProgress(percent);
        else
            QMetaObject::invokeMethod(this, [this, percent] { setProgress(percent); },
                                      Qt::QueuedConnection);
    };
}

void ProgressThread::setProgress(int percent)
{
    if (m_progress)
        m_progress->setProgress(percent);
}

bool ProgressThread::start(const QString& title, std::function<bool()> work, Then then)
{
    if (m_thread)
        return false;
    m_cancel = false;
    m_done = false;
    m_then = std::move(then);
    m_gateway.setTitle(title);
    // A window of its own: as the main window's child it would be disabled
    // with it.
    m_progress = new CDProgress(title);
    connect(m_progress, &CDProgress::cancelRequested, this, [this] { m_cancel = true; });
    if (m_window) {
        m_window->setEnabled(false);
        m_progress->adjustSize();
        m_progress->move(m_window->geometry().center() - m_progress->rect().center());
    }
    m_progress->show();

    m_thread = QThread::create([this, work = std::move(work)] { m_done = work(); });
    connect(m_thread, &QThread::finished, this, &ProgressThread::threadEnded);
    m_thread->start();
    return true;
}

bool ProgressThread::commit()
{
    if (m_cancel.load())
        return false;
    if (m_progress)
        m_progress->setCancellable(false);
    return true;
}

void ProgressThread::threadEnded()
{
    QThread* thread = m_thread;
    m_thread = nullptr;
    thread->deleteLater();
    bool done = m_done;
    if (m_then)
        done = std::exchange(m_then, Then())(done);
    // The progress window goes first, then the message of how it went.
    if (m_progress) {
        m_progress->hide();
        m_progress->deleteLater();
    }
    if (m_window)
        m_window->setEnabled(true);
    emit finished(done);
}

} // namespace kv::backup
