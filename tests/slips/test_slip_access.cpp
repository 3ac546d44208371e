// Opening the slip work under its locks, the history, loading and
// deleting a slip with its sale.

#include "slips/core/SlipAccess.h"
#include "slips/core/SlipRecorder.h"

#include "SlipTestShop.h"
#include "data/engine/DayNumber.h"
#include "data/service/ShareLockAction.h"
#include "support/LockHoldingComputer.h"
#include "support/Utf8.h"

#include <QDate>

#include <memory>

using namespace kv::test;
using namespace kv::slips;

namespace {

// Another computer holding one lock until it is let go.

class SlipAccessTest : public SlipTestShop {
protected:
    void SetUp() override
    {
        SlipTestShop::SetUp();
        if (HasFatalFailure())
            return;
    }

    // A delivery note of 1,000 yen issued on the day, recorded with its sale.
    void recordSlip(int number, const QDate& issued)
    {
        SlipRecording slip;
        slip.customerCode = 1;
        slip.header.m_DenNo = number;
        slip.header.m_CarCode = 10;
        slip.header.m_SeiKokCode = 1;
        slip.header.m_HatuDate = kv::data::toDayNumber(issued);
        slip.header.m_Tot = slip.header.m_Seikyu = 1000;
        kv::data::SyaJnlRow line;
        line.m_Meisai = u("点検");
        line.m_Photo = QStringLiteral("%1011.jpg\r\n").arg(number, 6, 10, QLatin1Char('0'));
        slip.lines.push_back(line);
        folder.messages.answerNext(true);
        ASSERT_TRUE(SlipRecorder(*doc).record(slip).recorded);
        folder.messages.clear();
    }


};

TEST_F(SlipAccessTest, ACustomerBeingEditedElsewhereIsRefusedButASlipWindowIsShared)
{
    {
        LockHoldingComputer editing(folder.folder.path(), {"claim", "010.mdb", "1"});
        ASSERT_TRUE(editing.ready);
        const SlipAccess::Opened refused = SlipAccess(*doc).open(1, 10);
        EXPECT_FALSE(refused.ok);
        EXPECT_EQ(refused.message, u("このデータは他のコンピュータで編集中です！"));
        LockHoldingComputer slipWindow(folder.folder.path(), {"claim", "DenKok", "1"});
        ASSERT_TRUE(slipWindow.ready);
        SlipAccess access(*doc);
        EXPECT_TRUE(access.open(1, 10).ok) << "another slip window of the customer";
        access.close();
    }
    LockHoldingComputer vehicle(folder.folder.path(), {"claim", "009.mdb", "10"});
    ASSERT_TRUE(vehicle.ready);
    EXPECT_FALSE(SlipAccess(*doc).open(1, 10).ok);
    // What was taken before the refusal was given back.
    EXPECT_TRUE(doc->ShareLock("010.mdb", "PC3", 1, kv::data::ShareLockAction::IsHeldElsewhere));
    EXPECT_TRUE(doc->ShareLock("DenKok", "PC3", 1, kv::data::ShareLockAction::IsHeldElsewhere));
    EXPECT_EQ(SlipAccess(*doc).open(1, 11).message, u("該当車輌が存在しません！"));
}

TEST_F(SlipAccessTest, HistoryOldestFirstAndASlipLoadsWithItsLines)
{
    recordSlip(5, QDate(2026, 5, 1));
    recordSlip(3, QDate(2026, 7, 1));
    recordSlip(4, QDate(2025, 1, 1));
    SlipAccess access(*doc);
    std::vector<int> numbers;
    for (const kv::data::SyaheadRow& slip : access.history(10))
        numbers.push_back(slip.m_DenNo);
    EXPECT_EQ(numbers, (std::vector<int>{4, 5, 3}));

    kv::data::SyaheadRow header;
    std::vector<kv::data::SyaJnlRow> lines;
    ASSERT_TRUE(access.load(5, &header, &lines));
    EXPECT_EQ(header.m_Seikyu, 1000);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].m_Meisai, u("点検"));
    EXPECT_FALSE(access.load(99, &header, &lines));
    EXPECT_EQ(folder.messages.messages(), QStringList{u("該当伝票が存在しません！")});
}

TEST_F(SlipAccessTest, DeletingASlipKeepsOrDropsItsSaleAsTheUserSays)
{
    recordSlip(5, QDate(2026, 5, 1));
    recordSlip(6, QDate(2026, 6, 1));
    SlipAccess access(*doc);

    folder.messages.answerNext(false);
    EXPECT_FALSE(access.removeSlip(5)) << "declined";
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f003.Syahead WHERE DenNo = 5"), 1);

    folder.messages.answerNext(true);
    folder.messages.answerNext(false);
    ASSERT_TRUE(access.removeSlip(5));
    EXPECT_EQ(folder.messages.questions(),
              (QStringList{u("削除します！\n本当によろしいですね？"), u("削除します！\n本当によろしいですね？"),
                           u("売上も削除しますか？")}));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f003.Syahead WHERE DenNo = 5"), 0);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f002.SyaJnl WHERE DenNo = 5"), 0);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f013.ToriJnl WHERE DenNo = 5 AND DenFlag = 0"), 1)
        << "the sale stays in the books, unlinked";

    folder.messages.answerNext(true);
    folder.messages.answerNext(true);
    ASSERT_TRUE(access.removeSlip(6));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f013.ToriJnl WHERE DenNo = 6"), 0);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f003.Syahead"), 0);
}

} // namespace
