#include "data/document/DiskSpaceCheck.h"

#include "common/KVCommon.h"
#include "common/MessageGateway.h"

namespace kv::data {

DiskSpaceCheck::FreeBytesQuery DiskSpaceCheck::systemQuery()
{
    return [](const QString& folder, double* freeBytes) {
        double total = 0;
        return GetDiskFreeByteEx(folder, &total, freeBytes) != 0;
    };
}

bool DiskSpaceCheck::forWrite(const QString& dataFolder, const FreeBytesQuery& query)
{
    double freeBytes = 0;
    if (!query(dataFolder, &freeBytes)) {
        showMessage(QStringLiteral("空き容量チェックエラー"));
        return false;
    }
    if (freeBytes >= kMinimumForWrite)
        return true;
    showMessage(QStringLiteral("ドライブ (%1) の空き容量が１ＭＢ未満です！\n整理して空き容量を増やして下さい")
                    .arg(dataFolder));
    return false;
}

} // namespace kv::data
