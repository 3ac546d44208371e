#include "common/Cp932.h"
#include "data/engine/DayNumber.h"
#include "data/service/RecordCounters.h"
#include "data/settings/DefaultSettings.h"
#include "data/tables/DaoRecordsets.h"
#include "data/tables/DataStore.h"
#include "data/tools/DataFolderCreator.h"
#include "data/tools/DemoData.h"
#include "data/tools/SampleRecordMaker.h"
#include "SqlProbe.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QMap>
#include <QRegularExpression>

using namespace kv::data;
using kv::test::TempFolder;

namespace {

const QDate kToday(2026, 12, 9);
const QString kPlaceholder = QStringLiteral("新規作成中");

bool isHalfWidthReading(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c != u' ' && (c.unicode() < 0xFF61 || c.unicode() > 0xFF9F))
            return false;
    }
    return true;
}

// Limits of the form fields, in CP932 bytes.
void expectFits(const QMap<const char*, std::pair<QString, int>>& fields)
{
    for (auto it = fields.begin(); it != fields.end(); ++it) {
        EXPECT_TRUE(kv::cp932::isRepresentable(it.value().first)) << it.key();
        EXPECT_LE(kv::cp932::byteLength(it.value().first), it.value().second)
            << it.key() << " " << it.value().first.toStdString();
        EXPECT_FALSE(it.value().first.contains(kPlaceholder)) << it.key();
    }
}

class DemoFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(DataFolderCreator::create(m_temp.path()));
        QString error;
        ASSERT_TRUE(DemoData::write(m_temp.path(), kToday, &error)) << error.toStdString();
        ASSERT_TRUE(m_store.open(m_temp.path()));
    }

    TempFolder m_temp;
    DataStore m_store;
};

} // namespace

TEST_F(DemoFolder, CustomersAreRealAndHoldTheirVehicles)
{
    CDaoKokSet customers(m_store.connectionFor(CDaoKokSet::tableDef()));
    CDaoCarSet vehicles(m_store.connectionFor(CDaoCarSet::tableDef()));
    CDaoZanSet balances(m_store.connectionFor(CDaoZanSet::tableDef()));
    ASSERT_TRUE(customers.Open());
    ASSERT_TRUE(vehicles.Open());
    ASSERT_TRUE(balances.Open());
    ASSERT_TRUE(customers.MoveLast());
    EXPECT_EQ(customers.GetRecordCount(), DemoData::kCustomers);

    const QRegularExpression phone(QStringLiteral("^0\\d{1,4}-\\d{2,4}-\\d{4}$"));
    for (customers.MoveFirst(); !customers.IsEOF(); customers.MoveNext()) {
        SCOPED_TRACE(customers.m_KokCode);
        expectFits({{"OwnerName1", {customers.m_OwnerName1, 20}},
                    {"UserName1", {customers.m_UserName1, 20}},
                    {"Furi", {customers.m_Furi, 20}},
                    {"OwnerJyu1", {customers.m_OwnerJyu1, 30}},
                    {"OwnerJyu2", {customers.m_OwnerJyu2, 30}},
                    {"UseBase1", {customers.m_UseBase1, 30}},
                    {"Tel1", {customers.m_Tel1, 20}},
                    {"KokBiko1", {customers.m_KokBiko1, 30}}});
        EXPECT_FALSE(customers.m_OwnerName1.isEmpty());
        EXPECT_TRUE(isHalfWidthReading(customers.m_Furi)) << customers.m_Furi.toStdString();
        EXPECT_TRUE(phone.match(customers.m_Tel1).hasMatch()) << customers.m_Tel1.toStdString();
        EXPECT_GE(customers.m_Post, 1000000);
        EXPECT_LE(customers.m_Post, 9999999);
        EXPECT_TRUE(customers.m_OwnerJyu1.contains(QRegularExpression(QStringLiteral("^.+[都道府県]"))));
        EXPECT_GE(customers.m_Sama, 1);
        EXPECT_LT(customers.m_SyoukaiKokCode, customers.m_KokCode);

        vehicles.SetFilter(QStringLiteral("KokCode = %1").arg(customers.m_KokCode));
        ASSERT_TRUE(vehicles.Requery());
        if (!vehicles.IsEOF())
            vehicles.MoveLast();
        EXPECT_EQ(vehicles.GetRecordCount(), customers.m_Hoyu);
        EXPECT_GE(customers.m_Hoyu, 1);

        // Its carried-forward balance can be set at once.
        balances.SetFilter(QStringLiteral("KokCode = %1").arg(customers.m_KokCode));
        ASSERT_TRUE(balances.Requery());
        ASSERT_FALSE(balances.IsEOF());
        EXPECT_EQ(balances.m_KuriZan, 0);
    }
    EXPECT_EQ(RecordCounters(m_temp.path()).RecordCounter(QStringLiteral("010.mdb"), RecordCounters::Read),
              DemoData::kCustomers);
}

