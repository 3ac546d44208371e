#include "data/service/ExclusiveFileOpener.h"

#include "common/KVCommon.h"
#include "common/MessageGateway.h"
#include "common/platform/SharedFile.h"

namespace kv::data {

ExclusiveFileOpener::ExclusiveFileOpener(const ExclusiveOpenTiming& timing)
    : m_timing(timing)
{
}

ExclusiveFileOpener::Outcome ExclusiveFileOpener::open(SharedFile& file, const QString& path) const
{
    constexpr unsigned mode = FileMode::ReadWrite | FileMode::ShareExclusive | FileMode::Create
        | FileMode::NoTruncate;
    int cause = FileCause::None;
    if (file.openRetrying(path, mode, m_timing.timeoutMs, m_timing.intervalMs, &cause))
        return Outcome::Opened;
    if (cause == FileCause::SharingViolation)
        return Outcome::Busy;
    showFileError(path, cause);
    return Outcome::Failed;
}

void ExclusiveFileOpener::showFileError(const QString& path, int cause)
{
    QString message;
    CFileSetErrStr(message, path, cause);
    showMessage(message);
}

} // namespace kv::data
