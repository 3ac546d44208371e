// The panel's look-ups, stepping and write-back against a document on a
// fresh data folder.

#include "records/DocumentPanelSource.h"
#include "records/PanelLookup.h"
#include "records/PanelRecordBinding.h"

#include "data/document/DocumentTestFolder.h"
#include "data/engine/DayNumber.h"
#include "data/service/ShareLockAction.h"
#include "support/CustomerBuilder.h"
#include "support/Utf8.h"
#include "support/VehicleBuilder.h"

#include <QDate>

using namespace kv::records;
using F = kv::records::PanelField;
using kv::test::CustomerBuilder;
using kv::test::u;
using kv::test::VehicleBuilder;

namespace {

class PanelRecords : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = folder.open();
        ASSERT_TRUE(doc);
        // Customer 2 and vehicle 12 are placeholders; 4 names a referrer
        // that is gone; vehicle 13's owner is missing; 14's is a placeholder.
        kv::data::DataStore& store = doc->store();
        CustomerBuilder(1)
            .name(u("山田"), u("太郎"))
            .reading(u("ﾔﾏﾀﾞ"))
            .address(u("東京都港区1-1"), u("ビル3F"))
            .base(u("東京都港区1-1"), u("ビル3F"))
            .postalCode(1050001)
            .birthday(QDate(1982, 3, 15))
            .vehicles(2)
            .set(&CDaoKokSet::m_Sama, 1)
            .set(&CDaoKokSet::m_Nenga, 1)
            .set(&CDaoKokSet::m_Shime1, 20)
            .insertInto(store);
        CustomerBuilder(2).name(u("新規作成中")).insertInto(store);
        CustomerBuilder(3)
            .name(u("佐藤"))
            .reading(u("ｻﾄｳ"))
            .address(u("大阪府"))
            .referrer(1)
            .vehicles(1)
            .set(&CDaoKokSet::m_Sama, 2)
            .insertInto(store);
        CustomerBuilder(4).name(u("鈴木")).reading(u("ｽｽﾞｷ")).referrer(99).insertInto(store);
        VehicleBuilder(10)
            .owner(1)
            .plate(u("品川"), 500, u("あ"), 1234)
            .inspectionExpiry(QDate(2008, 6, 1))
            .insuranceExpiry(QDate(2024, 3, 31))
            .registered(QDate(2015, 4, 10))
            .firstRegistered(QDate(2015, 4, 15))
            .set(&CDaoCarSet::m_Haikiryo, 150)
            .set(&CDaoCarSet::m_Kata, 123)
            .set(&CDaoCarSet::m_Rui, 45)
            .set(&CDaoCarSet::m_Jibai, 27840)
            .chassis(u("A-1"))
            .maker(3)
            .insertInto(store);
        VehicleBuilder(11).owner(1).plate(u("練馬"), 300, u("さ"), 42).chassis(u("A-2")).insertInto(store);
        VehicleBuilder(12).chassis(u("新規作成中")).insertInto(store);
        VehicleBuilder(13).owner(77).chassis(u("B-1")).insertInto(store);
        VehicleBuilder(14).owner(2).chassis(u("C-1")).insertInto(store);
        VehicleBuilder(15).owner(3).chassis(u("D-1")).insertInto(store);
        requery("KokCode", "CarCode");
    }

    void requery(const char* customerSort, const char* vehicleSort)
    {
        doc->customers().SetSort(QString::fromLatin1(customerSort));
        doc->vehicles().SetSort(QString::fromLatin1(vehicleSort));
        ASSERT_TRUE(doc->customers().Requery());
        ASSERT_TRUE(doc->vehicles().Requery());
    }

    kv::test::DocumentTestFolder folder;
    std::unique_ptr<kv::data::CCarMaintenanceDoc> doc;
    std::unique_ptr<DocumentPanelSource> sourcePtr;
    DocumentPanelSource& source()
    {
        if (!sourcePtr)
            sourcePtr = std::make_unique<DocumentPanelSource>(*doc);
        return *sourcePtr;
    }
};

