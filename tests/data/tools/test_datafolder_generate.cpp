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

namespace {

// What holds of every ledger, however many rows it was asked for.
void expectLedgerKeepsToItsSlips(Connection& db)
{
    // Each delivery note, and nothing else, has its row in the billing
    // customer's ledger, with the slip's amounts.
    EXPECT_EQ(scalar(db, "SELECT count(*) FROM f013.ToriJnl t LEFT JOIN f003.Syahead h ON h.DenNo = t.DenNo "
                         "WHERE t.DenFlag = 1 AND (h.DenNo IS NULL OR h.DenKind <> 0 OR t.KokCode <> h.SeiKokCode "
                         "OR t.NyuukoKbnCode <> h.NyuukoKbnCode OR t.CarCode <> h.CarCode OR t.Buhin <> h.BuhiTot "
                         "OR t.Koutin <> h.KouTot OR t.Zei <> h.BuhiKouZei OR t.Tot <> h.Tot "
                         "OR t.GTot <> h.Seikyu OR t.Nyu <> h.Azu OR CAST(t.Date AS INTEGER) <> h.HatuDate)"),
              0);
    EXPECT_EQ(scalar(db, "SELECT count(*) FROM (SELECT DenNo FROM f013.ToriJnl WHERE DenFlag = 1 "
                         "GROUP BY DenNo HAVING count(*) > 1)"),
              0);
    // The plate is the vehicle's.
    EXPECT_EQ(scalar(db, "SELECT count(*) FROM f013.ToriJnl t JOIN f009.Car c ON c.CarCode = t.CarCode "
                         "WHERE t.DenFlag = 1 AND (t.Rikuji <> c.Rikuji OR t.Rno <> c.Rno OR t.Kana <> c.Kana "
                         "OR t.Preno <> c.Preno)"),
              0);
    // Sales add up and say whether they were paid; payments are of the
    // payment category and lower the balance.
    EXPECT_EQ(scalar(db, "SELECT count(*) FROM f013.ToriJnl WHERE ToriKbn <> 2 AND (Tot <> Buhin + Koutin + Sonota "
                         "+ Zei + HikaSyohi + KaSyohi + SyoZei OR GTot <> Tot - Nyu - NyuCho "
                         "OR ToriKbn <> CASE WHEN Nyu = 0 AND NyuCho = 0 THEN 1 ELSE 0 END)"),
              0);
    EXPECT_EQ(scalar(db, "SELECT count(*) FROM f013.ToriJnl t JOIN f004.NyuukoKbn k "
                         "ON k.NyuukoKbnCode = t.NyuukoKbnCode WHERE (t.ToriKbn = 2) <> (k.NyuukoKind = 99) "
                         "OR (t.ToriKbn = 2 AND (t.GTot <> -t.Nyu OR t.Nyu <= 0 OR t.Tot <> 0))"),
              0);
    EXPECT_EQ(scalar(db, "SELECT count(*) FROM f013.ToriJnl WHERE NyuukoKbnCode NOT IN "
                         "(SELECT NyuukoKbnCode FROM f004.NyuukoKbn) OR KokCode NOT IN (SELECT KokCode FROM f010.Kok)"),
              0);
    // Nobody pays more than he bought, nor before the sale.
    EXPECT_EQ(scalar(db, "SELECT count(*) FROM (SELECT KokCode FROM f013.ToriJnl GROUP BY KokCode "
                         "HAVING sum(GTot) < 0)"),
              0);
    EXPECT_EQ(scalar(db, "SELECT count(*) FROM f013.ToriJnl WHERE Date >= julianday('2026-12-10') - 2415018.5"), 0);
}

} // namespace

TEST(DataGenerator, LedgerHoldsTheRowsOfItsSlipsTheirPaymentsAndTypedSalesUpToItsCount)
{
    struct Case {
        int ledgerRows;
        const char* what;
    };
    for (const Case& c : {Case{DataGenerator::kAutomatic, "automatic"}, Case{2000, "more than the slips give"},
                          Case{25, "fewer than the delivery notes"}}) {
        SCOPED_TRACE(c.what);
        TempFolder temp;
        const QString folder = temp.file(QStringLiteral("bench"));
        DataGenerator::Options options = small(40, 70, 90, 650);
        options.size.ledgerRows = c.ledgerRows;
        QString error;
        ASSERT_TRUE(DataGenerator::generate(folder, options, &error)) << error.toStdString();
        DataStore store;
        ASSERT_TRUE(store.open(folder));
        Connection& db = store.mainConnection();
        expectLedgerKeepsToItsSlips(db);

        const long long deliveries = scalar(db, "SELECT count(*) FROM f003.Syahead WHERE DenKind = 0");
        const long long posted = scalar(db, "SELECT count(*) FROM f013.ToriJnl WHERE DenFlag = 1");
        const long long rows = scalar(db, "SELECT count(*) FROM f013.ToriJnl");
        if (c.ledgerRows == DataGenerator::kAutomatic) {
            EXPECT_EQ(posted, deliveries);
            EXPECT_EQ(scalar(db, "SELECT count(*) FROM f013.ToriJnl WHERE DenFlag = 0 AND ToriKbn <> 2"), 0);
            EXPECT_GT(rows, posted); // the payments
        } else {
            EXPECT_EQ(rows, c.ledgerRows);
        }
        if (c.ledgerRows == 25) {
            // The slips use up the count: no sale is typed.
            EXPECT_LT(posted, deliveries);
            EXPECT_EQ(scalar(db, "SELECT count(*) FROM f013.ToriJnl WHERE DenFlag = 0 AND ToriKbn <> 2"), 0);
        }
        if (c.ledgerRows == 2000) {
            // Typed sales of several categories, some paid at once.
            EXPECT_GE(scalar(db, "SELECT count(DISTINCT NyuukoKbnCode) FROM f013.ToriJnl WHERE DenFlag = 0 "
                                 "AND ToriKbn <> 2"),
                      5);
            EXPECT_GT(scalar(db, "SELECT count(*) FROM f013.ToriJnl WHERE ToriKbn = 0"), 0);
        }
    }
}

TEST(DataGenerator, LedgerCountBeyondWhatTheCustomersHoldIsRefused)
{
    DataGenerator::Size size{2, 2, 0, 0};
    size.ledgerRows = 2 * DataGenerator::kMaxLedgerRowsPerCustomer;
    EXPECT_TRUE(DataGenerator::checkSize(size).isEmpty());
    size.ledgerRows += 1;
    EXPECT_FALSE(DataGenerator::checkSize(size).isEmpty());
    size.ledgerRows = -2;
    EXPECT_FALSE(DataGenerator::checkSize(size).isEmpty());
}
