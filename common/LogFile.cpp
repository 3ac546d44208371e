// The daily log file: <folder>/Log/yyyy.MM.dd Log.txt, one CP932 line per
// call. Writers on other computers and processes are kept apart by the
// exclusive open; a busy file is retried for a minute and then the line is
// dropped, since logging must never stop the program.

#include "common/Cp932.h"
#include "common/FileErrorMessage.h"
#include "common/KVCommon.h"
#include "common/LogEvent.h"
#include "common/platform/SharedFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QThread>

namespace {

// Retried every 300 ms for a minute.
constexpr kv::RetryTiming kBusyRetry{300, 60000};
constexpr unsigned long kPauseAfterWriteMs = 300;

} // namespace

void AddLog(QString folder, QString message, QObject* window)
{
    const QDateTime now = QDateTime::currentDateTime();
    const QString fileName = folder + QStringLiteral("/Log/") + now.toString(QStringLiteral("yyyy.MM.dd"))
        + QStringLiteral(" Log.txt");
    const QString line = message.isEmpty()
        ? QStringLiteral("\r\n")
        : now.toString(QStringLiteral("HH:mm:ss")) + QLatin1Char(' ') + message + QStringLiteral("\r\n");

    kv::SharedFile file;
    int cause = 0;
    const unsigned mode = kv::FileMode::Write | kv::FileMode::ShareExclusive
        | kv::FileMode::Create | kv::FileMode::NoTruncate | kv::FileMode::TypeBinary;
    if (!file.openRetrying(fileName, mode, kBusyRetry, &cause)) {
        if (cause != kv::FileCause::SharingViolation)
            kv::showFileError(fileName, cause);
        return;
    }
    if (file.seek(0, 2) < 0 || !file.write(kv::cp932::encode(line)) || !file.close()) {
        kv::showFileError(fileName, file.lastCause());
        return;
    }
    if (window) {
        // Events may only be sent to objects of the calling thread; a window
        // of another thread gets its own copy of the line, posted.
        if (window->thread() == QThread::currentThread()) {
            kv::LogEvent event(line);
            QCoreApplication::sendEvent(window, &event);
        } else {
            QCoreApplication::postEvent(window, new kv::LogEvent(line));
        }
    }
    QThread::msleep(kPauseAfterWriteMs);
}
