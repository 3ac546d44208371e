// Recording a slip: header, lines, inspection expiry and the sale in the
// ledger, together or not at all.

#include "slips/core/SlipRecorder.h"

#include "data/document/DocumentTestFolder.h"
#include "data/engine/DayNumber.h"
#include "support/CustomerBuilder.h"
#include "support/LockHoldingComputer.h"
#include "support/Utf8.h"
#include "support/VehicleBuilder.h"

#include <QDate>

using namespace kv::test;
using namespace kv::slips;

namespace {

class SlipRecorderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = folder.open();
        ASSERT_TRUE(doc);
        ASSERT_TRUE(CustomerBuilder(1).name(u("山田"), u("太郎")).insertInto(doc->store()));
        ASSERT_TRUE(CustomerBuilder(2).name(u("山田運送株式会社")).insertInto(doc->store()));
        ASSERT_TRUE(VehicleBuilder(10).owner(1).plate(u("品川"), 500, u("あ"), 1234)
                        .inspectionExpiry(QDate(2026, 3, 31)).insertInto(doc->store()));
        ASSERT_TRUE(doc->customers().Requery());
        ASSERT_TRUE(doc->vehicles().Requery());
    }

    // A delivery note of an inspection for customer 1, billed to billing.
    SlipRecording inspection(int number, int billing = 1)
    {
        SlipRecording slip;
        slip.customerCode = 1;
        slip.categoryKind = kInspectionCategoryKind;
        slip.header.m_DenNo = number;
        slip.header.m_CarCode = 10;
        slip.header.m_SeiKokCode = billing;
        slip.header.m_DenKind = DeliveryNote;
        slip.header.m_HatuDate = kv::data::toDayNumber(QDate(2026, 12, 10)) + 0.5;
        slip.header.m_Syaman = kv::data::toDayNumber(QDate(2028, 3, 31));
        slip.header.m_BuhiTot = 11111;
        slip.header.m_KouTot = 20000;
        slip.header.m_Tot = 31111;
        slip.header.m_Seikyu = 31111;
        for (int row : {0, 1, 3}) {
            kv::data::SyaJnlRow line;
            line.m_LineNo = row;
            line.m_Meisai = u("オイル交換") + QString::number(row);
            line.m_Kingaku = 1000 * (row + 1);
            slip.lines.push_back(line);
        }
        return slip;
    }

    qint64 scalar(const QByteArray& query) { return DocumentTestFolder::scalar(*doc, query); }
    void sql(const QByteArray& text) { DocumentTestFolder::sql(*doc, text); }
    QStringList questions() const { return folder.messages.questions(); }

    DocumentTestFolder folder;
    std::unique_ptr<kv::data::CCarMaintenanceDoc> doc;
};

TEST_F(SlipRecorderTest, ADeliveryNoteOfAnInspectionIsRecordedWhole)
{
    folder.messages.answerNext(true);
    SlipRecorder recorder(*doc);
    const SlipRecorder::Outcome outcome = recorder.record(inspection(7, 2));
    ASSERT_TRUE(outcome.recorded) << outcome.message.toStdString() << folder.messages.messages().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(outcome.posted);
    EXPECT_EQ(questions(), QStringList{u("売上も記録しますか？")});
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f003.Syahead WHERE DenNo = 7 AND Seikyu = 31111"
                     " AND PrintFlag = 0"),
              1);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f002.SyaJnl WHERE DenNo = 7 AND LineNo IN (0, 1, 3)"), 3);
    EXPECT_EQ(scalar("SELECT Syaman FROM f009.Car WHERE CarCode = 10"),
              qint64(kv::data::toDayNumber(QDate(2028, 3, 31))));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f013.ToriJnl WHERE KokCode = 2 AND DenFlag = 1"
                     " AND DenNo = 7 AND CarCode = 10 AND Preno = 1234 AND Buhin = 11111"
                     " AND Koutin = 20000 AND GTot = 31111 AND ToriKbn = 1"
                     " AND Tekiyo = '1 山田太郎'"),
              1);
    EXPECT_EQ(doc->settings().general().lastRecordedSlipNo, 7);

    // Recorded again from the history: the sale is replaced without asking,
    // and a line taken out is gone.
    SlipRecording again = inspection(7, 2);
    again.mode = SlipMode::Modify;
    again.lines.pop_back();
    again.header.m_Seikyu = 30000;
    folder.messages.clear();
    ASSERT_TRUE(recorder.record(again).recorded);
    EXPECT_TRUE(questions().isEmpty());
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f002.SyaJnl WHERE DenNo = 7"), 2);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f013.ToriJnl WHERE DenNo = 7"), 1);
    EXPECT_EQ(scalar("SELECT GTot FROM f013.ToriJnl WHERE DenNo = 7"), 30000);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f003.Syahead WHERE DenNo = 7"), 1);
}

