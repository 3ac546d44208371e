#include "data/service/SlipNumberCounter.h"

#include "common/FileErrorMessage.h"
#include "common/platform/SharedFile.h"

#include <QtEndian>

namespace kv::data {

namespace {
int following(int number)
{
    return number >= SlipNumberCounter::kMaxSlipNumber || number < 1 ? 1 : number + 1;
}
}

SlipNumberCounter::SlipNumberCounter(const QString& dataFolder, const RetryTiming& timing)
    : m_dataFolder(dataFolder)
    , m_opener(timing)
{
}

QString SlipNumberCounter::counterPath() const
{
    return m_dataFolder + QStringLiteral("/015.dat");
}

int SlipNumberCounter::NextSlipNumber(const std::function<bool(int)>& isUsed)
{
    const QString path = counterPath();
    SharedFile file;
    if (m_opener.open(file, path) != ExclusiveFileOpener::Outcome::Opened)
        return 0;

    char stored[4] = {};
    const qint64 got = file.read(stored, sizeof stored);
    if (got < 0) {
        showFileError(path, file.lastCause());
        return 0;
    }
    // A new (empty) counter has handed out nothing yet.
    const qint32 last = got == qint64(sizeof stored) ? qFromLittleEndian<qint32>(stored) : 0;

    int number = following(last);
    int tried = 0;
    while (isUsed && isUsed(number)) {
        if (++tried == kMaxSlipNumber)
            return 0;
        number = following(number);
    }

    qToLittleEndian<qint32>(number, stored);
    if (file.seek(0) < 0 || !file.write(stored, sizeof stored) || !file.close()) {
        showFileError(path, file.lastCause());
        return 0;
    }
    return number;
}

} // namespace kv::data
