#include "DocumentTestFolder.h"

#include "data/costs/CostStore.h"
#include "data/service/LockResources.h"
#include "data/service/ShareLockAction.h"
#include "data/service/ShareLockTable.h"

#include <QFile>

namespace {

using kv::data::CCarMaintenanceDoc;
using kv::data::ShareLockTable;
using kv::test::DocumentTestFolder;
using kv::test::insertCodes;
namespace Action = kv::data::ShareLockAction;

class OpenTest : public ::testing::Test {
protected:
    // One placeholder and one real record in each of the four tables.
    void writePlaceholders()
    {
        m_data.sqlOnFile("010.mdb", "INSERT INTO Kok (KokCode, UserName1) VALUES (1, '新規作成中'), (2, '山田');");
        m_data.sqlOnFile("009.mdb", "INSERT INTO Car (CarCode, Syatai) VALUES (1, '新規作成中'), (2, 'AB-1');");
        m_data.sqlOnFile("011.mdb", "INSERT INTO Meisai (MeisaiCode, Meisai) VALUES (1, '新規作成中'), (2, 'ｵｲﾙ');");
        m_data.sqlOnFile("012.mdb", "INSERT INTO MeisaiSetHead (SetCode, SetName) VALUES (1, '新規作成中'), (2, '車検');");
    }

