#include "DocumentTestFolder.h"

#include "data/document/CodeOccupancy.h"

#include <random>
#include <set>

namespace {

using kv::data::CCarMaintenanceDoc;
using kv::data::CodeOccupancy;
using kv::test::DocumentTestFolder;
using kv::test::insertCodes;

int bruteLowestFree(const std::multiset<int>& codes, int maxCode)
{
    for (int code = 1; code <= maxCode; ++code) {
        if (!codes.contains(code))
            return code;
    }
    return 0;
}

class ReservationTest : public ::testing::Test {
protected:
    DocumentTestFolder m_data;
};

TEST_F(ReservationTest, CustomerGapIsReusedAsPlaceholder)
{
    auto doc = m_data.open();
    DocumentTestFolder::sql(*doc, "INSERT INTO f010.Kok (KokCode, UserName1) VALUES (1, 'a'), (2, 'b'), (4, 'd');");

    EXPECT_EQ(doc->ReserveCustomerCode(), 3);
    EXPECT_EQ(doc->customers().m_KokCode, 3);
    ASSERT_TRUE(doc->customers().Requery());
    ASSERT_TRUE(doc->FindCustomer(3));
    EXPECT_EQ(doc->customers().m_UserName1, QStringLiteral("新規作成中"));
    EXPECT_EQ(doc->ReserveCustomerCode(), 5);
    EXPECT_EQ(m_data.diskChecks, 2);
    EXPECT_TRUE(m_data.messages.messages().isEmpty());
}

TEST_F(ReservationTest, EachKindWritesItsPlaceholder)
{
    auto doc = m_data.open();
    ASSERT_EQ(doc->ReserveVehicleCode(), 1);
    ASSERT_EQ(doc->ReserveItemCode(), 1);
    ASSERT_EQ(doc->ReserveSetCode(), 1);
    doc->vehicles().Requery();
    doc->items().Requery();
    doc->setHeaders().Requery();
    ASSERT_TRUE(doc->FindVehicle(1));
    EXPECT_EQ(doc->vehicles().m_Syatai, QStringLiteral("新規作成中"));
    ASSERT_TRUE(doc->FindItem(1));
    EXPECT_EQ(doc->items().m_Meisai, QStringLiteral("新規作成中"));
    EXPECT_EQ(doc->items().m_Furi, QString());
    ASSERT_TRUE(doc->FindSet(1));
    EXPECT_EQ(doc->setHeaders().m_SetName, QStringLiteral("新規作成中"));
    EXPECT_EQ(doc->setHeaders().m_Furi, QString());
}

TEST_F(ReservationTest, FullRangeGivesTheKindsMessageAndZero)
{
    struct Case {
        const char* table;
        const char* column;
        int maxCode;
        int (CCarMaintenanceDoc::*reserve)();
        const char* message;
    };
    const Case cases[] = {
        {"f011.Meisai", "MeisaiCode", 9999, &CCarMaintenanceDoc::ReserveItemCode,
         "未使用明細コードが存在しません！\nこれ以上明細を新規に追加することはできません"},
        {"f012.MeisaiSetHead", "SetCode", 999, &CCarMaintenanceDoc::ReserveSetCode,
         "未使用セットコードが存在しません！\nこれ以上セットを新規に追加することはできません"},
        {"f009.Car", "CarCode", 999999, &CCarMaintenanceDoc::ReserveVehicleCode,
         "未使用車輌コードが存在しません！\nこれ以上車輌を新規に追加することはできません"},
        {"f010.Kok", "KokCode", 999999, &CCarMaintenanceDoc::ReserveCustomerCode,
         "未使用顧客コードが存在しません！\nこれ以上顧客を新規に追加することはできません"},
    };
    auto doc = m_data.open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.table);
        m_data.messages.clear();
        DocumentTestFolder::sql(*doc, insertCodes(c.table, c.column, 1, c.maxCode - 1));
        // Codes beyond the range do not stand in for the free one.
        DocumentTestFolder::sql(*doc, insertCodes(c.table, c.column, c.maxCode + 1, c.maxCode + 3));
        EXPECT_EQ(((*doc).*c.reserve)(), c.maxCode);
        EXPECT_EQ(((*doc).*c.reserve)(), 0);
        EXPECT_EQ(m_data.messages.messages(), QStringList{QString::fromUtf8(c.message)});
    }
}

