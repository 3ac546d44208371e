// Two computers on one data folder: the other one is a process of its own
// under another computer name, holding one lock while this one records.

#include "RecordingFixture.h"
#include "support/LockHoldingComputer.h"

#include "records/NewRecordCodes.h"


using namespace kv::test;
using F = kv::records::PanelField;

namespace {


using TwoComputers = RecordingFixture;

TEST_F(TwoComputers, ACodeTypedOnTheLockHoldingComputerIsRefused)
{
    LockHoldingComputer other(folder.folder.path(), {"claim", "NewKokDummy", "7"});
    ASSERT_TRUE(other.ready);
    ASSERT_EQ(newCustomer(), 2);
    type(F::KokCode, "7");
    EXPECT_EQ(messages(), QStringList{u("このコードは他のコンピュータで編集中です！")});
    EXPECT_EQ(edit(F::KokCode)->text(), "2");
    EXPECT_EQ(host->reserved[0], 2);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f010.Kok WHERE KokCode = 7"), 0);
}

TEST_F(TwoComputers, NothingIsRecordedWhileTheOtherPreparesPrinting)
{
    ASSERT_TRUE(panel->ShowCustomer(1, true));
    type(F::Tel1, "099-1");
    {
        LockHoldingComputer other(folder.folder.path(), {"hold", "Printing"});
        ASSERT_TRUE(other.ready);
        EXPECT_FALSE(recorder->RecordCurrent());
        EXPECT_EQ(messages(), QStringList{u("他のコンピュータで印刷準備中です！\n"
                                            "暫くしてから再度記録を行ってください。")});
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM f010.Kok WHERE Tel1 = '099-1'"), 0);
    }
    folder.messages.clear();
    EXPECT_TRUE(recorder->RecordCurrent()) << messages().join('|').toStdString();
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f010.Kok WHERE Tel1 = '099-1'"), 1);
}

TEST_F(TwoComputers, ACustomerOpenOnTheLockHoldingComputerIsNeitherRecordedNorDeleted)
{
    LockHoldingComputer other(folder.folder.path(), {"claim", "010.mdb", "1"});
    ASSERT_TRUE(other.ready);
    ASSERT_TRUE(panel->ShowCustomer(1, true));
    type(F::Tel1, "099-2");
    const QStringList refused{u("このデータは他のコンピュータで編集中です！")};
    EXPECT_FALSE(recorder->RecordCurrent());
    EXPECT_EQ(messages(), refused);
    folder.messages.clear();
    EXPECT_FALSE(removal->DeleteCustomer());
    EXPECT_EQ(messages(), refused);
    folder.messages.clear();
    EXPECT_FALSE(removal->DeleteVehicle());
    EXPECT_EQ(messages(), refused);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f010.Kok WHERE KokCode = 1 AND Tel1 = '03-1111-2222'"), 1);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f009.Car WHERE KokCode = 1"), 2);
}

TEST_F(TwoComputers, AVehicleEnteredForACustomerLeavesTheSameVehicleCodeAlone)
{
    sql("INSERT INTO f009.Car (CarCode, KokCode, Rikuji, Syatai) VALUES (4, 1, '品川', 'C-4')");
    ASSERT_TRUE(doc->vehicles().Requery());
    // The other computer is entering a new vehicle for customer 4.
    LockHoldingComputer other(folder.folder.path(),
                        {"claim", "NewCarDummy",
                         QString::number(kv::records::NewRecordCodes::ownerKey(4))});
    ASSERT_TRUE(other.ready);

    EXPECT_TRUE(panel->ShowVehicle(4, true)) << messages().join('|').toStdString();
    EXPECT_EQ(shown(F::Syatai), u("C-4"));

    // Customer 4 itself is guarded: no second new vehicle for it here.
    ASSERT_TRUE(panel->ShowCustomer(4, true));
    int code = 0;
    EXPECT_FALSE(entry->NewVehicle(&code));
    EXPECT_EQ(messages(), QStringList{u("この顧客は他のコンピュータで編集中です！")});

    // A free vehicle code of the same number is no customer's.
    sql("DELETE FROM f009.Car WHERE CarCode = 4");
    ASSERT_TRUE(doc->vehicles().Requery());
    folder.messages.clear();
    ASSERT_TRUE(panel->ShowCustomer(3, true));
    host->previousMode = 1;
    ASSERT_TRUE(entry->NewVehicle(&code));
    host->reserved[1] = code;
    host->currentMode = 101;
    type(F::CarCode, "4");
    EXPECT_TRUE(messages().isEmpty()) << messages().join('|').toStdString();
    EXPECT_EQ(edit(F::CarCode)->text(), "4");
    EXPECT_EQ(host->reserved[1], 4);
}

TEST_F(TwoComputers, AFaultyFieldIsReportedBeforeAnyLockIsAsked)
{
    ASSERT_TRUE(panel->ShowCustomer(1, true));
    LockHoldingComputer other(folder.folder.path(), {"hold", "Printing"});
    ASSERT_TRUE(other.ready);
    edit(F::Shime2)->setText("45");
    EXPECT_FALSE(recorder->RecordCurrent());
    EXPECT_EQ(messages(), QStringList{u("0から31迄の整数を入力してくだい！")});
    EXPECT_TRUE(edit(F::Shime2)->hasFocus());
}

} // namespace
