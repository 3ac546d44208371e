// Recording, changing and deleting ledger rows and setting the carried-
// forward balance on a fresh data folder: the rows written, the limit, the
// questions about a linked slip, and nothing half done.

#include "ledger/core/LedgerRecorder.h"
#include "ledger/core/LedgerRows.h"

#include "data/document/DocumentTestFolder.h"
#include "data/engine/DayNumber.h"
#include "support/CustomerBuilder.h"
#include "support/LockHoldingComputer.h"
#include "support/Utf8.h"
#include "support/VehicleBuilder.h"

using namespace kv::test;
using namespace kv::ledger;

namespace {

const char* kPrintingElsewhere = "他のコンピュータで印刷準備中です！\n暫くしてから再度記録を行ってください。";

class LedgerRecorderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = folder.open();
        ASSERT_TRUE(doc);
        ASSERT_TRUE(CustomerBuilder(1).name(u("山田"), u("太郎")).insertInto(doc->store()));
        ASSERT_TRUE(VehicleBuilder(10).owner(1).plate(u("品川"), 500, u("あ"), 1234)
                        .insertInto(doc->store()));
        sql("INSERT INTO f014.Zan (KokCode, KuriZan) VALUES (1, 5000)");
        // 22 job categories, more than the list takes; 10 is the payment.
        sql("WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c WHERE n < 22)"
            " INSERT INTO f004.NyuukoKbn (NyuukoKbnCode, NyuukoKbn, NyuukoKind)"
            " SELECT n, 'C' || n, n FROM c");
        sql("UPDATE f004.NyuukoKbn SET NyuukoKbn = '入金', NyuukoKind = 99 WHERE NyuukoKbnCode = 10");
        kv::data::RoundingSettings& rounding = doc->settings().rounding();
        rounding.taxRate = 0.10;
        rounding.tax = {0, 0};
        recorder = std::make_unique<LedgerRecorder>(*doc);
        recorder->setClock([] { return QTime(9, 15, 30); });
    }

    LedgerEntry sale(QDate date = QDate(2026, 12, 1))
    {
        LedgerEntry entry;
        entry.date = date;
        entry.categoryCode = 4;
        entry.categoryKind = 4;
        entry.carCode = 10;
        entry.rikuji = u("品川");
        entry.rno = 500;
        entry.kana = u("あ");
        entry.preno = 1234;
        entry.buhin = 12345;
        entry.koutin = 10000;
        entry.kaSyohi = 5000;
        entry.nyu = 10000;
        return entry;
    }

    LedgerEntry payment(QDate date = QDate(2026, 12, 2))
    {
        LedgerEntry entry;
        entry.date = date;
        entry.categoryCode = 10;
        entry.categoryKind = LedgerEntry::kPaymentKind;
        entry.nyu = 20000;
        return entry;
    }

    LedgerRecorder::Outcome add(LedgerEntry entry)
    {
        RememberedAmounts remembered;
        return recorder->add(1, entry, remembered);
    }

    // A delivery note 7 of vehicle 10 with two lines, posted to the ledger.
    int postedSlip()
    {
        sql("INSERT INTO f003.Syahead (DenNo, CarCode, SeiKokCode) VALUES (7, 10, 1)");
        sql("INSERT INTO f002.SyaJnl (DenNo, LineNo) VALUES (7, 0), (7, 1)");
        sql("INSERT INTO f013.ToriJnl (KokCode, Date, DenFlag, DenNo, GTot) VALUES (1, 46000, 1, 7, 31111)");
        return int(scalar("SELECT ID FROM f013.ToriJnl WHERE DenNo = 7"));
    }

    qint64 scalar(const QByteArray& query) { return DocumentTestFolder::scalar(*doc, query); }
    void sql(const QByteArray& text) { DocumentTestFolder::sql(*doc, text); }
    qint64 rowCount() { return scalar("SELECT COUNT(*) FROM f013.ToriJnl"); }
    qint64 slipParts()
    {
        return scalar("SELECT (SELECT COUNT(*) FROM f003.Syahead WHERE DenNo = 7) * 10"
                      " + (SELECT COUNT(*) FROM f002.SyaJnl WHERE DenNo = 7)");
    }

    DocumentTestFolder folder;
    std::unique_ptr<kv::data::CCarMaintenanceDoc> doc;
    std::unique_ptr<LedgerRecorder> recorder;
};

