// The dynaset behaviour callers rely on, within one process.

#include "EngineTestFolder.h"

#include "data/engine/DayNumber.h"
#include "data/engine/ReadSnapshot.h"
#include "data/engine/UnitOfWork.h"
#include "data/tables/DaoRecordsets.h"
#include "data/tables/PostalRecordsets.h"

#include <QFile>

using namespace kv::data;

namespace {

class RecordsetTest : public ::testing::Test {
protected:
    void addCustomer(CDaoKokSet& set, int code, const QString& furi)
    {
        ASSERT_TRUE(set.AddNew());
        set.m_KokCode = code;
        set.m_Furi = furi;
        set.m_UserName1 = QStringLiteral("顧客%1").arg(code);
        ASSERT_TRUE(set.Update()) << set.lastError().description.toStdString();
    }

    kv::test::EngineTestFolder t;
};

TEST_F(RecordsetTest, emptyViewIsBothBofAndEof)
{
    CDaoKokSet set(t.connection);
    ASSERT_TRUE(set.Open());
    EXPECT_TRUE(set.IsBOF());
    EXPECT_TRUE(set.IsEOF());
    EXPECT_EQ(set.GetRecordCount(), 0);
    EXPECT_FALSE(set.MoveLast());
    EXPECT_EQ(set.lastError().code, error::kNoCurrentRecord);
    EXPECT_FALSE(set.Edit());
    EXPECT_EQ(set.lastError().code, error::kNoCurrentRecord);
    EXPECT_FALSE(set.FindFirst(QStringLiteral("KokCode = 1")));
    EXPECT_FALSE(set.lastError().isError());
}

TEST_F(RecordsetTest, movesThroughTheViewAndPassesBothEnds)
{
    CDaoKokSet set(t.connection);
    set.SetSort(QStringLiteral("KokCode"));
    ASSERT_TRUE(set.Open());
    for (int code : {30, 10, 20, 40})
        addCustomer(set, code, QStringLiteral("ﾃｽﾄ"));
    ASSERT_TRUE(set.Requery());
    EXPECT_EQ(set.m_KokCode, 10); // the first row is current after a requery
    ASSERT_TRUE(set.MoveLast());
    EXPECT_EQ(set.GetRecordCount(), 4);
    EXPECT_EQ(set.m_KokCode, 40);
    EXPECT_FLOAT_EQ(set.GetPercentPosition(), 75.0f);
    ASSERT_TRUE(set.MoveNext());
    EXPECT_TRUE(set.IsEOF());
    EXPECT_FALSE(set.IsBOF());
    EXPECT_FALSE(set.MoveNext());
    ASSERT_TRUE(set.MovePrev());
    EXPECT_EQ(set.m_KokCode, 40);
    ASSERT_TRUE(set.MoveFirst());
    EXPECT_EQ(set.m_KokCode, 10);
    EXPECT_FLOAT_EQ(set.GetPercentPosition(), 0.0f);
    ASSERT_TRUE(set.MoveNext());
    EXPECT_EQ(set.m_KokCode, 20);
    EXPECT_FLOAT_EQ(set.GetPercentPosition(), 25.0f);
    ASSERT_TRUE(set.MovePrev());
    ASSERT_TRUE(set.MovePrev());
    EXPECT_TRUE(set.IsBOF());
    EXPECT_FALSE(set.IsEOF());
    EXPECT_FALSE(set.MovePrev());
}

TEST_F(RecordsetTest, addNewStoresEveryColumnTypeAndKeepsDefaultsOfTheRest)
{
    CDaoKokSet set(t.connection);
    ASSERT_TRUE(set.Open());
    ASSERT_TRUE(set.AddNew());
    EXPECT_EQ(set.m_Burth, kEmptyDate);
    set.m_KokCode = 7;
    set.m_OwnerName1 = QStringLiteral("山田\"太郎'");
    set.m_Burth = toDayNumber(QDate(1980, 2, 29));
    ASSERT_TRUE(set.Update());
    set.SetFilter(QStringLiteral("KokCode = 7"));
    ASSERT_TRUE(set.Requery());
    ASSERT_EQ(set.GetRecordCount(), 1);
    EXPECT_EQ(set.m_OwnerName1, QStringLiteral("山田\"太郎'"));
    EXPECT_EQ(set.m_Burth, toDayNumber(QDate(1980, 2, 29)));
    EXPECT_EQ(set.m_Furi, QString());
    EXPECT_EQ(set.m_Hoyu, 0);
    EXPECT_EQ(fromDayNumber(set.m_Burth).date(), QDate(1980, 2, 29));

    CDaoUriBunReportSet report(t.connection);
    ASSERT_TRUE(report.Open());
    ASSERT_TRUE(report.AddNew());
    report.m_Buhin = 1234.5;
    report.m_NyuukoKbn = QStringLiteral("車検");
    ASSERT_TRUE(report.Update());
    EXPECT_EQ(report.m_Buhin, 1234.5);
    EXPECT_EQ(report.m_Date, kEmptyDate);
}

TEST_F(RecordsetTest, autoNumberedColumnsAreReadBackAfterAnAdd)
{
    CDaoSyaJnlSet lines(t.connection);
    CDaoToriJnlSet ledger(t.connection);
    CDaoNyuukoKbnSet categories(t.connection);
    ASSERT_TRUE(lines.Open() && ledger.Open() && categories.Open());
    for (int i = 1; i <= 3; ++i) {
        ASSERT_TRUE(lines.AddNew());
        lines.m_JnlNo = 999; // the program never sets it; the database numbers it
        lines.m_DenNo = 5;
        lines.m_LineNo = i;
        ASSERT_TRUE(lines.Update());
        EXPECT_EQ(lines.m_JnlNo, i);
        EXPECT_EQ(lines.m_LineNo, i);

        ASSERT_TRUE(ledger.AddNew());
        ledger.m_KokCode = 1;
        ASSERT_TRUE(ledger.Update());
        EXPECT_EQ(ledger.m_ID, i);

        ASSERT_TRUE(categories.AddNew());
        categories.m_NyuukoKbn = QStringLiteral("区分%1").arg(i);
        ASSERT_TRUE(categories.Update());
        EXPECT_EQ(categories.m_NyuukoKbnCode, i);
    }
    // Numbers are not reused after a delete.
    ASSERT_TRUE(ledger.MoveLast());
    ASSERT_TRUE(ledger.Delete());
    ASSERT_TRUE(ledger.AddNew());
    ASSERT_TRUE(ledger.Update());
    EXPECT_EQ(ledger.m_ID, 4);
    EXPECT_EQ(ledger.GetRecordCount(), 3);
}

TEST_F(RecordsetTest, editChangesTheCurrentRowInPlace)
{
    CDaoKokSet set(t.connection);
    set.SetSort(QStringLiteral("KokCode"));
    ASSERT_TRUE(set.Open());
    for (int code : {1, 2, 3})
        addCustomer(set, code, QStringLiteral("ｱ"));
    ASSERT_TRUE(set.Requery());
    ASSERT_TRUE(set.MoveNext());
    ASSERT_TRUE(set.Edit());
    set.m_Furi = QStringLiteral("ｶﾄｳ");
    ASSERT_TRUE(set.Update());
    EXPECT_EQ(set.m_KokCode, 2);
    EXPECT_EQ(set.m_Furi, QStringLiteral("ｶﾄｳ"));
    // Update without Edit or AddNew.
    EXPECT_FALSE(set.Update());
    EXPECT_EQ(set.lastError().code, error::kUpdateWithoutEdit);
    // A cancelled edit leaves the row as it was.
    ASSERT_TRUE(set.Edit());
    set.m_Furi = QStringLiteral("ｻﾄｳ");
    set.CancelUpdate();
    EXPECT_EQ(set.m_Furi, QStringLiteral("ｶﾄｳ"));
    ASSERT_TRUE(set.RefreshCurrent());
    EXPECT_EQ(set.m_Furi, QStringLiteral("ｶﾄｳ"));
}

TEST_F(RecordsetTest, deleteThenMoveNextGoesToTheFollowingRow)
{
    CDaoKokSet set(t.connection);
    set.SetSort(QStringLiteral("KokCode"));
    ASSERT_TRUE(set.Open());
    for (int code : {1, 2, 3, 4})
        addCustomer(set, code, QStringLiteral("ｱ"));
    ASSERT_TRUE(set.Requery());
    // Delete every row the way DeleteSlipLines walks its lines.
    std::vector<int> seen;
    while (!set.IsEOF()) {
        seen.push_back(set.m_KokCode);
        ASSERT_TRUE(set.Delete());
        EXPECT_TRUE(set.IsDeleted());
        EXPECT_FALSE(set.IsEOF());
        EXPECT_FALSE(set.Edit());
        EXPECT_EQ(set.lastError().code, error::kNoCurrentRecord);
        ASSERT_TRUE(set.MoveNext());
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4}));
    ASSERT_TRUE(set.Requery());
    EXPECT_EQ(set.GetRecordCount(), 0);
}