TEST_F(DemoFolder, VehiclesCarryPlatesCertificateDataAndDatesAroundToday)
{
    const SettingsList offices = DefaultSettings::transportOffices();
    const SettingsList makes = DefaultSettings::makes();
    CDaoCarSet vehicles(m_store.connectionFor(CDaoCarSet::tableDef()));
    ASSERT_TRUE(vehicles.Open());
    int count = 0;
    for (; !vehicles.IsEOF(); vehicles.MoveNext(), ++count) {
        SCOPED_TRACE(vehicles.m_CarCode);
        expectFits({{"Rikuji", {vehicles.m_Rikuji, 8}},
                    {"Kana", {vehicles.m_Kana, 2}},
                    {"Syasyu", {vehicles.m_Syasyu, 30}},
                    {"Katasiki", {vehicles.m_Katasiki, 20}},
                    {"Syatai", {vehicles.m_Syatai, 22}},
                    {"Gendoki", {vehicles.m_Gendoki, 20}},
                    {"CarBiko1", {vehicles.m_CarBiko1, 30}}});
        EXPECT_TRUE(offices.entries().contains(vehicles.m_Rikuji)) << vehicles.m_Rikuji.toStdString();
        EXPECT_GE(vehicles.m_Rno, 100);
        EXPECT_LE(vehicles.m_Rno, 999);
        EXPECT_EQ(vehicles.m_Kana.size(), 1);
        EXPECT_GE(vehicles.m_Preno, 1);
        EXPECT_LE(vehicles.m_Preno, 9999);
        EXPECT_FALSE(makes.entry(vehicles.m_Syamei).isEmpty());
        EXPECT_GT(vehicles.m_Syubetu, 0);
        EXPECT_GT(vehicles.m_Nenryo, 0);
        EXPECT_FALSE(vehicles.m_Syatai.isEmpty());

        const QDate first = fromDayNumber(vehicles.m_Syonen).date();
        const QDate registered = fromDayNumber(vehicles.m_Tounen).date();
        const QDate expiry = fromDayNumber(vehicles.m_Syaman).date();
        EXPECT_EQ(first.day(), 1);
        EXPECT_LE(first, registered);
        EXPECT_LE(registered, kToday);
        EXPECT_GT(expiry, registered);
        EXPECT_GE(expiry, kToday.addDays(-60));
        EXPECT_LE(expiry, kToday.addYears(3));
        EXPECT_GE(vehicles.m_Yuko, 1);
    }
    EXPECT_EQ(RecordCounters(m_temp.path()).RecordCounter(QStringLiteral("009.mdb"), RecordCounters::Read), count);
}

