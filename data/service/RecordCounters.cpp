#include "data/service/RecordCounters.h"

#include "common/FileErrorMessage.h"
#include "common/platform/SharedFile.h"
#include "data/service/FileMasks.h"

#include <QtEndian>

#include <limits>

namespace kv::data {

QString RecordCounters::counterFileOf(const QString& database)
{
    if (database == QLatin1String("012.mdb"))
        return QStringLiteral("100.dat");
    if (database == QLatin1String("011.mdb"))
        return QStringLiteral("101.dat");
    if (database == QLatin1String("010.mdb"))
        return QStringLiteral("102.dat");
    if (database == QLatin1String("009.mdb"))
        return QStringLiteral("103.dat");
    return {};
}

RecordCounters::RecordCounters(const QString& dataFolder, const RetryTiming& timing)
    : m_dataFolder(dataFolder)
    , m_opener(timing)
{
}

int RecordCounters::RecordCounter(const QString& database, int action,
                                  const std::function<int()>& count)
{
    const QString fileName = counterFileOf(database);
    if (fileName.isEmpty())
        return -1;
    if (action != Read && action != Increment && action != Decrement && action != Recount)
        return -1;
    if (action == Recount && !count)
        return -1;

    const QString path = m_dataFolder + QLatin1Char('/') + fileName;
    SharedFile file;
    if (m_opener.open(file, path) != ExclusiveFileOpener::Outcome::Opened)
        return -1;

    qint32 value = 0;
    if (action == Recount) {
        value = count();
        if (value < 0)
            return -1;
    } else {
        char stored[4] = {};
        const qint64 got = file.read(stored, sizeof stored);
        if (got < 0) {
            showFileError(path, file.lastCause());
            return -1;
        }
        // A counter file created empty (or cut short) has counted nothing
        // yet; its zero bytes would otherwise decode to the mask itself.
        value = got == qint64(sizeof stored) ? maskedCode(qFromLittleEndian<qint32>(stored)) : 0;
        if (action == Read)
            return value;
        if (action == Increment && value < std::numeric_limits<qint32>::max())
            ++value;
        else if (action == Decrement && value > 0)
            --value;
    }

    char stored[4];
    qToLittleEndian<qint32>(maskedCode(value), stored);
    if (file.seek(0) < 0 || !file.write(stored, sizeof stored) || !file.close()) {
        showFileError(path, file.lastCause());
        return -1;
    }
    return value;
}

} // namespace kv::data