TEST_F(ReservationTest, FailedDiskCheckWritesNothing)
{
    auto doc = m_data.open();
    m_data.diskHasRoom = false;
    EXPECT_EQ(doc->ReserveCustomerCode(), 0);
    EXPECT_EQ(doc->CountCustomers(), 0);
    m_data.diskHasRoom = true;
    EXPECT_EQ(doc->ReserveCustomerCode(), 1);
}

TEST_F(ReservationTest, RefusedInsideAUnitOfWork)
{
    auto doc = m_data.open();
    ASSERT_TRUE(doc->store().mainConnection().begin());
    EXPECT_EQ(doc->ReserveCustomerCode(), 0);
    EXPECT_EQ(m_data.messages.messages().size(), 1);
    ASSERT_TRUE(doc->store().mainConnection().rollback());
    EXPECT_EQ(doc->ReserveCustomerCode(), 1);
}

TEST_F(ReservationTest, LockFileHeldElsewhereGivesZeroAfterTheWait)
{
    auto doc = m_data.open();
    kv::SharedFile held;
    ASSERT_TRUE(held.open(m_data.folder.file("052.dat"),
                          kv::FileMode::ReadWrite | kv::FileMode::ShareExclusive));
    EXPECT_EQ(doc->ReserveCustomerCode(), 0);
    held.close();
    EXPECT_EQ(doc->ReserveCustomerCode(), 1);
}

// Random inserts, deletes and code changes through every path that writes
// the tables; the block counts must always give what a scan from 1 gives.
TEST_F(ReservationTest, MatchesTheLinearScanOnRandomGapPatterns)
{
    auto doc = m_data.open();
    kv::data::Connection& connection = doc->store().mainConnection();
    CodeOccupancy items(connection, CodeOccupancy::kItemCodes);
    std::mt19937 random(20261209);
    std::multiset<int> codes;
    auto exec = [&](const QByteArray& sql) { DocumentTestFolder::sql(*doc, sql); };

    for (int round = 0; round < 400; ++round) {
        const int action = std::uniform_int_distribution<int>(0, 9)(random);
        if (action <= 2) {
            // A dense run, often across a block edge.
            const int first = std::uniform_int_distribution<int>(1, 9990)(random);
            const int last = std::min(9999, first + std::uniform_int_distribution<int>(0, 1500)(random));
            exec(insertCodes("f011.Meisai", "MeisaiCode", first, last));
            for (int code = first; code <= last; ++code)
                codes.insert(code);
        } else if (action <= 5 && !codes.empty()) {
            const int first = std::uniform_int_distribution<int>(1, 9999)(random);
            const int last = first + std::uniform_int_distribution<int>(0, 800)(random);
            exec("DELETE FROM f011.Meisai WHERE MeisaiCode BETWEEN " + QByteArray::number(first)
                 + " AND " + QByteArray::number(last));
            codes.erase(codes.lower_bound(first), codes.upper_bound(last));
        } else if (action == 6 && !codes.empty()) {
            // One row of a code changes its code; a duplicate may result.
            const int from = *std::next(codes.begin(),
                                        std::uniform_int_distribution<int>(0, int(codes.size()) - 1)(random));
            const int to = std::uniform_int_distribution<int>(0, 10005)(random);
            exec("UPDATE f011.Meisai SET MeisaiCode = " + QByteArray::number(to)
                 + " WHERE rowid = (SELECT min(rowid) FROM f011.Meisai WHERE MeisaiCode = "
                 + QByteArray::number(from) + ")");
            codes.erase(codes.find(from));
            codes.insert(to);
        } else if (action == 7) {
            // A duplicate of a code that may exist already, or a code out of range.
            const int code = std::uniform_int_distribution<int>(-2, 10002)(random);
            exec("INSERT INTO f011.Meisai (MeisaiCode) VALUES (" + QByteArray::number(code) + ")");
            codes.insert(code);
        } else {
            const int expected = bruteLowestFree(codes, 9999);
            const int reserved = doc->ReserveItemCode();
            ASSERT_EQ(reserved, expected) << "round " << round;
            if (reserved)
                codes.insert(reserved);
        }
        ASSERT_EQ(items.lowestFree(), bruteLowestFree(codes, 9999)) << "round " << round;
        ASSERT_FALSE(items.lastError()) << items.lastError().description.toStdString();
    }
}