TEST_F(RecordsetTest, placeholdersAreDeletedByRepeatedFindFirst)
{
    CDaoKokSet set(t.connection);
    set.SetSort(QStringLiteral("KokCode"));
    ASSERT_TRUE(set.Open());
    for (int code : {1, 2, 3, 4, 5}) {
        ASSERT_TRUE(set.AddNew());
        set.m_KokCode = code;
        set.m_UserName1 = code % 2 ? QStringLiteral("新規作成中") : QStringLiteral("本物");
        ASSERT_TRUE(set.Update());
    }
    ASSERT_TRUE(set.Requery());
    int deleted = 0;
    while (set.FindFirst(QStringLiteral("UserName1 = \"新規作成中\""))) {
        ASSERT_TRUE(set.Delete());
        ++deleted;
        ASSERT_LT(deleted, 10);
    }
    EXPECT_FALSE(set.lastError().isError());
    EXPECT_EQ(deleted, 3);
    ASSERT_TRUE(set.Requery());
    EXPECT_EQ(kv::test::rowIdsOf(set).size(), 2u);
}

TEST_F(RecordsetTest, findFirstHonoursTheOrderAndTheFilterOfTheView)
{
    CDaoCarSet set(t.connection);
    ASSERT_TRUE(set.Open());
    const int rows[][2] = {{5, 1}, {1, 2}, {3, 1}, {4, 2}, {2, 1}};
    for (const auto& row : rows) {
        ASSERT_TRUE(set.AddNew());
        set.m_CarCode = row[0];
        set.m_KokCode = row[1];
        ASSERT_TRUE(set.Update());
    }
    set.SetSort(QStringLiteral("KokCode, CarCode"));
    ASSERT_TRUE(set.Requery());
    ASSERT_TRUE(set.FindFirst(QStringLiteral("KokCode = 1")));
    EXPECT_EQ(set.m_CarCode, 2);
    ASSERT_TRUE(set.MoveNext());
    EXPECT_EQ(set.m_CarCode, 3);
    ASSERT_TRUE(set.FindFirst(QStringLiteral("KokCode = 2")));
    EXPECT_EQ(set.m_CarCode, 1);
    EXPECT_FALSE(set.FindFirst(QStringLiteral("KokCode = 3")));

    set.SetFilter(QStringLiteral("CarCode >= 3"));
    set.SetSort(QStringLiteral("CarCode DESC"));
    ASSERT_TRUE(set.Requery());
    ASSERT_TRUE(set.FindFirst(QStringLiteral("KokCode = 1")));
    EXPECT_EQ(set.m_CarCode, 5);
    EXPECT_FALSE(set.FindFirst(QStringLiteral("CarCode = 2"))); // outside the view

    // A row added after the requery is not in the view.
    CDaoCarSet other(t.connection);
    ASSERT_TRUE(other.Open());
    ASSERT_TRUE(other.AddNew());
    other.m_CarCode = 9;
    other.m_KokCode = 7;
    ASSERT_TRUE(other.Update());
    EXPECT_FALSE(set.FindFirst(QStringLiteral("KokCode = 7")));
    ASSERT_TRUE(set.Requery());
    EXPECT_TRUE(set.FindFirst(QStringLiteral("KokCode = 7")));
}