TEST_F(LedgerRecorderTest, SalesAndPaymentsAreRecordedAndBalancedFromTheCarriedForward)
{
    const LedgerRecorder::Outcome sold = add(sale());
    ASSERT_TRUE(sold.done) << sold.message.toStdString();
    EXPECT_TRUE(sold.newEntry);
    EXPECT_GT(sold.id, 0);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f013.ToriJnl WHERE KokCode = 1 AND DenFlag = 0"
                     " AND DenNo = 0 AND Zei = 2234 AND SyoZei = 500 AND Tot = 30079"
                     " AND GTot = 20079 AND ToriKbn = 0 AND CarCode = 10 AND Preno = 1234"
                     " AND ID = " + QByteArray::number(sold.id)),
              1);
    const double recorded = kv::data::toDayNumber(QDate(2026, 12, 1), QTime(9, 15, 30));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f013.ToriJnl WHERE abs(Date - "
                     + QByteArray::number(recorded, 'f', 8) + ") < 0.00001"),
              1);
    ASSERT_TRUE(add(payment()).done);
    EXPECT_EQ(scalar("SELECT GTot FROM f013.ToriJnl WHERE ToriKbn = 2"), -20000);

    QString error;
    std::optional<LedgerRows> rows = LedgerRows::load(*doc, 1, &error);
    ASSERT_TRUE(rows) << error.toStdString();
    EXPECT_EQ(rows->carriedForward(), 5000);
    ASSERT_EQ(rows->lines().size(), 2u);
    EXPECT_EQ(rows->lines()[0].text(LedgerColumn::Balance), "25,079");
    EXPECT_EQ(rows->lines()[1].text(LedgerColumn::Balance), "5,079");
    EXPECT_EQ(rows->lines()[1].text(LedgerColumn::Category), u("入金"));
    EXPECT_EQ(rows->lines()[0].text(LedgerColumn::Category), "C4");
    EXPECT_EQ(rows->categories().size(), 20u) << "every kind, payments included, at most 20";
    EXPECT_TRUE(rows->category(20));
    EXPECT_FALSE(rows->category(21));

    // A sale dated before both goes first when read again.
    ASSERT_TRUE(add(sale(QDate(2026, 11, 1))).done);
    rows = LedgerRows::load(*doc, 1, &error);
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->lines()[0].text(LedgerColumn::Date), "26/11/01");
    EXPECT_EQ(rows->lines()[2].text(LedgerColumn::Balance), "25,158");
}

TEST_F(LedgerRecorderTest, ATypedRowIsChangedInPlaceButASlipRowIsNot)
{
    const int id = add(sale()).id;
    sql("UPDATE f013.ToriJnl SET DenNo = 42 WHERE ID = " + QByteArray::number(id));
    LedgerEntry changed = sale();
    changed.nyu = 0;
    changed.tekiyo = u("値引後");
    RememberedAmounts remembered;
    const LedgerRecorder::Outcome outcome = recorder->modify(id, changed, remembered);
    ASSERT_TRUE(outcome.done) << outcome.message.toStdString();
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f013.ToriJnl WHERE GTot = 30079 AND ToriKbn = 1"
                     " AND DenNo = 42 AND DenFlag = 0"),
              1)
        << "an edited row keeps the slip number it had";
    EXPECT_EQ(rowCount(), 1);

    const int linked = postedSlip();
    LedgerEntry slipRow = sale();
    RememberedAmounts none;
    const LedgerRecorder::Outcome refused = recorder->modify(linked, slipRow, none);
    EXPECT_FALSE(refused.done);
    EXPECT_FALSE(refused.message.isEmpty());
    EXPECT_EQ(scalar("SELECT GTot FROM f013.ToriJnl WHERE ID = " + QByteArray::number(linked)), 31111);

    const LedgerRecorder::Outcome gone = recorder->modify(9999, slipRow, none);
    EXPECT_FALSE(gone.done);
    EXPECT_TRUE(gone.newEntry);
    EXPECT_EQ(gone.message, u("該当取引が存在しません！"));
}

