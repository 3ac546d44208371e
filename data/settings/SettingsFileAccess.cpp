#include "data/settings/SettingsFileAccess.h"

#include "common/FileErrorMessage.h"

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

SettingsFileAccess::Outcome SettingsFileAccess::open(SharedFile& file, const QString& path,
                                                     unsigned mode, RetryRule rule)
{
    RetryTiming timing = m_timing;
    if (rule == RetryRule::None)
        timing.timeoutMs = 0; // one attempt
    else if (rule == RetryRule::UntilSuccess)
        timing.timeoutMs = -1;
    int cause = FileCause::None;
    if (file.openRetrying(path, mode, timing, &cause, nullptr, *m_clock))
        return Outcome::Done;
    if (cause == FileCause::SharingViolation && rule == RetryRule::GiveUp)
        return Outcome::GaveUp;
    return Outcome::Failed;
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