TEST_F(PanelRecords, CustomerIsShownWithItsFirstVehicleAndConversions)
{
    PanelLookup lookup(source());
    const PanelLookupResult result = lookup.customer(1);
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    ASSERT_TRUE(result.hasVehicle);
    const PanelValues& v = result.values;
    EXPECT_EQ(v.text(F::UserName1), u("山田"));
    EXPECT_EQ(v.text(F::Post), u("105-0001"));
    EXPECT_EQ(v.index(F::BurthEra), 3); // 昭和 in the birthday list
    EXPECT_EQ(v.text(F::Burth), u("57/03/15"));
    EXPECT_EQ(v.text(F::UseBase1), u("＊＊＊"));
    EXPECT_EQ(v.text(F::UseBase2), QString());
    EXPECT_EQ(v.text(F::Hoyu), u("2"));
    EXPECT_EQ(v.text(F::Shime1), u("20"));
    EXPECT_EQ(v.text(F::CarCode), u("10"));
    EXPECT_EQ(v.text(F::Rno), u("500"));
    EXPECT_EQ(v.text(F::Preno), u("1234"));
    EXPECT_EQ(v.text(F::Haikiryo), u("1.50"));
    EXPECT_EQ(v.text(F::Kata), u("00123"));
    EXPECT_EQ(v.text(F::Rui), u("0045"));
    EXPECT_EQ(v.text(F::Jibai), u("27,840"));
    EXPECT_EQ(v.text(F::Jyuryo), u("0"));
    EXPECT_EQ(v.text(F::Syaman), u("20/06/01")); // 平成20, shown with its own year
    EXPECT_EQ(v.text(F::Homan), u("06/03/31"));
    EXPECT_EQ(v.index(F::TounenEra), 2);        // 平成 in the vehicle list
    EXPECT_EQ(v.text(F::Tounen), u("27/04/10"));
    EXPECT_EQ(v.text(F::Syonen), u("27/04"));
    EXPECT_EQ(v.index(F::Syamei), 3);

    const PanelLookupResult alone = lookup.customer(4);
    ASSERT_TRUE(alone.ok);
    EXPECT_FALSE(alone.hasVehicle);
    EXPECT_EQ(alone.values.text(F::CarCode), QString());
    EXPECT_EQ(alone.values.text(F::Haikiryo), u("0.00"));
    EXPECT_EQ(alone.values.text(F::Jibai), u("0"));
    EXPECT_EQ(alone.values.text(F::SyoukaiName), u("該当紹介元顧客なし！"));
    EXPECT_EQ(doc->customers().m_KokCode, 4) << "the cursor stays on the shown customer";

    const PanelLookupResult referred = lookup.customer(3);
    ASSERT_TRUE(referred.ok);
    EXPECT_EQ(referred.values.text(F::SyoukaiKokCode), u("1"));
    EXPECT_EQ(referred.values.text(F::SyoukaiName), u("山田太郎"));
}

TEST_F(PanelRecords, MissingAndPlaceholderRecordsAreRefused)
{
    PanelLookup lookup(source());
    struct Case {
        bool vehicle;
        int code;
        const char* message;
    };
    const Case cases[] = {
        {false, 2, "該当顧客が存在しません！"},
        {false, 9, "該当顧客が存在しません！"},
        {true, 12, "該当車輌が存在しません！"},
        {true, 99, "該当車輌が存在しません！"},
        {true, 13, "該当顧客が存在しません！\nこの車輌は異常です！"},
        {true, 14, "該当車輛が存在しません！"},
    };
    for (const Case& c : cases) {
        const PanelLookupResult result = c.vehicle ? lookup.vehicle(c.code) : lookup.customer(c.code);
        EXPECT_FALSE(result.ok) << c.code;
        EXPECT_EQ(result.message, u(c.message)) << c.code;
    }
    const PanelLookupResult shown = lookup.vehicle(11);
    ASSERT_TRUE(shown.ok);
    EXPECT_EQ(shown.values.text(F::KokCode), u("1"));
    EXPECT_EQ(shown.values.text(F::Preno), u("42"));
}