TEST_F(LedgerRecorderTest, NothingIsRecordedWhenTheEntryOrItsVehicleIsWrong)
{
    LedgerEntry tooMuch = sale();
    tooMuch.buhin = 99'999'999;
    const LedgerRecorder::Outcome total = add(tooMuch);
    EXPECT_FALSE(total.done);
    EXPECT_EQ(total.focus, EntryField::Buhin);
    LedgerEntry noVehicle = sale();
    noVehicle.carCode = 11;
    const LedgerRecorder::Outcome vehicle = add(noVehicle);
    EXPECT_EQ(vehicle.message, u("該当車輌が存在しません！"));
    EXPECT_EQ(vehicle.focus, EntryField::CarCode);
    {
        LockHoldingComputer printing(folder.folder.path(), {"hold", "Printing"});
        ASSERT_TRUE(printing.ready);
        EXPECT_EQ(add(sale()).message, u(kPrintingElsewhere));
    }
    EXPECT_EQ(rowCount(), 0);
}

TEST_F(LedgerRecorderTest, AThousandRowsRefuseANewOneButStillTakeChanges)
{
    sql("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 999)"
        " INSERT INTO f013.ToriJnl (KokCode, DenFlag, DenNo) SELECT 1, 0, 0 FROM n");
    sql("INSERT INTO f013.ToriJnl (KokCode, DenFlag, DenNo) VALUES (2, 0, 0)");
    const LedgerRecorder::Outcome last = add(sale());
    ASSERT_TRUE(last.done) << "the thousandth row";
    const LedgerRecorder::Outcome full = add(sale());
    EXPECT_FALSE(full.done);
    EXPECT_TRUE(full.newEntry);
    EXPECT_EQ(full.message, u("明細が 1000 件(最大)存在します！\n更新を行って下さい"));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f013.ToriJnl WHERE KokCode = 1"), 1000);

    LedgerEntry changed = sale();
    changed.nyu = 1;
    RememberedAmounts remembered;
    EXPECT_TRUE(recorder->modify(last.id, changed, remembered).done);
    EXPECT_EQ(scalar("SELECT Nyu FROM f013.ToriJnl WHERE ID = " + QByteArray::number(last.id)), 1);
}

TEST_F(LedgerRecorderTest, DeletingASlipRowAsksAboutTheSlipFirst)
{
    const int id = postedSlip();
    // Declined at the first question: nothing goes.
    folder.messages.answerNext(false);
    const LedgerRecorder::Outcome declined = recorder->remove(id);
    EXPECT_FALSE(declined.done);
    EXPECT_TRUE(declined.newEntry);
    EXPECT_EQ(rowCount(), 1);

    // The row goes, the slip stays.
    folder.messages.clear();
    folder.messages.answerNext(true);
    folder.messages.answerNext(false);
    ASSERT_TRUE(recorder->remove(id).done);
    EXPECT_EQ(folder.messages.questions(),
              (QStringList{u("削除します！\n本当によろしいですね？"), u("伝票も削除しますか？")}));
    EXPECT_EQ(rowCount(), 0);
    EXPECT_EQ(slipParts(), 12);

    // The row and the slip go together.
    sql("INSERT INTO f013.ToriJnl (KokCode, DenFlag, DenNo, GTot) VALUES (1, 1, 7, 31111)");
    folder.messages.answerNext(true);
    folder.messages.answerNext(true);
    const int again = int(scalar("SELECT ID FROM f013.ToriJnl WHERE DenNo = 7"));
    ASSERT_TRUE(recorder->remove(again).done);
    EXPECT_EQ(rowCount(), 0);
    EXPECT_EQ(slipParts(), 0);

    // A row whose slip is already gone: said after the row is deleted.
    sql("INSERT INTO f013.ToriJnl (KokCode, DenFlag, DenNo, GTot) VALUES (1, 1, 8, 5)");
    folder.messages.clear();
    folder.messages.answerNext(true);
    const LedgerRecorder::Outcome orphan =
        recorder->remove(int(scalar("SELECT ID FROM f013.ToriJnl WHERE DenNo = 8")));
    EXPECT_TRUE(orphan.done);
    EXPECT_EQ(orphan.message, u("該当伝票が存在しません!"));
    EXPECT_EQ(folder.messages.questions().size(), 1);
    EXPECT_EQ(rowCount(), 0);
    EXPECT_EQ(folder.messages.unscriptedQuestions(), 0);
}