    DocumentTestFolder m_data;
};

TEST_F(OpenTest, ServerDropsPlaceholdersClientKeepsThem)
{
    struct Case {
        int lanRole;
        int expectedCount;
    };
    for (const Case& c : {Case{1, 2}, Case{0, 1}}) {
        SCOPED_TRACE(c.lanRole);
        writePlaceholders();
        auto doc = m_data.open(c.lanRole, c.lanRole ? "PC-1" : "Server");
        EXPECT_EQ(doc->CountCustomers(), c.expectedCount);
        EXPECT_EQ(doc->CountVehicles(), c.expectedCount);
        EXPECT_EQ(doc->CountItems(), c.expectedCount);
        EXPECT_EQ(doc->CountSets(), c.expectedCount);
        EXPECT_EQ(doc->FindCustomer(1), c.lanRole != 0);
        EXPECT_TRUE(doc->FindCustomer(2));
        EXPECT_EQ(doc->customers().GetFilter(), QString());
        // The freed codes are free again.
        EXPECT_EQ(doc->ReserveItemCode(), c.lanRole ? 3 : 1);
        doc->CloseDatabases();
        // A fresh folder for the next case.
        QDir(m_data.folder.path()).removeRecursively();
        QDir().mkpath(m_data.folder.path());
        ASSERT_TRUE(kv::data::createDataFolderDatabases(m_data.folder.path()));
        ASSERT_TRUE(kv::data::writeDefaultSettings(m_data.folder.path()));
    }
}

TEST_F(OpenTest, ServerClearsTheLockTablesAndEveryoneJoins)
{
    {
        // A computer that ended without closing left a claim behind.
        kv::data::LockTables tables(m_data.folder.path());
        ASSERT_TRUE(tables.ShareLock("010.mdb", "PC-9", 77, Action::Claim));
    }
    auto server = m_data.open(0, "Server");
    auto client = m_data.open(1, "PC-1");
    for (const QString& resource : kv::data::LockResources::names()) {
        SCOPED_TRACE(resource.toStdString());
        const auto table = ShareLockTable::fromBytes(
            m_data.folder.read(kv::data::LockResources::lockFileOf(resource)));
        EXPECT_EQ(table.nameOf(0), QStringLiteral("Server"));
        EXPECT_EQ(table.nameOf(1), QStringLiteral("PC-1"));
        EXPECT_EQ(table.codeOf(0), 0);
        EXPECT_EQ(table.codeOf(1), 0);
        EXPECT_EQ(table.firstFree(), 2);
    }
    // Claims go through the document; the client's close releases its own.
    EXPECT_TRUE(client->ShareLock("010.mdb", "PC-1", 5, Action::Claim));
    EXPECT_FALSE(server->ShareLock("010.mdb", "Server", 5, Action::Claim));
    client->CloseDatabases();
    EXPECT_TRUE(server->ShareLock("010.mdb", "Server", 5, Action::Claim));
}

TEST_F(OpenTest, AServerStartFreesOnlyWhatComputersThatAreGoneHeld)
{
    auto client = m_data.open(1, "PC-1");
    ASSERT_EQ(client->ReserveCustomerCode(), 1);
    ASSERT_EQ(client->ReserveVehicleCode(), 1);
    ASSERT_TRUE(client->ShareLock("010.mdb", "PC-1", 7, Action::Claim));
    // PC-9 ended without closing; the server too (its own name is gone
    // with its earlier run). One placeholder says nobody's name.
    kv::data::LockTables tables(m_data.folder.path());
    ASSERT_TRUE(tables.ShareLock("010.mdb", "PC-9", 8, Action::Claim));
    ASSERT_TRUE(tables.ShareLock("NewKokDummy", "Server", 3, Action::Claim));
    m_data.sqlOnFile("010.mdb", "INSERT INTO Kok (KokCode, UserName1, KokBiko1) VALUES"
                                " (2, '新規作成中', 'PC-9'), (3, '新規作成中', 'Server'), (4, '新規作成中', '')");
    m_data.sqlOnFile("009.mdb", "INSERT INTO Car (CarCode, Syatai, CarBiko1) VALUES (2, '新規作成中', 'PC-9')");

    auto server = m_data.open(0, "Server");
    EXPECT_FALSE(server->ShareLock("010.mdb", "Server", 7, Action::Claim)) << "PC-1 runs: its claim stands";
    EXPECT_TRUE(server->ShareLock("010.mdb", "Server", 8, Action::Claim));
    EXPECT_TRUE(client->ShareLock("NewKokDummy", "PC-1", 3, Action::Claim));
    // Codes 1 and 4 as 10 * 1 + 4: PC-1's and the nameless placeholder stay
    // while PC-1 runs.
    EXPECT_EQ(DocumentTestFolder::scalar(*server, "SELECT SUM(KokCode * (CASE KokCode WHEN 1 THEN 10 ELSE 1 END)) FROM f010.Kok"), 14);
    EXPECT_EQ(DocumentTestFolder::scalar(*server, "SELECT SUM(CarCode) FROM f009.Car"), 1);

    // Each computer fills or drops only its own placeholder.
    EXPECT_TRUE(client->IsOwnCustomerPlaceholder(1));
    EXPECT_TRUE(client->IsOwnVehiclePlaceholder(1));
    EXPECT_FALSE(server->IsOwnCustomerPlaceholder(1));
    EXPECT_FALSE(client->IsOwnCustomerPlaceholder(4));
    server->DiscardCustomerPlaceholder(1);
    server->DiscardVehiclePlaceholder(1);
    EXPECT_EQ(DocumentTestFolder::scalar(*server, "SELECT COUNT(*) FROM f010.Kok"), 2);
    EXPECT_EQ(DocumentTestFolder::scalar(*server, "SELECT COUNT(*) FROM f009.Car"), 1);

    // Once PC-1 has gone, the next start drops the rest.
    client->CloseDatabases();
    server->CloseDatabases();
    auto again = m_data.open(0, "Server");
    EXPECT_EQ(again->CountCustomers(), 0);
    EXPECT_EQ(again->CountVehicles(), 0);
    EXPECT_TRUE(again->ShareLock("010.mdb", "Server", 7, Action::Claim));
}

TEST_F(OpenTest, ServerRecountsTheRecordCounters)
{
    m_data.sqlOnFile("010.mdb", insertCodes("Kok", "KokCode", 1, 30));
    m_data.sqlOnFile("009.mdb", insertCodes("Car", "CarCode", 1, 20));
    m_data.sqlOnFile("011.mdb", insertCodes("Meisai", "MeisaiCode", 1, 10));
    m_data.sqlOnFile("012.mdb", insertCodes("MeisaiSetHead", "SetCode", 1, 5));
    auto client = m_data.open(1, "PC-1");
    EXPECT_EQ(client->RecordCounter("010.mdb", kv::data::RecordCounters::Read), 0);
    auto server = m_data.open(0, "Server");
    EXPECT_EQ(server->RecordCounter("010.mdb", kv::data::RecordCounters::Read), 30);
    EXPECT_EQ(server->RecordCounter("009.mdb", kv::data::RecordCounters::Read), 20);
    EXPECT_EQ(server->RecordCounter("011.mdb", kv::data::RecordCounters::Read), 10);
    EXPECT_EQ(server->RecordCounter("012.mdb", kv::data::RecordCounters::Read), 5);
    EXPECT_EQ(client->RecordCounter("012.mdb", kv::data::RecordCounters::Increment), 6);
    // Recount counts the recordset under its current filter.
    server->items().SetFilter("MeisaiCode <= 3");
    ASSERT_TRUE(server->items().Requery());
    EXPECT_EQ(server->RecordCounter("011.mdb", kv::data::RecordCounters::Recount), 3);
    EXPECT_EQ(server->RecordCounter("030.mdb", kv::data::RecordCounters::Read), -1);
}

TEST_F(OpenTest, FindsPositionOnTheirRecordsets)
{
    auto doc = m_data.open();
    DocumentTestFolder::sql(*doc, "INSERT INTO f010.Kok (KokCode, SyoukaiKokCode, UserName1) VALUES (10, 0, 'a'), (11, 10, 'b');"
                                  "INSERT INTO f009.Car (CarCode, KokCode) VALUES (20, 11), (21, 10), (22, 10);"
                                  "INSERT INTO f011.Meisai (MeisaiCode) VALUES (30);"
                                  "INSERT INTO f012.MeisaiSetHead (SetCode) VALUES (40);"
                                  "INSERT INTO f014.Zan (KokCode, KuriZan) VALUES (10, 5000);");
    for (kv::data::Recordset* set : {static_cast<kv::data::Recordset*>(&doc->customers()),
                                     static_cast<kv::data::Recordset*>(&doc->vehicles()),
                                     static_cast<kv::data::Recordset*>(&doc->items()),
                                     static_cast<kv::data::Recordset*>(&doc->setHeaders()),
                                     static_cast<kv::data::Recordset*>(&doc->balances())})
        ASSERT_TRUE(set->Requery());
    ASSERT_TRUE(doc->FindIntroducedCustomer(10));
    EXPECT_EQ(doc->customers().m_KokCode, 11);
    ASSERT_TRUE(doc->FindFirstVehicleOfCustomer(10));
    EXPECT_EQ(doc->vehicles().m_CarCode, 21); // "KokCode, CarCode" order
    ASSERT_TRUE(doc->FindVehicle(20));
    EXPECT_EQ(doc->vehicles().m_KokCode, 11);
    EXPECT_TRUE(doc->FindItem(30));
    EXPECT_TRUE(doc->FindSet(40));
    ASSERT_TRUE(doc->FindBalance(10));
    EXPECT_EQ(doc->balances().m_KuriZan, 5000);
    EXPECT_FALSE(doc->FindCustomer(12));
    EXPECT_FALSE(doc->FindBalance(11));
    EXPECT_TRUE(m_data.messages.messages().isEmpty());
    doc->vehicles().SetFilter("KokCode = 10");
    ASSERT_TRUE(doc->vehicles().Requery());
    EXPECT_EQ(doc->CountVehicles(), 2);
    EXPECT_EQ(doc->vehicles().m_CarCode, 22); // moved to the last
}

TEST_F(OpenTest, CountWithoutAnOpenRecordsetIsMinusOne)
{
    auto doc = m_data.open();
    EXPECT_EQ(doc->CountSets(), 0);
    doc->CloseDatabases();
    EXPECT_EQ(doc->CountSets(), -1);
    EXPECT_EQ(m_data.messages.messages().size(), 1);
}

class Reservations final : public kv::data::ReservedRecords {
public:
    explicit Reservations(CCarMaintenanceDoc& doc) : m_doc(doc) {}
    void DiscardReservedCustomer() override
    {
        if (m_customer && m_doc.FindCustomer(m_customer))
            m_doc.customers().Delete();
        m_customer = 0;
    }
    void DiscardReservedVehicle() override
    {
        if (m_vehicle && m_doc.FindVehicle(m_vehicle))
            m_doc.vehicles().Delete();
        m_vehicle = 0;
    }
    CCarMaintenanceDoc& m_doc;
    int m_customer = 0;
    int m_vehicle = 0;
};

TEST_F(OpenTest, CloseDiscardsTheFramesReservedPlaceholders)
{
    auto doc = m_data.open(1, "PC-1");
    Reservations reserved(*doc);
    reserved.m_customer = doc->ReserveCustomerCode();
    reserved.m_vehicle = doc->ReserveVehicleCode();
    ASSERT_EQ(doc->ReserveCustomerCode(), 2); // another window's, kept
    doc->CloseDatabases(&reserved);
    EXPECT_FALSE(doc->isOpen());
    EXPECT_EQ(reserved.m_customer, 0);

    auto again = m_data.open(1, "PC-1");
    EXPECT_EQ(again->CountCustomers(), 1);
    EXPECT_EQ(again->CountVehicles(), 0);
}

TEST_F(OpenTest, MissingPostalFilesLeaveTheirTablesClosed)
{
    ASSERT_TRUE(kv::data::createPostalDatabases(m_data.programFolder.path()));
    QFile::remove(m_data.programFolder.file("017.mdb"));
    auto doc = m_data.open();
    EXPECT_TRUE(m_data.messages.messages().isEmpty());
    EXPECT_EQ(doc->postalSetCount(), 47);
    int open = 0;
    for (int prefecture = 1; prefecture <= 47; ++prefecture)
        open += doc->postal(prefecture) != nullptr;
    EXPECT_EQ(open, 47 - 14);
    EXPECT_EQ(doc->postal(27), nullptr); // Osaka, in 017.mdb
    ASSERT_NE(doc->postal(13), nullptr);
    EXPECT_EQ(doc->postal(13)->table().name, QByteArray("13Tok"));
}

TEST_F(OpenTest, MissingDataFileStopsTheOpenWithTheEngineText)
{
    QFile::remove(m_data.folder.file("013.mdb"));
    CCarMaintenanceDoc doc(m_data.config());
    EXPECT_FALSE(doc.OpenAllDatabases());
    ASSERT_EQ(m_data.messages.messages().size(), 1);
    EXPECT_TRUE(m_data.messages.messages().front().contains("013.mdb"))
        << m_data.messages.messages().front().toStdString();
    EXPECT_FALSE(doc.isOpen());
}

} // namespace