TEST_F(DemoFolder, ItemsAreTheUsualWorkAndPartsWithCategoriesOfTheShop)
{
    const CategoryNames categories = DefaultSettings::categories();
    CDaoMeisaiSet items(m_store.connectionFor(CDaoMeisaiSet::tableDef()));
    items.SetSort(QStringLiteral("MeisaiCode"));
    ASSERT_TRUE(items.Open());
    int expectedCode = 1;
    bool bodyWork = false;
    for (; !items.IsEOF(); items.MoveNext(), ++expectedCode) {
        SCOPED_TRACE(items.m_MeisaiCode);
        EXPECT_EQ(items.m_MeisaiCode, expectedCode);
        EXPECT_FALSE(items.m_Meisai.isEmpty());
        EXPECT_NE(items.m_Meisai, kPlaceholder);
        EXPECT_TRUE(isHalfWidthReading(items.m_Furi)) << items.m_Furi.toStdString();
        ASSERT_GE(items.m_Kubun, 0);
        ASSERT_LT(items.m_Kubun, CategoryNames::kCount);
        EXPECT_FALSE(categories.names[size_t(items.m_Kubun)].isEmpty());
        EXPECT_GE(items.m_Tanka, 0);
        bodyWork = bodyWork || items.m_Kubun == 15 || items.m_Kubun == 16;
    }
    EXPECT_EQ(expectedCode - 1, SampleRecordMaker::itemCount());
    EXPECT_TRUE(bodyWork);
}

TEST_F(DemoFolder, ModelPickListHoldsTheVehiclesModelsUnderTheirMakes)
{
    CDaoCarSet vehicles(m_store.connectionFor(CDaoCarSet::tableDef()));
    CDaoSyasyuSet models(m_store.connectionFor(CDaoSyasyuSet::tableDef()));
    ASSERT_TRUE(vehicles.Open());
    ASSERT_TRUE(models.Open());
    ASSERT_TRUE(models.MoveLast());
    EXPECT_EQ(models.GetRecordCount(), SampleRecordMaker::modelCount());
    for (; !vehicles.IsEOF(); vehicles.MoveNext()) {
        EXPECT_TRUE(models.FindFirst(QStringLiteral("SyameiNo = %1 AND Syasyu = \"%2\"")
                                         .arg(vehicles.m_Syamei)
                                         .arg(vehicles.m_Syasyu)))
            << vehicles.m_Syasyu.toStdString();
    }
}

TEST_F(DemoFolder, LedgerHoldsAYearOfSalesInSeveralCategoriesAndTheirPayments)
{
    Connection& db = m_store.mainConnection();
    using kv::test::scalar;
    const double tomorrow = toDayNumber(kToday.addDays(1));
    const double yearAgo = toDayNumber(QDate(2025, 12, 1));
    // Every month of the last twelve has sales, in several categories.
    EXPECT_EQ(scalar(db, "SELECT count(DISTINCT strftime('%Y%m', Date + 2415018.5)) FROM f013.ToriJnl "
                         "WHERE ToriKbn <> 2"),
              12);
    EXPECT_GE(scalar(db, "SELECT count(DISTINCT NyuukoKbnCode) FROM f013.ToriJnl WHERE ToriKbn <> 2"), 5);
    EXPECT_GT(scalar(db, "SELECT count(*) FROM f013.ToriJnl WHERE ToriKbn = 2"), 0);
    EXPECT_EQ(scalar(db, QByteArray("SELECT count(*) FROM f013.ToriJnl WHERE Date < ") + QByteArray::number(yearAgo)
                             + " OR Date >= " + QByteArray::number(tomorrow)),
              0);
    // Payments are of the payment category and never more than was bought.
    EXPECT_EQ(scalar(db, "SELECT count(*) FROM f013.ToriJnl t JOIN f004.NyuukoKbn k "
                         "ON k.NyuukoKbnCode = t.NyuukoKbnCode WHERE (t.ToriKbn = 2) <> (k.NyuukoKind = 99) "
                         "OR GTot <> Tot - Nyu - NyuCho AND ToriKbn <> 2"),
              0);
    EXPECT_EQ(scalar(db, "SELECT count(*) FROM (SELECT KokCode FROM f013.ToriJnl GROUP BY KokCode "
                         "HAVING sum(GTot) < 0)"),
              0);
}