TEST_F(ReservationTest, FolderWithoutBlockTablesIsCountedAtOpen)
{
    // Rows written before the document first opened the folder.
    m_data.sqlOnFile("010.mdb", insertCodes("Kok", "KokCode", 1, 2500)
                                    + "DELETE FROM Kok WHERE KokCode IN (1700, 2100);");
    auto doc = m_data.open();
    EXPECT_EQ(doc->ReserveCustomerCode(), 1700);
    EXPECT_EQ(doc->ReserveCustomerCode(), 2100);
    EXPECT_EQ(doc->ReserveCustomerCode(), 2501);
}

TEST_F(ReservationTest, CountsRepairedWhenTheFileWasWrittenWithoutTriggers)
{
    {
        auto doc = m_data.open();
        doc->CloseDatabases();
    }
    // Another program drops the triggers, writes and puts one back: the
    // counts no longer match the rows.
    m_data.sqlOnFile("010.mdb", "DROP TRIGGER KokCodeBlock_insert;" + insertCodes("Kok", "KokCode", 1, 1000)
                                    + "UPDATE KokCodeBlock SET Free = 999 WHERE Block = 0;");
    // A file missing one of its objects is counted afresh at open.
    auto doc = m_data.open();
    EXPECT_EQ(doc->ReserveCustomerCode(), 1001);

    // Counts that lie without a missing object are mended on the walk.
    DocumentTestFolder::sql(*doc, "UPDATE f010.KokCodeBlock SET Free = 5 WHERE Block = 1;");
    DocumentTestFolder::sql(*doc, insertCodes("f010.Kok", "KokCode", 1002, 1999));
    DocumentTestFolder::sql(*doc, "UPDATE f010.KokCodeBlock SET Free = 7 WHERE Block = 1;");
    EXPECT_EQ(doc->ReserveCustomerCode(), 2000);
    EXPECT_EQ(DocumentTestFolder::scalar(*doc, "SELECT Free FROM f010.KokCodeBlock WHERE Block = 1"), 0);
}

TEST_F(ReservationTest, FirstFreeFromWrapsAroundToTheStart)
{
    auto doc = m_data.open();
    CodeOccupancy slips(doc->store().mainConnection(), CodeOccupancy::kSlipNumbers);
    DocumentTestFolder::sql(*doc, insertCodes("f003.Syahead", "DenNo", 1, 3) + insertCodes("f003.Syahead", "DenNo", 998000, 999999));
    struct Case {
        int start;
        int expected;
    };
    for (const Case& c : {Case{998500, 4}, Case{999999, 4}, Case{1, 4}, Case{2, 4}, Case{500, 500},
                          Case{997999, 997999}, Case{1000000, 4}}) {
        EXPECT_EQ(slips.firstFreeFrom(c.start), c.expected) << c.start;
    }
    DocumentTestFolder::sql(*doc, insertCodes("f003.Syahead", "DenNo", 4, 997999));
    EXPECT_EQ(slips.firstFreeFrom(5000), 0);
    EXPECT_FALSE(slips.lastError());
}

} // namespace
