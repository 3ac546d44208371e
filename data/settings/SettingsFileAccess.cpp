#include "data/settings/SettingsFileAccess.h"

#include "common/KVCommon.h"
#include "common/MessageGateway.h"

namespace kv::data {

namespace {
unsigned sharing(bool shareAll)
{
    return shareAll ? FileMode::ShareDenyNone : FileMode::ShareDenyWrite;
}
}

SettingsFileAccess::SettingsFileAccess(RetryClock& clock, const RetryTiming& timing)
    : m_clock(&clock)
    , m_timing(timing)
{
}

void SettingsFileAccess::showFileError(const QString& path, int cause)
{
    QString message;
    CFileSetErrStr(message, path, cause);
    showMessage(message);
}

SettingsFileAccess::Outcome SettingsFileAccess::open(SharedFile& file, const QString& path,
                                                     unsigned mode, RetryRule rule)
{
    m_clock->restart();
    int cause = FileCause::None;
    for (;;) {
        if (file.open(path, mode, &cause))
            return Outcome::Done;
        if (cause != FileCause::SharingViolation || rule == RetryRule::None)
            return Outcome::Failed;
        if (rule == RetryRule::GiveUp && m_clock->elapsedMs() >= m_timing.giveUpMs)
            return Outcome::GaveUp;
        m_clock->sleepMs(m_timing.intervalMs);
    }
}

SettingsFileAccess::Outcome SettingsFileAccess::read(const QString& path, qsizetype maxBytes,
                                                     bool shareAll, RetryRule rule,
                                                     QByteArray* bytes, bool quietWhenMissing)
{
    SharedFile file;
    const Outcome opened = open(file, path, FileMode::Read | sharing(shareAll), rule);
    if (opened == Outcome::Failed) {
        if (quietWhenMissing && file.lastCause() == FileCause::FileNotFound)
            return Outcome::Missing;
        showFileError(path, file.lastCause());
        return Outcome::Failed;
    }
    if (opened != Outcome::Done)
        return opened;

    QByteArray buffer(maxBytes, '\0');
    const qint64 got = file.read(buffer.data(), maxBytes);
    if (got < 0) {
        showFileError(path, file.lastCause());
        return Outcome::Failed;
    }
    buffer.truncate(got);
    *bytes = buffer;
    return Outcome::Done;
}

SettingsFileAccess::Outcome SettingsFileAccess::write(const QString& path, const QByteArray& bytes,
                                                      bool shareAll, RetryRule rule)
{
    SharedFile file;
    const unsigned mode = FileMode::Write | FileMode::Create | FileMode::NoTruncate
        | sharing(shareAll);
    const Outcome opened = open(file, path, mode, rule);
    if (opened == Outcome::Failed) {
        showFileError(path, file.lastCause());
        return Outcome::Failed;
    }
    if (opened != Outcome::Done)
        return opened;
    if (file.seek(0) < 0 || !file.write(bytes)) {
        showFileError(path, file.lastCause());
        return Outcome::Failed;
    }
    file.flush();
    return Outcome::Done;
}

} // namespace kv::data
