#pragma once

#include "backup/ui/InterfaceThreadGateway.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <atomic>
#include <functional>

class QThread;
class QWidget;

namespace kv::backup {

class CDProgress;

// Long work on a thread of its own behind the progress window, as the
// backup and the restore run: the window (the main window is disabled
// while it is open), its cancel, progress to its bar and a gateway that
// has the interface thread show the work's messages.
class ProgressThread : public QObject {
    Q_OBJECT
public:
    // Runs on the interface thread once the work's thread has ended, with
    // the progress window still open; given the work's result, returns the
    // outcome.
    using Then = std::function<bool(bool done)>;

    explicit ProgressThread(QWidget* window);
    // Work still running is cancelled and waited for; Then is not run.
    ~ProgressThread() override;

    // For the work: its messages, its cancel and its progress in whole
    // percent (from any thread).
    MessageGateway& messages() { return m_gateway; }
    // The next disk of a set, asked with a dialog on the interface thread.
    DiskQuestion& diskQuestion() { return m_gateway; }
    const std::atomic<bool>& cancelFlag() const { return m_cancel; }
    std::function<void(int)> progress();

    // Opens the progress window titled title and starts work on its
    // thread; false when work is running already. finished follows.
    bool start(const QString& title, std::function<bool()> work, Then then = {});
    bool isRunning() const { return m_thread != nullptr; }
    CDProgress* progressWindow() const;
    bool cancelled() const { return m_cancel.load(); }

    // From Then: what follows cannot be stopped halfway, so the cancel
    // button is disabled. False when the user cancelled first.
    bool commit();

signals:
    // The progress window has closed and the main window is enabled again.
    void finished(bool done);

private:
    void setProgress(int percent);
    void threadEnded();

    QPointer<QWidget> m_window;
    InterfaceThreadGateway m_gateway;
    std::atomic<bool> m_cancel{false};
    QThread* m_thread = nullptr;
    QPointer<CDProgress> m_progress;
    Then m_then;
    bool m_done = false;
};

} // namespace kv::backup
