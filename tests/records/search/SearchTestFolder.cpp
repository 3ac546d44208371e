#include "SearchTestFolder.h"

#include "data/settings/DefaultSettings.h"
#include "data/tables/DaoRecordsets.h"
#include "data/tables/DataFiles.h"

#include <gtest/gtest.h>

namespace kv::test {

SearchTestFolder::SearchTestFolder()
{
    m_open = data::createDataFolderDatabases(m_folder.path()) && data::writeDefaultSettings(m_folder.path())
        && m_store.open(m_folder.path());
}

void SearchTestFolder::addCustomer(int code, const QString& userName1, const QString& reading,
                                   const QString& address, int vehicles)
{
    CDaoKokSet set(m_store.connectionFor(CDaoKokSet::tableDef()));
    ASSERT_TRUE(set.Open());
    ASSERT_TRUE(set.AddNew());
    set.m_KokCode = code;
    set.m_UserName1 = userName1;
    set.m_UserName2 = QStringLiteral("様");
    set.m_Furi = reading;
    set.m_UserJyu1 = address;
    set.m_UserJyu2 = QStringLiteral("1-1");
    set.m_Hoyu = vehicles;
    ASSERT_TRUE(set.Update()) << set.lastError().description.toStdString();
}

void SearchTestFolder::addVehicle(int code, int customerCode, int plateNumber, const QString& model,
                                  const QString& chassis, double inspectionExpiry)
{
    CDaoCarSet set(m_store.connectionFor(CDaoCarSet::tableDef()));
    ASSERT_TRUE(set.Open());
    ASSERT_TRUE(set.AddNew());
    set.m_CarCode = code;
    set.m_KokCode = customerCode;
    set.m_Rikuji = QStringLiteral("品川");
    set.m_Rno = 500;
    set.m_Kana = QStringLiteral("あ");
    set.m_Preno = plateNumber;
    set.m_Syamei = 1;
    set.m_Syasyu = model;
    set.m_Syatai = chassis;
    set.m_Syaman = inspectionExpiry;
    ASSERT_TRUE(set.Update()) << set.lastError().description.toStdString();
}

} // namespace kv::test
