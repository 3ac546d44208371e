#include "common/DiskSpaceCheck.h"

#include "common/KVCommon.h"
#include "common/MessageGateway.h"

namespace kv {

namespace {
const QString kQueryFailed = QStringLiteral("空き容量チェックエラー");
const QString kStartSpaceLow = QStringLiteral(
    "ドライブ (%1) の空き容量が１ＧＢ未満です！\nディスクの空き容量が少ない状態での実行は\n"
    "誤動作やデータ破損の原因になります。\n整理して空き容量を増やして下さい。");
const QString kWriteSpaceLow =
    QStringLiteral("ドライブ (%1) の空き容量が１ＭＢ未満です！\n整理して空き容量を増やして下さい");
} // namespace

DiskSpaceCheck::DiskSpaceCheck(QString dataFolder, QString localDataFolder, bool isClient,
                               FreeSpaceQuery query)
    : m_dataFolder(std::move(dataFolder))
    , m_localDataFolder(std::move(localDataFolder))
    , m_isClient(isClient)
    , m_query(std::move(query))
{
}

DiskSpaceCheck::FreeSpaceQuery DiskSpaceCheck::systemQuery()
{
    return [](const QString& root, double* freeBytes) {
        double total = 0;
        return GetDiskFreeByteEx(root, &total, freeBytes) != 0;
    };
}

DiskSpaceCheck::Outcome DiskSpaceCheck::test(const QString& folder, double minimum) const
{
    QString root = folder;
    if (root.startsWith(QStringLiteral("//")) && !root.endsWith(QLatin1Char('/')))
        root += QLatin1Char('/');
    double freeBytes = 0;
    if (!m_query || !m_query(root, &freeBytes))
        return Outcome::QueryFailed;
    return freeBytes >= minimum ? Outcome::Enough : Outcome::Short;
}

bool DiskSpaceCheck::check(const QString& folder, double minimum, const QString& shortText) const
{
    switch (test(folder, minimum)) {
    case Outcome::Enough:
        return true;
    case Outcome::Short:
        showMessage(shortText.arg(folder));
        return false;
    case Outcome::QueryFailed:
        break;
    }
    showMessage(kQueryFailed);
    return false;
}

bool DiskSpaceCheck::CheckDiskSpaceForStart() const
{
    if (!check(m_dataFolder, StartMinimum, kStartSpaceLow))
        return false;
    return !m_isClient || check(m_localDataFolder, StartMinimum, kStartSpaceLow);
}

bool DiskSpaceCheck::CheckDiskSpaceForWrite() const
{
    return check(m_dataFolder, WriteMinimum, kWriteSpaceLow);
}

} // namespace kv