namespace {
class LocalPrinter final : public kv::data::DefaultPrinterSource {
public:
    Result defaultPrinter(kv::data::PrinterIdentity* printer) const override
    {
        printer->name = QStringLiteral("LBP 3000");
        return Result::Found;
    }
};
} // namespace

// The server's name in the lock tables is "Server"; its printers' positions
// are still kept under its own name, as a client's are.
TEST_F(OpenTest, PrinterPositionsAreKeptUnderTheComputersOwnName)
{
    LocalPrinter printer;
    for (const int lanRole : {0, 1}) {
        SCOPED_TRACE(lanRole);
        kv::data::DocumentConfig config = m_data.config(lanRole, lanRole ? "PC-1" : "Server");
        config.printers = &printer;
        config.hostName = QStringLiteral("PC7");
        CCarMaintenanceDoc doc(config);
        ASSERT_TRUE(doc.OpenAllDatabases());
        EXPECT_EQ(doc.settings().positionFileName(), QStringLiteral("PC7LBP3000.dat"));
        EXPECT_TRUE(QFile::exists(m_data.folder.file(QStringLiteral("Printer/PC7LBP3000.dat"))));
        EXPECT_FALSE(QFile::exists(m_data.folder.file(QStringLiteral("Printer/ServerLBP3000.dat"))));
        doc.CloseDatabases();
    }
}

// A folder of an older version, without the cost tables, gets them with
// the shipped rows when the document first opens it.
TEST(OpenCostTables, anOlderFolderGetsTheShippedRows)
{
    DocumentTestFolder data;
    auto doc = data.open(0, "Server");
    kv::data::CostStore costs(doc->store().mainConnection());
    EXPECT_EQ(costs.rows().value_or(std::vector<kv::data::CostRow>{}).size(),
              kv::data::CostStore::shippedRows().size());
}
