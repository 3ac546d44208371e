// Two computers on one data folder: the other one is a process of its own
// under another computer name, holding one lock while this one records.

#include "RecordingFixture.h"

#include "support/TestPaths.h"

#include <QProcess>

using namespace kv::test;
using F = kv::records::PanelField;

namespace {

class OtherComputer {
public:
    OtherComputer(const QString& folder, const QStringList& lockArguments)
    {
        m_process.start(peerProgram(), QStringList{"lock-holder", folder, "PC2"} + lockArguments);
        ready = m_process.waitForReadyRead(10000)
             && m_process.readLine().trimmed() == QByteArray("ready");
    }
    ~OtherComputer()
    {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(10000))
            m_process.kill();
    }
    bool ready = false;

private:
    QProcess m_process;
};

using TwoComputers = RecordingFixture;

TEST_F(TwoComputers, ACodeTypedOnTheOtherComputerIsRefused)
{
    OtherComputer other(folder.folder.path(), {"claim", "NewKokDummy", "7"});
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
        OtherComputer other(folder.folder.path(), {"hold", "Printing"});
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

TEST_F(TwoComputers, ACustomerOpenOnTheOtherComputerIsNeitherRecordedNorDeleted)
{
    OtherComputer other(folder.folder.path(), {"claim", "010.mdb", "1"});
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

} // namespace
