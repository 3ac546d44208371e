// The record builders write the columns they are given and leave every
// other column as the program leaves a new record.

#include "support/CustomerBuilder.h"
#include "support/ItemBuilder.h"
#include "support/TempFolder.h"
#include "support/VehicleBuilder.h"

#include "data/engine/DayNumber.h"
#include "data/tables/DataFiles.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using namespace kv::test;

namespace {

class RecordBuilders : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(kv::data::createDataFolderDatabases(folder.path()));
    }
    TempFolder folder;
};

TEST_F(RecordBuilders, CustomerColumnsAndDefaults)
{
    ASSERT_TRUE(CustomerBuilder(7)
                    .name("山田", "太郎")
                    .reading("ﾔﾏﾀﾞ")
                    .address("東京都港区", "ビル3F")
                    .postalCode(1050011)
                    .birthday(QDate(1982, 3, 15))
                    .vehicles(2)
                    .set(&CDaoKokSet::m_Nenga, 1)
                    .insertInto(folder.path()));

    kv::data::DataStore store;
    ASSERT_TRUE(store.open(folder.path()));
    CDaoKokSet set(store.connectionFor(CDaoKokSet::tableDef()));
    ASSERT_TRUE(set.Open());
    ASSERT_TRUE(set.FindFirst(QStringLiteral("KokCode = 7")));
    EXPECT_EQ(set.m_UserName1 + set.m_UserName2, QStringLiteral("山田太郎"));
    EXPECT_EQ(set.m_Furi, QStringLiteral("ﾔﾏﾀﾞ"));
    EXPECT_EQ(set.m_UserJyu1 + set.m_UserJyu2, QStringLiteral("東京都港区ビル3F"));
    EXPECT_EQ(set.m_Post, 1050011);
    EXPECT_EQ(set.m_Burth, kv::data::toDayNumber(QDate(1982, 3, 15)));
    EXPECT_EQ(set.m_Hoyu, 2);
    EXPECT_EQ(set.m_Nenga, 1);
    // Untouched: as a new record of the program.
    EXPECT_EQ(set.m_Tel1, QString());
    EXPECT_EQ(set.m_SyoukaiKokCode, 0);

    // Vehicles and items go the same way, on an open store.
    ASSERT_TRUE(VehicleBuilder(10).owner(7).plate("品川", 500, "あ", 1234).chassis("A-1").insertInto(store));
    ASSERT_TRUE(ItemBuilder(3).text("ワイパー").reading("ﾜ").category(5).price(1200).insertInto(store));
    CDaoCarSet car(store.connectionFor(CDaoCarSet::tableDef()));
    ASSERT_TRUE(car.Open());
    ASSERT_TRUE(car.FindFirst(QStringLiteral("CarCode = 10")));
    EXPECT_EQ(car.m_KokCode, 7);
    EXPECT_EQ(car.m_Rikuji + QString::number(car.m_Rno) + car.m_Kana + QString::number(car.m_Preno),
              QStringLiteral("品川500あ1234"));
    EXPECT_EQ(car.m_Syatai, QStringLiteral("A-1"));
    EXPECT_EQ(car.m_Syaman, kv::data::kEmptyDate) << "an unset date is the empty date";
    CDaoMeisaiSet item(store.connectionFor(CDaoMeisaiSet::tableDef()));
    ASSERT_TRUE(item.Open());
    ASSERT_TRUE(item.FindFirst(QStringLiteral("MeisaiCode = 3")));
    EXPECT_EQ(item.m_Meisai, QStringLiteral("ワイパー"));
    EXPECT_EQ(item.m_Kubun, 5);
    EXPECT_EQ(item.m_Tanka, 1200);
}

TEST_F(RecordBuilders, ARowTheEngineRefusesIsATestFailure)
{
    kv::data::DataStore closed;
    bool inserted = true;
    EXPECT_NONFATAL_FAILURE(inserted = CustomerBuilder(1).insertInto(closed), "");
    EXPECT_FALSE(inserted);
}

} // namespace
