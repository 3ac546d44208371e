#include "SearchTestFolder.h"

#include "data/settings/DefaultSettings.h"
#include "data/tables/DataFiles.h"

namespace kv::test {

SearchTestFolder::SearchTestFolder()
{
    m_open = data::createDataFolderDatabases(m_folder.path()) && data::writeDefaultSettings(m_folder.path())
        && m_store.open(m_folder.path());
}

VehicleBuilder SearchTestFolder::vehicle(int code, int customerCode, int plateNumber)
{
    return VehicleBuilder(code)
        .owner(customerCode)
        .plate(QStringLiteral("品川"), 500, QStringLiteral("あ"), plateNumber)
        .maker(1);
}

} // namespace kv::test
