// A new slip typed through the real window: a line in the grid, the totals,
// F11, and the slip with its sale read back.

#include "slips/ui/SlipWindowFactory.h"

#include "SlipTestShop.h"
#include "slips/core/SlipAccess.h"
#include "slips/ui/CDenFrame.h"
#include "slips/ui/CMeisaiScView.h"
#include "slips/ui/CFKihon.h"
#include "controls/CNumericEditEx.h"
#include <QScrollArea>
#include "controls/FileChooser.h"
#include "support/ModalDialogHelper.h"
#include "support/TempFolder.h"
#include "support/Utf8.h"

#include <QDir>
#include <QImage>
#include <QListWidget>
#include <QPushButton>

#include <QApplication>
#include <QPointer>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

using namespace kv::test;
using namespace kv::slips;

namespace {

class SlipWindowKeys : public SlipTestShop {
protected:
    void SetUp() override
    {
        SlipTestShop::SetUp();
        if (HasFatalFailure())
            return;
        doc->settings().rounding().taxRate = 0.10;
        profile = std::make_unique<QSettings>(profileFolder.path() + "/profile.ini",
                                              QSettings::IniFormat);
        access = std::make_unique<SlipAccess>(*doc);
        ASSERT_TRUE(access->open(1, 10).ok);
    }

    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
        QApplication::processEvents();
    }
    void type(const QString& text)
    {
        QTest::keyClicks(QApplication::focusWidget(), text);
        press(Qt::Key_Return);
    }

    // New slip 1 of customer 1's vehicle 10, shown and active; nullptr when
    // it did not open.
    CDenFrame* openNewSlip()
    {
        SlipContext context;
        context.slipNumber = 1;
        context.customerCode = 1;
        context.vehicleCode = 10;
        CDenFrame* frame = openSlipWindow(*doc, *access, nullptr, profile.get(), context);
        if (!frame)
            return nullptr;
        frame->show();
        QApplication::setActiveWindow(frame);
        return QTest::qWaitForWindowActive(frame) ? frame : nullptr;
    }

    TempFolder profileFolder;
    std::unique_ptr<QSettings> profile;
    std::unique_ptr<SlipAccess> access;
};

TEST_F(SlipWindowKeys, ALineTypedIntoANewSlipIsRecordedWithItsSale)
{
    SlipContext context;
    context.slipNumber = 1;
    context.customerCode = 1;
    context.vehicleCode = 10;
    QPointer<CDenFrame> frame =
        openSlipWindow(*doc, *access, nullptr, profile.get(), context);
    ASSERT_TRUE(frame);
    frame->show();
    QApplication::setActiveWindow(frame);
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));

    press(Qt::Key_F2);
    ASSERT_EQ(frame->activePane(), CDenFrame::Pane::Lines)
        << folder.messages.messages().join('|').toStdString();
    type("Oil");
    type("");
    type("");
    type("2");
    type("1500");
    auto* grid = frame->findChild<CMeisaiScView*>();
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->cellText(0, 5), "3,000");

    press(Qt::Key_F3);
    ASSERT_EQ(frame->activePane(), CDenFrame::Pane::Totals)
        << folder.messages.messages().join('|').toStdString();
    folder.messages.answerNext(true);
    press(Qt::Key_F11);
    EXPECT_TRUE(frame.isNull()) << folder.messages.messages().join('|').toStdString();
    EXPECT_EQ(scalar("SELECT BuhiMeiTot FROM f003.Syahead WHERE DenNo = 1"), 3000);
    EXPECT_EQ(scalar("SELECT BuhiKouZei FROM f003.Syahead WHERE DenNo = 1"), 300);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f002.SyaJnl WHERE DenNo = 1 AND Meisai = 'Oil'"
                     " AND Suuryo = 20 AND Tanka = 1500 AND Kingaku = 3000"),
              1);
    EXPECT_EQ(scalar("SELECT Buhin FROM f013.ToriJnl WHERE DenNo = 1"), 3000);
    EXPECT_EQ(scalar("SELECT GTot FROM f013.ToriJnl WHERE DenNo = 1"), 3300);

    // Opened again for modification, the same totals come back.
    ASSERT_TRUE(access->open(1, 10).ok);
    context.mode = SlipMode::Modify;
    context.sourceSlip = 1;
    frame = openSlipWindow(*doc, *access, nullptr, profile.get(), context);
    ASSERT_TRUE(frame);
    frame->show();
    grid = frame->findChild<CMeisaiScView*>();
    EXPECT_EQ(grid->cellText(0, 0), "Oil");
    EXPECT_EQ(grid->cellText(0, 5), "3,000");
    delete frame;
}