TEST_F(LedgerRecorderTest, AFailureHalfWayThroughADeletionLeavesRowAndSlipAsTheyWere)
{
    const int id = postedSlip();
    // The header refuses to go after the row and the lines have gone.
    sql("CREATE TRIGGER f003.refuse BEFORE DELETE ON Syahead"
        " BEGIN SELECT RAISE(ABORT, 'refused'); END");
    folder.messages.answerNext(true);
    folder.messages.answerNext(true);
    const LedgerRecorder::Outcome outcome = recorder->remove(id);
    EXPECT_FALSE(outcome.done);
    EXPECT_FALSE(outcome.message.isEmpty());
    EXPECT_EQ(rowCount(), 1);
    EXPECT_EQ(slipParts(), 12);

    // A refused insert writes nothing either.
    sql("CREATE TRIGGER f013.refuse BEFORE INSERT ON ToriJnl"
        " BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_FALSE(add(sale()).done);
    EXPECT_EQ(rowCount(), 1);
}

TEST_F(LedgerRecorderTest, TheCarriedForwardBalanceTakesOnlyWhatItCanHold)
{
    const LedgerRecorder::Outcome tooLarge = recorder->setCarriedForward(1, 1'000'000'000);
    EXPECT_FALSE(tooLarge.done);
    EXPECT_EQ(tooLarge.message, u("-999,999,999から999,999,999迄の整数を入力してくだい！"));
    EXPECT_FALSE(recorder->setCarriedForward(1, 5'000'000'000LL).done) << "not wrapped into range";
    EXPECT_EQ(recorder->carriedForward(1), 5000);

    ASSERT_TRUE(recorder->setCarriedForward(1, -999'999'999).done);
    EXPECT_EQ(recorder->carriedForward(1), -999'999'999);
    EXPECT_EQ(scalar("SELECT KuriZan FROM f014.Zan WHERE KokCode = 1"), -999'999'999);

    EXPECT_EQ(recorder->setCarriedForward(2, 0).message, u("該当残高が存在しません！"));
    EXPECT_FALSE(recorder->carriedForward(2));
    EXPECT_EQ(scalar("SELECT count(*) FROM f014.Zan WHERE KokCode = 2"), 0);

    // A customer from elsewhere without a balance record gets it when first set.
    ASSERT_TRUE(CustomerBuilder(3).insertInto(doc->store()));
    EXPECT_EQ(recorder->carriedForward(3), 0);
    ASSERT_TRUE(recorder->setCarriedForward(3, 700).done);
    EXPECT_EQ(scalar("SELECT KuriZan FROM f014.Zan WHERE KokCode = 3"), 700);
    EXPECT_EQ(scalar("SELECT count(*) FROM f014.Zan WHERE KokCode = 3"), 1);
    {
        LockHoldingComputer printing(folder.folder.path(), {"hold", "Printing"});
        ASSERT_TRUE(printing.ready);
        EXPECT_EQ(recorder->setCarriedForward(1, 1).message, u(kPrintingElsewhere));
    }
    EXPECT_EQ(recorder->carriedForward(1), -999'999'999);
    EXPECT_TRUE(folder.messages.questions().isEmpty());
}

} // namespace