TEST_F(RecordsetTest, badFilterLeavesAnEmptyView)
{
    CDaoKokSet set(t.connection);
    ASSERT_TRUE(set.Open());
    addCustomer(set, 1, QStringLiteral("ｱ"));
    set.SetFilter(QStringLiteral("Furi Like \"[ｱ\""));
    EXPECT_FALSE(set.Requery());
    EXPECT_EQ(set.lastError().code, error::kInvalidPattern);
    EXPECT_TRUE(set.IsBOF() && set.IsEOF());
    EXPECT_EQ(set.GetRecordCount(), 0);
    set.SetFilter({});
    ASSERT_TRUE(set.Requery());
    EXPECT_EQ(set.GetRecordCount(), 1);
}

TEST_F(RecordsetTest, aViewOpenedWithoutRowsIsEmptyUntilItsRequery)
{
    CDaoKokSet writer(t.connection);
    ASSERT_TRUE(writer.Open());
    addCustomer(writer, 1, QStringLiteral("ｱ"));
    addCustomer(writer, 2, QStringLiteral("ｲ"));

    CDaoKokSet set(t.connection);
    set.SetSort(QStringLiteral("KokCode"));
    ASSERT_TRUE(set.OpenWithoutRows());
    EXPECT_TRUE(set.IsEOF());
    EXPECT_EQ(set.GetRecordCount(), 0);
    EXPECT_EQ(set.m_KokCode, 0);
    set.SetFilter(QStringLiteral("KokCode = 2"));
    ASSERT_TRUE(set.Requery());
    EXPECT_EQ(set.GetRecordCount(), 1);
    EXPECT_EQ(set.m_KokCode, 2);
    // A row added to it is its one row.
    ASSERT_TRUE(set.OpenWithoutRows());
    addCustomer(set, 3, QStringLiteral("ｳ"));
    EXPECT_EQ(set.GetRecordCount(), 1);
    EXPECT_EQ(set.m_KokCode, 3);

    // A filter it cannot read fails the open as Open does.
    set.SetFilter(QStringLiteral("NoSuchColumn = 1"));
    EXPECT_FALSE(set.OpenWithoutRows());
    EXPECT_EQ(set.lastError().code, error::kUnknownColumn);
    EXPECT_FALSE(set.IsOpen());
}

