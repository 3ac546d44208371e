#include "SqlProbe.h"

#include "data/service/RecordCounters.h"
#include "data/tables/DataStore.h"
#include "data/tools/DataGenerator.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QtEndian>

using namespace kv::data;
using kv::test::TempFolder;
using kv::test::scalar;

namespace {

DataGenerator::Options small(int customers, int vehicles, int slips, int lines)
{
    DataGenerator::Options options;
    options.size = {customers, vehicles, slips, lines};
    options.seed = 7;
    options.today = QDate(2026, 12, 9);
    return options;
}

} // namespace

TEST(DataGenerator, EveryReferenceLeadsToAnExistingRecord)
{
    TempFolder temp;
    const QString folder = temp.file(QStringLiteral("bench"));
    QString error;
    ASSERT_TRUE(DataGenerator::generate(folder, small(40, 70, 90, 650), &error)) << error.toStdString();

    DataStore store;
    ASSERT_TRUE(store.open(folder));
    Connection& db = store.mainConnection();
    EXPECT_EQ(scalar(db, "SELECT count(*) FROM f010.Kok"), 40);
    EXPECT_EQ(scalar(db, "SELECT count(*) FROM f009.Car"), 70);
    EXPECT_EQ(scalar(db, "SELECT count(*) FROM f003.Syahead"), 90);
    EXPECT_EQ(scalar(db, "SELECT count(*) FROM f002.SyaJnl"), 650);
    EXPECT_EQ(scalar(db, "SELECT count(DISTINCT KokCode) FROM f010.Kok"), 40);
    EXPECT_EQ(scalar(db, "SELECT count(DISTINCT CarCode) FROM f009.Car"), 70);
    EXPECT_EQ(scalar(db, "SELECT count(DISTINCT DenNo) FROM f003.Syahead"), 90);

    // Vehicles belong to customers, who each hold at least one and know how many.
    EXPECT_EQ(scalar(db, "SELECT count(*) FROM f009.Car WHERE KokCode NOT IN (SELECT KokCode FROM f010.Kok)"), 0);
    EXPECT_EQ(scalar(db, "SELECT count(*) FROM f010.Kok k WHERE Hoyu <> "
                         "(SELECT count(*) FROM f009.Car c WHERE c.KokCode = k.KokCode)"), 0);
    EXPECT_EQ(scalar(db, "SELECT min(Hoyu) FROM f010.Kok"), 1);
    // Each has its balance record, at zero.
    EXPECT_EQ(scalar(db, "SELECT count(*) FROM f010.Kok k JOIN f014.Zan z ON z.KokCode = k.KokCode "
                         "WHERE z.KuriZan = 0"), 40);
    EXPECT_EQ(scalar(db, "SELECT count(*) FROM f014.Zan"), 40);
    EXPECT_EQ(scalar(db, "SELECT count(*) FROM f010.Kok WHERE SyoukaiKokCode >= KokCode"), 0);

    // Slips are of existing vehicles, billed to their owners.
    EXPECT_EQ(scalar(db, "SELECT count(*) FROM f003.Syahead h LEFT JOIN f009.Car c ON c.CarCode = h.CarCode "
                         "WHERE c.CarCode IS NULL OR c.KokCode <> h.SeiKokCode"), 0);
    // Lines belong to slips, numbered from 0 without gaps, and add up to their headers.
    EXPECT_EQ(scalar(db, "SELECT count(*) FROM f002.SyaJnl WHERE DenNo NOT IN (SELECT DenNo FROM f003.Syahead)"), 0);
    EXPECT_EQ(scalar(db, "SELECT count(*) FROM (SELECT DenNo FROM f002.SyaJnl GROUP BY DenNo "
                         "HAVING min(LineNo) <> 0 OR max(LineNo) <> count(*) - 1)"), 0);
    EXPECT_EQ(scalar(db, "SELECT count(*) FROM f003.Syahead h WHERE BuhiMeiTot <> "
                         "(SELECT coalesce(sum(Kingaku), 0) FROM f002.SyaJnl j WHERE j.DenNo = h.DenNo) "
                         "OR KouMeiTot <> (SELECT coalesce(sum(Koutin), 0) FROM f002.SyaJnl j WHERE j.DenNo = h.DenNo)"),
              0);
    EXPECT_EQ(scalar(db, "SELECT count(*) FROM f003.Syahead WHERE Tot <> BuhiKouTot + BuhiKouZei + SyoTot + SyoZei "
                         "OR Seikyu <> Tot - Azu"),
              0);
    EXPECT_EQ(scalar(db, "SELECT count(*) FROM f002.SyaJnl WHERE Kingaku <> Suuryo * Tanka / 10"), 0);
    // Slip numbers follow the issue dates.
    EXPECT_EQ(scalar(db, "SELECT count(*) FROM f003.Syahead a JOIN f003.Syahead b ON b.DenNo = a.DenNo + 1 "
                         "WHERE b.HatuDate < a.HatuDate"),
              0);
    EXPECT_EQ(scalar(db, "SELECT count(*) FROM f009.Car WHERE Syatai = '新規作成中' OR Syatai = ''"), 0);
    EXPECT_EQ(scalar(db, "SELECT count(*) FROM f010.Kok WHERE UserName1 = '新規作成中' OR Furi = ''"), 0);
    EXPECT_EQ(scalar(db, "SELECT count(*) FROM f003.Syahead WHERE NyuukoKbnCode NOT IN "
                         "(SELECT NyuukoKbnCode FROM f004.NyuukoKbn WHERE NyuukoKind NOT IN (7, 99))"),
              0);

    RecordCounters counters(folder);
    EXPECT_EQ(counters.RecordCounter(QStringLiteral("010.mdb"), RecordCounters::Read), 40);
    EXPECT_EQ(counters.RecordCounter(QStringLiteral("009.mdb"), RecordCounters::Read), 70);
    QFile slipCounter(folder + QStringLiteral("/015.dat"));
    ASSERT_TRUE(slipCounter.open(QIODevice::ReadOnly));
    const QByteArray last = slipCounter.readAll();
    ASSERT_EQ(last.size(), 4);
    EXPECT_EQ(qFromLittleEndian<qint32>(last.constData()), 90);
}

