#include "uninstall/core/DataFolderUse.h"

#include "data/service/LockResources.h"
#include "data/service/ShareLockTable.h"

#include <QFile>

namespace kv::uninstall {

DataFolderUse DataFolderUse::read(const QString& dataFolder, const QString& ownName)
{
    using data::ShareLockTable;
    DataFolderUse use;
    const QByteArray own = ShareLockTable::storedName(ownName);
    for (const QString& resource : data::LockResources::names()) {
        const QString path = dataFolder + QLatin1Char('/') + data::LockResources::lockFileOf(resource);
        QFile file(path);
        if (!file.exists())
            continue;
        if (!file.open(QIODevice::ReadOnly)) {
            use.unreadable = path;
            return use;
        }
        const ShareLockTable table = ShareLockTable::fromBytes(file.read(ShareLockTable::kFileSize));
        for (int slot = 0; slot < ShareLockTable::kSlotCount; ++slot) {
            if (table.isFree(slot) || table.codeOf(slot) == 0 || table.slotOf(own) == slot)
                continue;
            const QString name = table.nameOf(slot);
            if (!use.otherComputers.contains(name))
                use.otherComputers << name;
        }
    }
    return use;
}

} // namespace kv::uninstall
