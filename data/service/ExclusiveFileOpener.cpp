#include "data/service/ExclusiveFileOpener.h"

#include "common/FileErrorMessage.h"
#include "common/platform/SharedFile.h"

namespace kv::data {

ExclusiveFileOpener::ExclusiveFileOpener(const RetryTiming& timing)
    : m_timing(timing)
{
}

ExclusiveFileOpener::Outcome ExclusiveFileOpener::open(SharedFile& file, const QString& path) const
{
    constexpr unsigned mode = FileMode::ReadWrite | FileMode::ShareExclusive | FileMode::Create
        | FileMode::NoTruncate;
    int cause = FileCause::None;
    if (file.openRetrying(path, mode, m_timing, &cause))
        return Outcome::Opened;
    if (cause == FileCause::SharingViolation)
        return Outcome::Busy;
    showFileError(path, cause);
    return Outcome::Failed;
}

} // namespace kv::data
