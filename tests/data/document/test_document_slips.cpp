#include "DocumentTestFolder.h"

#include <QFile>
#include <QtEndian>

namespace {

using kv::test::DocumentTestFolder;
using kv::test::insertCodes;

QByteArray storedNumber(qint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian<qint32>(value, bytes.data());
    return bytes;
}

class SlipTest : public ::testing::Test {
protected:
    void SetUp() override { m_doc = m_data.open(); }

    void sql(const QByteArray& text) { DocumentTestFolder::sql(*m_doc, text); }
    qint64 scalar(const QByteArray& query) { return DocumentTestFolder::scalar(*m_doc, query); }

    // Vehicle 7 with count slips, numbered from 1 upwards and dated one day
    // apart from newest (slip 1) to oldest, each with two lines and a ledger
    // row posted from it.
    void addSlips(int count)
    {
        sql("INSERT INTO f009.Car (CarCode, KokCode) VALUES (7, 1);");
        sql("WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c WHERE n < "
            + QByteArray::number(count)
            + ") INSERT INTO f003.Syahead (DenNo, CarCode, HatuDate) SELECT n, 7, 50000 - n FROM c;"
              "INSERT INTO f002.SyaJnl (DenNo, LineNo, Photo) SELECT DenNo, 1, 'p' || DenNo || '.jpg' FROM f003.Syahead;"
              "INSERT INTO f002.SyaJnl (DenNo, LineNo) SELECT DenNo, 2 FROM f003.Syahead;"
              "INSERT INTO f013.ToriJnl (KokCode, DenFlag, DenNo, Tot, Buhin) SELECT 1, 1, DenNo, 1000 + DenNo, 10 FROM f003.Syahead;");
        m_doc->vehicles().Requery();
    }

    DocumentTestFolder m_data;
    std::unique_ptr<kv::data::CCarMaintenanceDoc> m_doc;
};

TEST_F(SlipTest, NumbersFollowTheCounterAndSkipTakenOnes)
{
    EXPECT_EQ(m_doc->NextSlipNumber(), 1);
    EXPECT_EQ(m_doc->NextSlipNumber(), 2);
    sql(insertCodes("f003.Syahead", "DenNo", 3, 1500));
    EXPECT_EQ(m_doc->NextSlipNumber(), 1501);
    EXPECT_EQ(m_data.folder.read("015.dat"), storedNumber(1501));
}

TEST_F(SlipTest, CounterAtTheTopWrapsToOne)
{
    struct Case {
        const char* name;
        QByteArray takenSql;
        int expected;
    };
    const Case cases[] = {
        {"empty table", {}, 1},
        {"1 taken", insertCodes("f003.Syahead", "DenNo", 1, 1), 2},
        {"1..2000 taken", insertCodes("f003.Syahead", "DenNo", 2, 2000), 2001},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.takenSql.isEmpty())
            sql(c.takenSql);
        ASSERT_TRUE(m_data.folder.write("015.dat", storedNumber(999999)));
        EXPECT_EQ(m_doc->NextSlipNumber(), c.expected);
    }
}

TEST_F(SlipTest, AllNumbersTakenGivesZeroAndLeavesTheCounter)
{
    sql(insertCodes("f003.Syahead", "DenNo", 1, 999999));
    ASSERT_TRUE(m_data.folder.write("015.dat", storedNumber(500)));
    EXPECT_EQ(m_doc->NextSlipNumber(), 0);
    EXPECT_EQ(m_data.folder.read("015.dat"), storedNumber(500));
    EXPECT_TRUE(m_data.messages.messages().isEmpty());
}

TEST_F(SlipTest, DeleteSlipLinesTakesTheLinesAndTheirPhotos)
{
    sql("INSERT INTO f002.SyaJnl (DenNo, LineNo, Photo) VALUES (5, 1, 'a.jpg' || char(13, 10) || 'b.jpg'),"
        " (5, 2, ''), (5, 3, '../outside.jpg'), (6, 1, 'c.jpg');");
    for (const char* name : {"Photo/a.jpg", "Photo/b.jpg", "Photo/c.jpg", "outside.jpg"})
        ASSERT_TRUE(m_data.folder.write(name, "x"));

    EXPECT_TRUE(m_doc->DeleteSlipLines(5));
    EXPECT_EQ(scalar("SELECT count(*) FROM f002.SyaJnl WHERE DenNo = 5"), 0);
    EXPECT_EQ(scalar("SELECT count(*) FROM f002.SyaJnl WHERE DenNo = 6"), 1);
    EXPECT_FALSE(QFile::exists(m_data.folder.file("Photo/a.jpg")));
    EXPECT_FALSE(QFile::exists(m_data.folder.file("Photo/b.jpg")));
    EXPECT_TRUE(QFile::exists(m_data.folder.file("Photo/c.jpg")));
    // A name that leads out of the photo folder deletes nothing.
    EXPECT_TRUE(QFile::exists(m_data.folder.file("outside.jpg")));
    // A slip without lines is no failure.
    EXPECT_TRUE(m_doc->DeleteSlipLines(99));
}