TEST(DataGenerator, FewerVehiclesThanCustomersAndSlipsWithoutLines)
{
    TempFolder temp;
    const QString folder = temp.file(QStringLiteral("bench"));
    ASSERT_TRUE(DataGenerator::generate(folder, small(30, 12, 20, 5)));
    DataStore store;
    ASSERT_TRUE(store.open(folder));
    Connection& db = store.mainConnection();
    EXPECT_EQ(scalar(db, "SELECT sum(Hoyu) FROM f010.Kok"), 12);
    EXPECT_EQ(scalar(db, "SELECT count(DISTINCT DenNo) FROM f002.SyaJnl"), 5);
    EXPECT_EQ(scalar(db, "SELECT count(*) FROM f003.Syahead WHERE BuhiMeiTot = 0 AND KouMeiTot = 0"), 15);
}

TEST(DataGenerator, ImpossibleSizesAreRefusedBeforeAnythingIsCreated)
{
    const DataGenerator::Size sizes[] = {
        {0, 5, 0, 0},       // vehicles without customers
        {5, 0, 3, 0},       // slips without vehicles
        {5, 5, 0, 10},      // lines without slips
        {1000000, 1, 0, 0}, // beyond the code range
        {5, 5, -1, 0},
    };
    for (const DataGenerator::Size& size : sizes) {
        SCOPED_TRACE(size.customers);
        TempFolder temp;
        const QString folder = temp.file(QStringLiteral("bench"));
        DataGenerator::Options options;
        options.size = size;
        QString error;
        EXPECT_FALSE(DataGenerator::generate(folder, options, &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_FALSE(QFileInfo::exists(folder));
    }
}
