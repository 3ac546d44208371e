// The vehicle's slip history window, driven by its keys.

#include "slips/ui/CSyareFrame.h"

#include "controls/CListCtrlEx.h"
#include "SlipTestShop.h"
#include "data/engine/DayNumber.h"
#include "data/service/ShareLockAction.h"
#include "slips/core/SlipAccess.h"
#include "slips/core/SlipRecorder.h"
#include "support/TempFolder.h"
#include "support/Utf8.h"

#include <QApplication>
#include <QPointer>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

using namespace kv::test;
using namespace kv::slips;

namespace {

class SlipHistory : public SlipTestShop {
protected:
    void SetUp() override
    {
        SlipTestShop::SetUp();
        if (HasFatalFailure())
            return;
        record(42, QDate(2023, 6, 1), 12000, 8000, 500);
        record(7, QDate(2024, 2, 20), 1000, 0, 0);
        record(43, QDate(2023, 1, 10), 0, 0, 0);
        profile = std::make_unique<QSettings>(profileFolder.path() + "/profile.ini",
                                              QSettings::IniFormat);
        access = std::make_unique<SlipAccess>(*doc);
        ASSERT_TRUE(access->open(1, 10).ok);
    }

    void record(int number, const QDate& issued, int parts, int labour, int discount)
    {
        SlipRecording slip;
        slip.customerCode = 1;
        slip.header.m_DenNo = number;
        slip.header.m_CarCode = 10;
        slip.header.m_SeiKokCode = 1;
        slip.header.m_DenKind = Estimate;
        slip.header.m_NyuukoKbnCode = 3;
        slip.header.m_HatuDate = kv::data::toDayNumber(issued);
        slip.header.m_BuhiMeiTot = parts;
        slip.header.m_KouMeiTot = labour;
        slip.header.m_BuhiNebi = discount;
        ASSERT_TRUE(SlipRecorder(*doc).record(slip).recorded);
    }

    CSyareFrame* openWindow(QWidget* mainWindow = nullptr)
    {
        CSyareFrame::Setup setup;
        setup.vehicleCode = 10;
        setup.title = u("車歴一覧");
        setup.categoryName = [](int code) { return code == 3 ? u("車検") : QString(); };
        setup.profile = profile.get();
        auto* frame = new CSyareFrame(*access, setup, mainWindow);
        frame->show();
        QApplication::setActiveWindow(frame);
        EXPECT_TRUE(QTest::qWaitForWindowActive(frame));
        return frame;
    }

    bool heldHere(const char* resource, int code)
    {
        return !doc->ShareLock(QString::fromLatin1(resource), "PC3", code,
                               kv::data::ShareLockAction::IsHeldElsewhere);
    }

    TempFolder profileFolder;
    std::unique_ptr<QSettings> profile;
    std::unique_ptr<SlipAccess> access;
};

TEST_F(SlipHistory, OldestFirstWithTheNewestCurrent)
{
    QPointer<CSyareFrame> frame = openWindow();
    kv::CListCtrlEx* list = frame->list();
    ASSERT_EQ(list->rowCount(), 3);
    EXPECT_EQ(list->cellText(0, 0), "000043");
    EXPECT_EQ(list->cellText(1, 0), "000042");
    EXPECT_EQ(list->cellText(2, 0), "000007");
    EXPECT_EQ(list->cellText(1, 1), "23/06/01");
    EXPECT_EQ(list->cellText(1, 2), u("御見積書"));
    EXPECT_EQ(list->cellText(1, 3), u("車検"));
    EXPECT_EQ(list->cellText(1, 4), "20,000");
    EXPECT_EQ(list->cellText(1, 5), "500");
    EXPECT_EQ(list->currentRow(), 2);
    EXPECT_EQ(frame->currentSlip(), 7);
    delete frame;
}

TEST_F(SlipHistory, OpensBesideTheMainWindowWithItsCaptionsAligned)
{
    QWidget mainWindow;
    mainWindow.move(120, 40);
    CSyareFrame::Setup setup;
    setup.vehicleCode = 10;
    setup.profile = profile.get();
    QPointer<CSyareFrame> frame = new CSyareFrame(*access, setup, &mainWindow);
    EXPECT_EQ(frame->pos(), QPoint(127, 126));
    EXPECT_EQ(frame->size(), QSize(800, 570));
    const QAbstractItemModel* model = frame->list()->model();
    const auto caption = [model](int column) {
        return Qt::Alignment(model->headerData(column, Qt::Horizontal, Qt::TextAlignmentRole).toInt())
            & Qt::AlignHorizontal_Mask;
    };
    EXPECT_EQ(caption(0), Qt::AlignRight);
    EXPECT_EQ(caption(1), Qt::AlignHCenter);
    EXPECT_EQ(caption(2), Qt::AlignLeft);
    EXPECT_EQ(caption(3), Qt::AlignLeft);
    for (int column = 4; column <= 10; ++column)
        EXPECT_EQ(caption(column), Qt::AlignRight) << column;
    delete frame;
}

TEST_F(SlipHistory, KeysOpenTheCurrentSlipAndDeleteIt)
{
    QPointer<CSyareFrame> frame = openWindow();
    QSignalSpy modify(frame.data(), &CSyareFrame::modifySlip);
    QSignalSpy transfer(frame.data(), &CSyareFrame::transferSlip);
    QSignalSpy created(frame.data(), &CSyareFrame::newSlip);
    QTest::keyClick(frame->list(), Qt::Key_F2);
    QTest::keyClick(frame->list(), Qt::Key_F3);
    QTest::keyClick(frame->list(), Qt::Key_F1);
    ASSERT_EQ(modify.size(), 1);
    EXPECT_EQ(modify.first().first().toInt(), 7);
    ASSERT_EQ(transfer.size(), 1);
    EXPECT_EQ(created.size(), 1);

    // Deleting the first row keeps the first row current, now the next slip.
    frame->list()->selectRow(0);
    folder.messages.answerNext(true);
    QTest::keyClick(frame->list(), Qt::Key_F4);
    EXPECT_EQ(frame->list()->rowCount(), 2);
    EXPECT_EQ(frame->currentSlip(), 42);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f003.Syahead WHERE DenNo = 43"),
              0);
    delete frame;
}

TEST_F(SlipHistory, EscapeGivesTheLocksBackAndWidthsAreKept)
{
    QPointer<CSyareFrame> frame = openWindow();
    ASSERT_TRUE(heldHere("009.mdb", 10));
    emit frame->list()->columnWidthChosen(4, 91);
    QSignalSpy closed(frame.data(), &CSyareFrame::closed);
    QTest::keyClick(frame->list(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(closed.size(), 1);
    EXPECT_FALSE(heldHere("009.mdb", 10));
    EXPECT_FALSE(heldHere("010.mdb", 1));
    EXPECT_FALSE(heldHere("DenKok", 1));
    EXPECT_EQ(profile->value("Syare/BuhiKouTotWidth").toInt(), 91);

    // Handing over to the slip window keeps them.
    ASSERT_TRUE(access->open(1, 10).ok);
    frame = openWindow();
    frame->handOver();
    QApplication::processEvents();
    EXPECT_TRUE(heldHere("009.mdb", 10));
}

} // namespace