TEST_F(PanelRecords, CodeBeingEnteredElsewhereIsNotShown)
{
    using kv::data::ShareLockAction::Claim;
    ASSERT_TRUE(doc->ShareLock(u("NewKokDummy"), u("PC2"), 3, Claim));
    PanelLookup lookup(source());
    EXPECT_EQ(lookup.customer(3).message, u("該当顧客が存在しません！"));
    EXPECT_TRUE(lookup.customer(1).ok);
    // This computer's own claim does not hide the code from itself.
    ASSERT_TRUE(doc->ShareLock(u("NewKokDummy"), doc->computerName(), 4, Claim));
    EXPECT_TRUE(lookup.customer(4).ok);
}

TEST_F(PanelRecords, SteppingSkipsPlaceholdersAndStopsAtTheEnds)
{
    PanelLookup lookup(source());
    using D = PanelLookup::Direction;
    struct Case {
        bool vehicles;
        int from;
        D direction;
        int shown; // 0: refused
        const char* message;
    };
    const Case cases[] = {
        {false, 1, D::Next, 3, ""},
        {false, 3, D::Previous, 1, ""},
        {false, 1, D::Previous, 0, "前にデータが存在しません！"},
        {false, 4, D::Next, 0, "次にデータが存在しません！"},
        {false, 9, D::Next, 0, "該当顧客が存在しません！"},
        {true, 10, D::Next, 11, ""},
        {true, 11, D::Next, 0, "該当顧客が存在しません！"}, // 13's owner is missing
        {true, 15, D::Next, 0, "次にデータが存在しません！"},
        {true, 10, D::Previous, 0, "前にデータが存在しません！"},
        {true, 99, D::Next, 0, "該当顧客が存在しません！\nこの車輌は異常です！"},
    };
    for (const Case& c : cases) {
        const PanelLookupResult result = c.vehicles ? lookup.stepVehicle(c.from, c.direction)
                                                    : lookup.stepCustomer(c.from, c.direction);
        EXPECT_EQ(result.ok, c.shown != 0) << c.from;
        EXPECT_EQ(result.message, u(c.message)) << c.from;
        if (c.shown) {
            EXPECT_EQ(result.values.text(c.vehicles ? F::CarCode : F::KokCode),
                      QString::number(c.shown)) << c.from;
        }
    }
}

TEST_F(PanelRecords, SteppingFollowsTheReadingOrder)
{
    requery("Furi, KokCode", "KokCode, CarCode");
    PanelLookup lookup(source());
    // ｻﾄｳ (3), ｽｽﾞｷ (4), ﾔﾏﾀﾞ (1); the placeholder's empty reading sorts first.
    EXPECT_EQ(lookup.stepCustomer(3, PanelLookup::Direction::Next).values.text(F::KokCode), u("4"));
    EXPECT_EQ(lookup.stepCustomer(4, PanelLookup::Direction::Next).values.text(F::KokCode), u("1"));
    EXPECT_EQ(lookup.stepCustomer(3, PanelLookup::Direction::Previous).message,
              u("前にデータが存在しません！"));
}