TEST_F(SlipRecorderTest, EstimatesAndDeclinedSalesLeaveTheLedgerAlone)
{
    SlipRecorder recorder(*doc);
    SlipRecording estimate = inspection(8);
    estimate.header.m_DenKind = Estimate;
    ASSERT_TRUE(recorder.record(estimate).recorded);
    EXPECT_TRUE(questions().isEmpty());
    EXPECT_EQ(scalar("SELECT Syaman FROM f009.Car WHERE CarCode = 10"),
              qint64(kv::data::toDayNumber(QDate(2026, 3, 31))))
        << "only a delivery note moves the expiry";

    folder.messages.answerNext(false);
    const SlipRecorder::Outcome declined = recorder.record(inspection(9));
    EXPECT_TRUE(declined.recorded);
    EXPECT_FALSE(declined.posted);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f013.ToriJnl"), 0);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f003.Syahead"), 2);
}

TEST_F(SlipRecorderTest, AFullLedgerKeepsTheSlipAndSaysWhy)
{
    sql("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000)"
        " INSERT INTO f013.ToriJnl (KokCode, DenFlag, DenNo) SELECT 1, 0, 0 FROM n");
    SlipRecorder recorder(*doc);
    const SlipRecorder::Outcome outcome = recorder.record(inspection(11));
    EXPECT_TRUE(outcome.recorded);
    EXPECT_FALSE(outcome.posted);
    EXPECT_EQ(outcome.message, SlipRecorder::ledgerFullMessage());
    EXPECT_TRUE(questions().isEmpty()) << "nothing to ask when the sale cannot be posted";
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f003.Syahead WHERE DenNo = 11"), 1);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f013.ToriJnl WHERE DenNo = 11"), 0);
}

TEST_F(SlipRecorderTest, AFailureHalfWayLeavesTheStoredSlipAsItWas)
{
    folder.messages.answerNext(true);
    SlipRecorder recorder(*doc);
    ASSERT_TRUE(recorder.record(inspection(12)).recorded);
    // The ledger refuses every new row: the unit fails after header and
    // lines were rewritten.
    sql("CREATE TRIGGER f013.refuse BEFORE INSERT ON ToriJnl"
        " BEGIN SELECT RAISE(ABORT, 'refused'); END");
    SlipRecording changed = inspection(12);
    changed.mode = SlipMode::Modify;
    changed.header.m_Seikyu = 1;
    changed.lines.clear();
    const SlipRecorder::Outcome outcome = recorder.record(changed);
    EXPECT_FALSE(outcome.recorded);
    EXPECT_FALSE(outcome.message.isEmpty());
    EXPECT_EQ(scalar("SELECT Seikyu FROM f003.Syahead WHERE DenNo = 12"), 31111);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f002.SyaJnl WHERE DenNo = 12"), 3);
    EXPECT_EQ(scalar("SELECT GTot FROM f013.ToriJnl WHERE DenNo = 12"), 31111);
}

TEST_F(SlipRecorderTest, MissingRecordsAndAGoneSlipWriteNothing)
{
    SlipRecorder recorder(*doc);
    struct Case {
        const char* message;
        void (*change)(SlipRecording&);
    };
    const Case cases[] = {
        {"該当顧客が存在しません！", [](SlipRecording& s) { s.customerCode = 99; }},
        {"該当請求先が存在しません！", [](SlipRecording& s) { s.header.m_SeiKokCode = 98; }},
        {"該当車輌が存在しません！", [](SlipRecording& s) { s.header.m_CarCode = 97; }},
        {"該当伝票が存在しません！", [](SlipRecording& s) { s.mode = SlipMode::Modify; }},
    };
    for (const Case& c : cases) {
        SlipRecording slip = inspection(20);
        c.change(slip);
        const SlipRecorder::Outcome outcome = recorder.record(slip);
        EXPECT_FALSE(outcome.recorded) << c.message;
        EXPECT_EQ(outcome.message, u(c.message));
    }
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f003.Syahead"), 0);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f002.SyaJnl"), 0);
}

TEST_F(SlipRecorderTest, NothingIsWrittenWhileAnotherComputerPrints)
{
    SlipRecorder::Outcome outcome;
    {
        LockHoldingComputer printing(folder.folder.path(), {"hold", "Printing"});
        ASSERT_TRUE(printing.ready);
        SlipRecorder recorder(*doc);
        folder.messages.answerNext(true);
        outcome = recorder.record(inspection(30));
    }
    EXPECT_FALSE(outcome.recorded);
    EXPECT_EQ(outcome.message,
              u("他のコンピュータで印刷準備中です！\n暫くしてから再度記録を行ってください。"));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f003.Syahead"), 0);
}

} // namespace
