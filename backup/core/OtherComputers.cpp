#include "backup/core/OtherComputers.h"

#include "data/service/LockResources.h"
#include "data/service/ShareLockTable.h"

#include <QFile>

namespace kv::backup {

QString OtherComputers::holdingLocks(const QString& dataFolder, const QString& computer)
{
    const QByteArray own = data::ShareLockTable::storedName(computer);
    for (const QString& resource : data::LockResources::names()) {
        QFile file(dataFolder + u'/' + data::LockResources::lockFileOf(resource));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const data::ShareLockTable table =
            data::ShareLockTable::fromBytes(file.read(data::ShareLockTable::kFileSize));
        for (int slot = 0; slot < data::ShareLockTable::kSlotCount; ++slot) {
            if (!table.isFree(slot) && table.codeOf(slot) != 0
                && table.slotOf(own) != slot)
                return resource;
        }
    }
    return QString();
}

} // namespace kv::backup