TEST_F(SlipTest, TrimKeepsAtMostTheLimit)
{
    struct Case {
        int slips;
        bool forNewSlip;
        int deleted;
    };
    const Case cases[] = {
        {120, false, 0}, {121, false, 1}, {122, false, 2}, {119, true, 0}, {120, true, 1}, {125, true, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.slips << " slips, new slip " << c.forNewSlip);
        sql("DELETE FROM f009.Car; DELETE FROM f003.Syahead; DELETE FROM f002.SyaJnl; DELETE FROM f013.ToriJnl;");
        addSlips(c.slips);
        ASSERT_TRUE(m_doc->TrimSlipHistory(7, c.forNewSlip));
        EXPECT_EQ(scalar("SELECT count(*) FROM f003.Syahead"), c.slips - c.deleted);
        // The oldest go: the highest numbers carry the earliest dates.
        EXPECT_EQ(scalar("SELECT max(DenNo) FROM f003.Syahead"), c.slips - c.deleted);
        EXPECT_EQ(scalar("SELECT count(*) FROM f002.SyaJnl"), 2 * (c.slips - c.deleted));
        EXPECT_EQ(scalar("SELECT count(*) FROM f013.ToriJnl"), c.slips);
        EXPECT_EQ(scalar("SELECT count(*) FROM f013.ToriJnl WHERE DenFlag = 0"), c.deleted);
    }
}

TEST_F(SlipTest, LedgerRowOfATrimmedSlipKeepsItsAmountsUnlinked)
{
    addSlips(121);
    ASSERT_TRUE(m_data.folder.write("Photo/p121.jpg", "x"));
    ASSERT_TRUE(m_data.folder.write("Photo/p120.jpg", "x"));
    ASSERT_TRUE(m_doc->TrimSlipHistory(7, false));
    EXPECT_EQ(scalar("SELECT count(*) FROM f003.Syahead WHERE DenNo = 121"), 0);
    EXPECT_EQ(scalar("SELECT DenFlag FROM f013.ToriJnl WHERE DenNo = 121"), 0);
    EXPECT_EQ(scalar("SELECT Tot FROM f013.ToriJnl WHERE DenNo = 121"), 1121);
    EXPECT_EQ(scalar("SELECT Buhin FROM f013.ToriJnl WHERE DenNo = 121"), 10);
    EXPECT_EQ(scalar("SELECT DenFlag FROM f013.ToriJnl WHERE DenNo = 120"), 1);
    EXPECT_FALSE(QFile::exists(m_data.folder.file("Photo/p121.jpg")));
    EXPECT_TRUE(QFile::exists(m_data.folder.file("Photo/p120.jpg")));
}

TEST_F(SlipTest, TrimOfAnUnknownVehicleFails)
{
    EXPECT_FALSE(m_doc->TrimSlipHistory(42, false));
    EXPECT_EQ(m_data.messages.messages(), QStringList{QStringLiteral("該当車輌が存在しません！")});
}

TEST_F(SlipTest, FailedStepLeavesTheWholeSlip)
{
    addSlips(121);
    // The header of the oldest slip cannot be deleted: the unlinked ledger
    // row and the deleted lines of that slip must come back.
    sql("CREATE TRIGGER f003.keep BEFORE DELETE ON Syahead BEGIN SELECT RAISE(ABORT, 'kept'); END;");
    EXPECT_FALSE(m_doc->TrimSlipHistory(7, false));
    EXPECT_EQ(m_data.messages.messages().size(), 1);
    EXPECT_EQ(scalar("SELECT count(*) FROM f003.Syahead"), 121);
    EXPECT_EQ(scalar("SELECT count(*) FROM f002.SyaJnl WHERE DenNo = 121"), 2);
    EXPECT_EQ(scalar("SELECT DenFlag FROM f013.ToriJnl WHERE DenNo = 121"), 1);
    EXPECT_FALSE(m_doc->store().mainConnection().transactionDepth());
}

} // namespace