// Answers every file chooser with the files it was given.
class GivenFiles final : public kv::FileChooser {
public:
    explicit GivenFiles(QStringList files) : m_files(std::move(files)) { kv::installFileChooser(this); }
    ~GivenFiles() override { kv::installFileChooser(nullptr); }
    QStringList openFiles(QWidget*, const QString&, const QString&, const QString&) override
    {
        return m_files;
    }
    QString saveFile(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString folder(QWidget*, const QString&, const QString&) override { return {}; }

private:
    QStringList m_files;
};

TEST_F(SlipWindowKeys, APhotoAttachedToALineMovesWithItAndIsStoredUnderItsRow)
{
    TempFolder camera;
    const QString picture = camera.path() + "/door.png";
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(picture));
    GivenFiles chooser({picture});

    QPointer<CDenFrame> frame = openNewSlip();
    ASSERT_TRUE(frame);
    press(Qt::Key_F2);
    type("Door");
    auto* grid = frame->findChild<CMeisaiScView*>();
    ASSERT_TRUE(grid);

    ModalDialogHelper dialogs;
    int shown = -1;
    dialogs.answerNext([&shown](QWidget* dialog) {
        for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
            if (button->text().startsWith(u("追加")))
                button->click();
        }
        shown = dialog->findChild<QListWidget*>()->count();
        QMetaObject::invokeMethod(dialog, "accept");
    });
    grid->openPhotos(0);
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(grid->lines().line(0).photos.isEmpty());

    // Cut from row 1, pasted into row 3: the photo goes along.
    QApplication::setActiveWindow(frame);
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    grid->setCurrentCell(0, 0);
    press(Qt::Key_F7);
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    press(Qt::Key_F9);
    EXPECT_EQ(grid->cellText(2, 0), "Door");
    press(Qt::Key_F3);
    folder.messages.answerNext(false);
    press(Qt::Key_F11);
    ASSERT_TRUE(frame.isNull()) << folder.messages.messages().join('|').toStdString();

    EXPECT_EQ(QDir(doc->photoFolder()).entryList(QDir::Files), QStringList{"00000103_p1.png"});
    EXPECT_EQ(kv::test::DocumentTestFolder::text(
                  *doc, "SELECT Photo FROM f002.SyaJnl WHERE DenNo = 1 AND LineNo = 2"),
              "00000103_p1.png\r\n");
    EXPECT_TRUE(QImage(doc->photoFolder() + "/00000103_p1.png").pixelColor(5, 5) == Qt::red);
}

TEST_F(SlipWindowKeys, ASlipWhosePhotoWorkFolderCannotBeEmptiedIsNotOpened)
{
    // The work folder's place taken by a file: loading must stop, or
    // recording the empty grid would write over the stored lines.
    const QString work = SlipPhotos::workFolderFor(doc->temporaryFolder());
    QDir(work).removeRecursively();
    QFile blocker(work);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    SlipContext context;
    context.slipNumber = 1;
    context.customerCode = 1;
    context.vehicleCode = 10;
    EXPECT_EQ(openSlipWindow(*doc, *access, nullptr, profile.get(), context), nullptr);
    EXPECT_EQ(folder.messages.messages().size(), 1);
}

TEST_F(SlipWindowKeys, ALabourRateChangedInTheHeaderPricesALineReachedByTheMouse)
{
    QPointer<CDenFrame> frame = openNewSlip();
    ASSERT_TRUE(frame);
    auto* header = frame->findChild<CFKihon*>();
    auto* grid = frame->findChild<CMeisaiScView*>();
    ASSERT_TRUE(header && grid);
    ASSERT_NE(header->labourRateEdit()->text(), "9,000");

    header->labourRateEdit()->setFocus();
    QApplication::processEvents();
    header->labourRateEdit()->selectAll();
    QTest::keyClicks(header->labourRateEdit(), "9000");
    // Straight into the index cell of the first row, not by F2.
    QWidget* canvas = grid->findChild<QScrollArea*>()->widget();
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(19 + 235 + 40 + 5, 5));
    QApplication::processEvents();
    ASSERT_EQ(header->labourRateEdit()->text(), "9,000");
    type("1.5");
    EXPECT_EQ(grid->cellText(0, 6), "13,500");
    delete frame;
}

} // namespace
