#include "app/startup/DiskSpaceCheck.h"

#include "app/startup/StartupTexts.h"
#include "common/KVCommon.h"
#include "common/MessageGateway.h"

namespace kv::app {

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

bool DiskSpaceCheck::checkStart(const QString& folder) const
{
    switch (test(folder, StartMinimum)) {
    case Outcome::Enough:
        return true;
    case Outcome::Short:
        showMessage(StartupTexts::StartSpaceLow.arg(folder));
        return false;
    case Outcome::QueryFailed:
        break;
    }
    showMessage(StartupTexts::DiskQueryFailed);
    return false;
}

bool DiskSpaceCheck::CheckDiskSpaceForStart() const
{
    if (!checkStart(m_dataFolder))
        return false;
    return !m_isClient || checkStart(m_localDataFolder);
}

bool DiskSpaceCheck::CheckDiskSpaceForWrite() const
{
    switch (test(m_dataFolder, WriteMinimum)) {
    case Outcome::Enough:
        return true;
    case Outcome::Short:
        showMessage(StartupTexts::WriteSpaceLow.arg(m_dataFolder));
        return false;
    case Outcome::QueryFailed:
        break;
    }
    showMessage(StartupTexts::DiskQueryFailed);
    return false;
}

} // namespace kv::app