TEST_F(RecordsetTest, missingFilesAreErrorThirtyTwentyFourAndAreNotCreated)
{
    kv::test::TempFolder empty;
    Connection connection;
    EXPECT_FALSE(connection.open(empty.file(QStringLiteral("010.mdb"))));
    EXPECT_EQ(connection.lastError().code, error::kFileNotFound);
    EXPECT_TRUE(connection.lastError().description.contains(QStringLiteral("010.mdb")));
    EXPECT_FALSE(QFile::exists(empty.file(QStringLiteral("010.mdb"))));

    DataStore store;
    EXPECT_FALSE(store.open(empty.path()));
    EXPECT_EQ(store.lastError().code, error::kFileNotFound);
    EXPECT_TRUE(QDir(empty.path()).entryList(QDir::Files).isEmpty());

    // One file missing from a data folder stops the opening.
    ASSERT_TRUE(QFile::remove(t.folder.file(QStringLiteral("013.mdb"))));
    DataStore second;
    EXPECT_FALSE(second.open(t.folder.path()));
    EXPECT_EQ(second.lastError().code, error::kFileNotFound);
    EXPECT_FALSE(QFile::exists(t.folder.file(QStringLiteral("013.mdb"))));

    // A file that is no database.
    ASSERT_TRUE(empty.write(QStringLiteral("009.mdb"), QByteArray(4096, 'x')));
    EXPECT_FALSE(connection.open(empty.file(QStringLiteral("009.mdb"))));
    EXPECT_EQ(connection.lastError().code, error::kNotADatabase);
}

TEST_F(RecordsetTest, postalFilesOpenReadOnlyAndMissingOnesAreSkipped)
{
    kv::test::TempFolder program;
    ASSERT_TRUE(createPostalDatabases(program.path()));
    {
        // The setup step fills them through a connection of its own.
        Connection writer;
        ASSERT_TRUE(writer.open(program.file(QStringLiteral("016.mdb"))));
        ASSERT_TRUE(writer.execute(
            "INSERT INTO \"13Tok\" (Post, Section1, Section2, Section3) VALUES "
            "('1000001', '東京都', '千代田区', '千代田'), ('1000002', '東京都', '千代田区', '皇居外苑')"));
    }
    ASSERT_TRUE(QFile::remove(program.file(QStringLiteral("017.mdb"))));
    DataStore store;
    ASSERT_TRUE(store.openPostal(program.path())) << store.lastError().description.toStdString();
    EXPECT_EQ(store.missingPostalFiles(), QStringList{QStringLiteral("017.mdb")});

    CDaoPost13TokSet tokyo(store.connectionFor(CDaoPost13TokSet::tableDef()));
    tokyo.SetSort(QStringLiteral("ID"));
    ASSERT_TRUE(tokyo.Open());
    EXPECT_EQ(tokyo.GetRecordCount(), 2);
    EXPECT_EQ(tokyo.m_Post, QStringLiteral("1000001"));
    EXPECT_EQ(tokyo.m_Section3, QStringLiteral("千代田"));
    EXPECT_TRUE(tokyo.FindFirst(QStringLiteral("Post = \"1000002\"")));
    EXPECT_EQ(tokyo.m_ID, 2);
    EXPECT_FALSE(tokyo.Edit() && tokyo.Update());
    EXPECT_EQ(tokyo.lastError().code, error::kReadOnly);

    CDaoPost03IwaSet iwate(store.connectionFor(CDaoPost03IwaSet::tableDef()));
    EXPECT_TRUE(iwate.Open());
    CDaoPost23AicSet aichi(store.connectionFor(CDaoPost23AicSet::tableDef()));
    EXPECT_FALSE(aichi.Open());
    EXPECT_EQ(aichi.lastError().code, error::kFileNotFound);
}