TEST_F(PanelRecords, UntouchedValuesWriteBackUnchanged)
{
    PanelLookup lookup(source());
    const PanelLookupResult result = lookup.customer(1);
    ASSERT_TRUE(result.ok);

    auto rowOf = [&](const char* table, const char* where) {
        QStringList cells;
        sqlite3_stmt* statement = nullptr;
        const QByteArray query = QByteArray("SELECT * FROM ") + table + " WHERE " + where;
        sqlite3_prepare_v2(doc->store().mainConnection().handle(), query.constData(), -1,
                           &statement, nullptr);
        if (sqlite3_step(statement) == SQLITE_ROW) {
            for (int i = 0; i < sqlite3_column_count(statement); ++i)
                cells << QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(statement, i)));
        }
        sqlite3_finalize(statement);
        return cells;
    };
    const QStringList kokBefore = rowOf("f010.Kok", "KokCode = 1");
    const QStringList carBefore = rowOf("f009.Car", "CarCode = 10");

    ASSERT_TRUE(doc->FindCustomer(1));
    ASSERT_TRUE(doc->customers().Edit());
    ASSERT_TRUE(PanelRecordBinding::writeCustomer(result.values, doc->customers()).ok);
    ASSERT_TRUE(doc->customers().Update());
    ASSERT_TRUE(doc->FindVehicle(10));
    ASSERT_TRUE(doc->vehicles().Edit());
    ASSERT_TRUE(PanelRecordBinding::writeVehicle(result.values, 1, doc->vehicles()).ok);
    ASSERT_TRUE(doc->vehicles().Update());

    // The 平成20 expiry date and the first registration on the 15th survive.
    EXPECT_EQ(rowOf("f010.Kok", "KokCode = 1"), kokBefore);
    EXPECT_EQ(rowOf("f009.Car", "CarCode = 10"), carBefore);
}

TEST_F(PanelRecords, EditedValuesAreConvertedBack)
{
    PanelLookupResult result = PanelLookup(source()).customer(1);
    ASSERT_TRUE(result.ok);
    PanelValues values = result.values;
    values.setText(F::Syaman, u("30/01/01"));
    values.setText(F::Homan, u("05/01/01"));
    values.setText(F::Haikiryo, u("1.5"));
    values.setText(F::Jibai, u("1,234,567"));
    values.setText(F::Kata, u("00042"));
    values.setText(F::Syonen, u("05/06"));
    values.setIndex(F::SyonenEra, 3);
    values.setText(F::Post, u("123-4567"));
    values.setText(F::UseBase1, u("＊＊＊"));
    values.setText(F::UseBase2, QString());
    values.setIndex(F::BurthEra, 0);
    values.setText(F::Burth, QString());

    CDaoKokSet& kok = doc->customers();
    CDaoCarSet& car = doc->vehicles();
    ASSERT_TRUE(PanelRecordBinding::writeCustomer(values, kok).ok);
    ASSERT_TRUE(PanelRecordBinding::writeVehicle(values, 1, car).ok);
    using kv::data::toDayNumber;
    EXPECT_EQ(car.m_Syaman, toDayNumber(QDate(2018, 1, 1)));
    EXPECT_EQ(car.m_Homan, toDayNumber(QDate(2023, 1, 1)));
    EXPECT_EQ(car.m_Syonen, toDayNumber(QDate(2023, 6, 1)));
    EXPECT_EQ(car.m_Haikiryo, 150);
    EXPECT_EQ(car.m_Jibai, 1234567);
    EXPECT_EQ(car.m_Kata, 42);
    EXPECT_EQ(car.m_KokCode, 1);
    EXPECT_EQ(kok.m_Post, 1234567);
    EXPECT_EQ(kok.m_UseBase1, u("東京都港区1-1"));
    EXPECT_EQ(kok.m_UseBase2, u("ビル3F"));
    EXPECT_EQ(kok.m_Burth, kv::data::kEmptyDate);

    // A date without its era points at the era list.
    values.setText(F::Burth, u("57/03/15"));
    WriteBackResult failure = PanelRecordBinding::writeCustomer(values, kok);
    EXPECT_FALSE(failure.ok);
    EXPECT_EQ(failure.field, F::BurthEra);
    EXPECT_EQ(failure.message, u("元号を指定して下さい！"));
    values.setIndex(F::BurthEra, 3);
    values.setText(F::Burth, QString());
    failure = PanelRecordBinding::writeCustomer(values, kok);
    EXPECT_EQ(failure.field, F::Burth);
    EXPECT_EQ(failure.message, u("日付を入力してください！"));
}

} // namespace
