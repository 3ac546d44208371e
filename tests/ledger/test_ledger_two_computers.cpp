// The ledger between computers, the other one a process of its own: one
// customer's ledger is open on one computer at a time, and a delivery note
// recorded on one computer is in the ledger the other opens next.

#include "ledger/ui/CFMoto.h"
#include "ledger/ui/CMotoFrame.h"

#include "LedgerShop.h"
#include "controls/CListCtrlEx.h"
#include "support/TestPaths.h"

#include <QProcess>

using namespace kv::test;
using namespace kv::ledger;

namespace {

const char* kEditedElsewhere = "このデータは他のコンピュータで編集中です！";

class LedgerTwoComputers : public LedgerShop {
protected:
    // The other computer opening customer 1's ledger; true once it holds it.
    bool otherOpens(QProcess& other, QByteArray* said = nullptr)
    {
        other.start(peerProgram(), {"ledger", folder.folder.path(), "PC2", "1"});
        if (!other.waitForStarted(10000) || !other.waitForReadyRead(20000))
            return false;
        const QByteArray line = other.readLine().trimmed();
        if (said)
            *said = line;
        return line == "ready";
    }
    void closeOther(QProcess& other)
    {
        other.closeWriteChannel();
        ASSERT_TRUE(other.waitForFinished(10000));
    }
};

TEST_F(LedgerTwoComputers, TheSecondComputerOpeningACustomersLedgerIsRefused)
{
    QProcess other;
    ASSERT_TRUE(otherOpens(other)) << other.readAllStandardError().toStdString();
    EXPECT_EQ(CMotoFrame::open(*doc, 1, &profile), nullptr);
    EXPECT_EQ(folder.messages.messages(), QStringList{u(kEditedElsewhere)});
    closeOther(other);

    // Once it closed its ledger this computer opens it and holds the other off.
    folder.messages.clear();
    CMotoFrame* frame = CMotoFrame::open(*doc, 1, &profile);
    ASSERT_NE(frame, nullptr) << folder.messages.messages().join('|').toStdString();
    QProcess refused;
    QByteArray said;
    EXPECT_FALSE(otherOpens(refused, &said));
    EXPECT_EQ(QString::fromUtf8(said), QStringLiteral("refused: ") + u(kEditedElsewhere));
    ASSERT_TRUE(refused.waitForFinished(10000));
    EXPECT_EQ(refused.exitCode(), 1);

    frame->close();
    QProcess after;
    EXPECT_TRUE(otherOpens(after)) << "closing gave the customer back";
    closeOther(after);
}

TEST_F(LedgerTwoComputers, ADeliveryNoteRecordedElsewhereIsInTheLedgerOpenedNext)
{
    QProcess writer;
    writer.start(peerProgram(), {"slips", folder.folder.path(), "PC2", "1", "10", "1"});
    ASSERT_TRUE(writer.waitForFinished(60000));
    ASSERT_EQ(writer.exitCode(), 0) << writer.readAllStandardError().toStdString();
    const qint64 slip = scalar("SELECT DenNo FROM f003.Syahead");
    ASSERT_GT(slip, 0);

    CMotoFrame* frame = CMotoFrame::open(*doc, 1, &profile);
    ASSERT_NE(frame, nullptr) << folder.messages.messages().join('|').toStdString();
    kv::CListCtrlEx* list = frame->form()->list();
    ASSERT_EQ(list->rowCount(), 1);
    EXPECT_EQ(list->cellText(0, int(LedgerColumn::SlipNo)), QString::asprintf("%06lld", slip));
    // 90 lines of 1,000 yen billed, on top of the 5,000 carried forward.
    EXPECT_EQ(list->cellText(0, int(LedgerColumn::Balance)), "95,000");
    delete frame;
}

} // namespace