TEST_F(RecordsetTest, unitOfWorkCommitsAcrossFilesOrNotAtAll)
{
    CDaoSyaHeadSet headers(t.connection);
    CDaoSyaJnlSet lines(t.connection);
    CDaoToriJnlSet ledger(t.connection);
    ASSERT_TRUE(headers.Open() && lines.Open() && ledger.Open());
    auto writeSlip = [&](int slip) {
        ASSERT_TRUE(headers.AddNew());
        headers.m_DenNo = slip;
        ASSERT_TRUE(headers.Update());
        ASSERT_TRUE(lines.AddNew());
        lines.m_DenNo = slip;
        ASSERT_TRUE(lines.Update());
        ASSERT_TRUE(ledger.AddNew());
        ledger.m_DenNo = slip;
        ledger.m_DenFlag = 1;
        ASSERT_TRUE(ledger.Update());
    };
    {
        UnitOfWork work(t.connection);
        ASSERT_TRUE(work.isActive());
        writeSlip(1);
        ASSERT_TRUE(work.commit());
    }
    {
        UnitOfWork work(t.connection);
        writeSlip(2);
        {
            // An inner unit that fails is undone alone.
            UnitOfWork inner(t.connection);
            writeSlip(3);
        }
        // Leaving without commit undoes slip 2 as well.
    }
    for (Recordset* set : std::initializer_list<Recordset*>{&headers, &lines, &ledger}) {
        set->SetFilter(QStringLiteral("DenNo >= 1"));
        ASSERT_TRUE(set->Requery());
        EXPECT_EQ(set->GetRecordCount(), 1) << set->table().name;
    }
    EXPECT_EQ(t.connection.transactionDepth(), 0);
}

TEST_F(RecordsetTest, aFileCanBeReattachedFromAnotherFolder)
{
    // What a print work copy does: the customers' file is swapped for a
    // copy while the other files stay where they are.
    CDaoKokSet set(t.connection);
    ASSERT_TRUE(set.Open());
    addCustomer(set, 1, QStringLiteral("ｱ"));
    kv::test::TempFolder temp;
    const QString copy = temp.file(QStringLiteral("010.mdb"));
    ASSERT_TRUE(QFile::copy(t.folder.file(QStringLiteral("010.mdb")), copy));
    addCustomer(set, 2, QStringLiteral("ｲ"));

    {
        UnitOfWork work(t.connection);
        EXPECT_FALSE(t.connection.detach(QStringLiteral("f010"))); // not inside a transaction
    }
    ASSERT_TRUE(t.connection.detach(QStringLiteral("f010")));
    EXPECT_FALSE(set.Requery() && set.GetRecordCount() > 0);
    ASSERT_TRUE(attachDataFile(t.connection, temp.path(), QStringLiteral("010.mdb")));
    ASSERT_TRUE(set.Open());
    EXPECT_EQ(set.GetRecordCount(), 1);
    CDaoCarSet vehicles(t.connection);
    EXPECT_TRUE(vehicles.Open());

    ASSERT_TRUE(t.connection.detach(QStringLiteral("f010")));
    ASSERT_TRUE(attachDataFile(t.connection, t.folder.path(), QStringLiteral("010.mdb")));
    ASSERT_TRUE(set.Open());
    EXPECT_EQ(set.GetRecordCount(), 2);
}

TEST_F(RecordsetTest, changesMadeDuringAReadSnapshotAreKept)
{
    CDaoKokSet set(t.connection);
    set.SetSort(QStringLiteral("KokCode"));
    ASSERT_TRUE(set.Open());
    for (int code : {1, 2, 3})
        addCustomer(set, code, QStringLiteral("ｱ"));
    ASSERT_TRUE(set.Requery());
    {
        ReadSnapshot snapshot(t.connection);
        EXPECT_EQ(t.connection.transactionDepth(), 1);
        for (; !set.IsEOF(); set.MoveNext()) {
            if (set.m_KokCode == 2) {
                ASSERT_TRUE(set.Delete());
            }
        }
    }
    EXPECT_EQ(t.connection.transactionDepth(), 0);
    DataStore other;
    ASSERT_TRUE(other.open(t.folder.path()));
    CDaoKokSet seen(other.mainConnection());
    seen.SetSort(QStringLiteral("KokCode"));
    ASSERT_TRUE(seen.Open());
    EXPECT_EQ(seen.GetRecordCount(), 2);
    EXPECT_FALSE(seen.FindFirst(QStringLiteral("KokCode = 2")));
}

} // namespace
