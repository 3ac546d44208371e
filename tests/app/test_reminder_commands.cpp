// The inspection reminders from the main window's command, driven by keys:
// the dialog opens on next month, the expenses option is stored as it is
// ticked, the list and the postcards count their pages, and the postcards
// saved as a PDF hold the cards of the vehicles due, and of no other.
#include "app/frame/CMainFrame.h"
#include "app/frame/CommandId.h"
#include "app/frame/DocumentFrameRecords.h"
#include "app/wiring/PanelFrameBridge.h"
#include "app/wiring/ReportCommands.h"
#include "controls/CEditEx.h"
#include "controls/CNumericEditEx.h"
#include "controls/FileChooser.h"
#include "data/document/DocumentTestFolder.h"
#include "lan/core/RecordingChangeAnnouncer.h"
#include "print/PagePainter.h"
#include "print/PrinterAccess.h"
#include "reports/core/ReminderMonths.h"
#include "reports/ui/CDPrintNyuuko.h"
#include "reports/ui/CDSetHagaki.h"
#include "support/CustomerBuilder.h"
#include "support/FrameOnDocument.h"
#include "support/PdfWords.h"
#include "support/Utf8.h"
#include "support/VehicleBuilder.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QFile>
#include <QImage>
#include <QRadioButton>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QtEndian>

using namespace kv::app;
using kv::reports::CDPrintNyuuko;
using kv::test::u;

namespace {

// The preview and the PDF chooser, kept for the test to read.
class SeenPrinters final : public kv::print::PrinterAccess {
public:
    std::optional<kv::data::PrinterIdentity> chooseSetup() override { return std::nullopt; }
    bool hasPrinter() const override { return false; }
    bool print(kv::print::PagePainter&) override { return false; }
    void preview(kv::print::PagePainter& printout) override
    {
        previews << QStringLiteral("%1:%2").arg(printout.layout().jobName).arg(printout.pageCount());
    }
    std::optional<QString> choosePdfFile(const QString&) override { return pdf; }
    QStringList previews;
    QString pdf;
};

// The file chooser answering one picture.
class OnePicture final : public kv::FileChooser {
public:
    explicit OnePicture(QString path) : m_path(std::move(path)) { kv::installFileChooser(this); }
    ~OnePicture() override { kv::installFileChooser(nullptr); }
    QStringList openFiles(QWidget*, const QString&, const QString&, const QString&) override { return {m_path}; }
    QString saveFile(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString folder(QWidget*, const QString&, const QString&) override { return {}; }

private:
    QString m_path;
};

constexpr int kDue = 25;

class ReminderCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = folder.open();
        ASSERT_TRUE(doc);
        const QDate next = QDate::currentDate().addMonths(1);
        for (int code = 1; code <= 5; ++code)
            kv::test::CustomerBuilder(code).name(QStringLiteral("顧客%1").arg(code))
                .address(u("東京都品川区")).postalCode(1400001).insertInto(doc->store());
        // Due next month, by day: the owners take turns.
        for (int code = 1; code <= kDue; ++code)
            kv::test::VehicleBuilder(code).owner((code - 1) % 5 + 1)
                .plate(u("品川"), 500, u("あ"), 1000 + code)
                .inspectionExpiry(QDate(next.year(), next.month(), code))
                .set(&CDaoCarSet::m_Jibai, 17650).set(&CDaoCarSet::m_JyuZei, 24600)
                .set(&CDaoCarSet::m_Insi, 1800).set(&CDaoCarSet::m_Daiko, 11000)
                .insertInto(doc->store());
        // Due the month after, and a vehicle being entered elsewhere.
        kv::test::VehicleBuilder(26).owner(1).plate(u("品川"), 500, u("あ"), 9026)
            .inspectionExpiry(QDate::currentDate().addMonths(2)).insertInto(doc->store());
        kv::test::VehicleBuilder(27).owner(1).chassis(u("新規作成中")).plate(u("品川"), 500, u("あ"), 9027)
            .inspectionExpiry(QDate(next.year(), next.month(), 1)).insertInto(doc->store());
        // The label sheet the settings start with: 6 rows of 2.
        CDaoSealSet seals(doc->store().connectionFor(CDaoSealSet::tableDef()));
        ASSERT_TRUE(seals.Open());
        ASSERT_TRUE(seals.AddNew());
        seals.m_Maker = u("Ａ－ｏｎｅ");
        seals.m_Hinban = u("28382");
        seals.m_Gyo = 6;
        seals.m_Retu = 2;
        seals.m_Tate = 423;
        seals.m_Yoko = 864;
        seals.m_Top = 216;
        seals.m_Left = 186;
        ASSERT_TRUE(seals.Update());
        kv::test::openFrameOnDocument(*doc, temp.path(), profile, frame, records, bridge);
        commands = std::make_unique<ReportCommands>(*frame, *doc, &printers, &profile);
        frame->refreshCommands();
        frame->show();
    }

    void TearDown() override
    {
        commands.reset();
        bridge.reset();
        frame.reset();
        doc.reset();
    }

    CDPrintNyuuko* openReminders()
    {
        if (!frame->registry().run(CommandId::InspectionDueList))
            return nullptr;
        auto* dialog = qobject_cast<CDPrintNyuuko*>(commands->openDialog());
        if (dialog) {
            QApplication::setActiveWindow(dialog);
            EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        }
        return dialog;
    }

    // A button's mnemonic clicks it as a press would: after its short
    // animation.
    static void alt(QWidget* dialog, Qt::Key key)
    {
        QTest::keyClick(dialog, key, Qt::AltModifier);
        QTest::qWait(250);
    }

    qint32 storedCostsOption() const
    {
        QFile file(folder.folder.path() + QStringLiteral("/003.dat"));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return qFromLittleEndian<qint32>(file.readAll().mid(64, 4).constData());
    }

    kv::test::DocumentTestFolder folder;
    kv::test::TempFolder temp;
    std::unique_ptr<kv::data::CCarMaintenanceDoc> doc;
    QSettings profile{temp.path() + QStringLiteral("/profile.ini"), QSettings::IniFormat};
    std::unique_ptr<CMainFrame> frame;
    std::unique_ptr<DocumentFrameRecords> records;
    std::unique_ptr<PanelFrameBridge> bridge;
    SeenPrinters printers;
    kv::lan::RecordingChangeAnnouncer announcer;
    std::unique_ptr<ReportCommands> commands;
};

TEST_F(ReminderCommandsTest, NextMonthsPostcardsWithCostsGoToPreviewAndPdf)
{
    CDPrintNyuuko* dialog = openReminders();
    ASSERT_TRUE(dialog);
    EXPECT_FALSE(frame->isEnabled()) << "the main window waits for the dialog";
    const QString next = kv::reports::ReminderMonths::nextMonth(QDate::currentDate());
    EXPECT_EQ(dialog->startMonthField()->text(), next);
    EXPECT_EQ(dialog->endMonthField()->text(), next);
    EXPECT_TRUE(dialog->outputButton(CDPrintNyuuko::List)->isChecked());
    EXPECT_FALSE(dialog->costsOption()->isEnabled()) << "the list has no costs";

    // The list: 25 vehicles, 12 a page.
    alt(dialog, Qt::Key_V);
    // The postcards with their costs: the option is stored at once.
    alt(dialog, Qt::Key_2);
    ASSERT_TRUE(dialog->outputButton(CDPrintNyuuko::Postcards)->isChecked());
    ASSERT_TRUE(dialog->costsOption()->isEnabled());
    alt(dialog, Qt::Key_E);
    EXPECT_TRUE(dialog->costsOption()->isChecked());
    EXPECT_EQ(storedCostsOption(), 1);
    EXPECT_EQ(doc->settings().print().jobCategoryListOption, 1);
    ASSERT_EQ(announcer.announcements().size(), 1);
    EXPECT_EQ(announcer.announcements().at(0).kind, u("印字"));
    alt(dialog, Qt::Key_V);
    EXPECT_EQ(printers.previews, (QStringList{u("車検入庫予定車輌一覧:3"),
                                              u("車検入庫予定車輌 はがき宛先:25")}));

    printers.pdf = temp.path() + QStringLiteral("/reminders.pdf");
    alt(dialog, Qt::Key_S);
    const kv::test::PdfWords pdf = kv::test::PdfWords::read(printers.pdf);
    ASSERT_TRUE(pdf.ok) << pdf.error.toStdString();
    ASSERT_EQ(pdf.pages.size(), size_t(kDue));
    for (int page = 1; page <= kDue; ++page) {
        SCOPED_TRACE(page);
        // By expiry: vehicle n on page n, its owner the customer of its turn.
        EXPECT_FALSE(pdf.find(page, u("車検満期のご案内")).empty());
        EXPECT_FALSE(pdf.find(page, QString::number(1000 + page)).empty());
        EXPECT_FALSE(pdf.find(page, QStringLiteral("顧客%1").arg((page - 1) % 5 + 1)).empty());
        // 17,650 + 24,600 + 1,800 + 11,000 and 10 % of the agency fee.
        EXPECT_FALSE(pdf.find(page, u("56,150")).empty());
        EXPECT_TRUE(pdf.find(page, u("9026")).empty());
        EXPECT_TRUE(pdf.find(page, u("9027")).empty());
    }
    EXPECT_TRUE(folder.messages.messages().isEmpty()) << folder.messages.messages().join('|').toStdString();

    // Labels for the same owners on the sheet of the settings (6 x 2), from
    // a start row that must lie on it.
    alt(dialog, Qt::Key_6);
    ASSERT_TRUE(dialog->startRowField()->isEnabled());
    for (const char* row : {"7", "1"}) {
        dialog->startRowField()->setFocus();
        dialog->startRowField()->selectAll();
        QTest::keyClicks(dialog->startRowField(), QString::fromLatin1(row));
        alt(dialog, Qt::Key_V);
    }
    EXPECT_EQ(folder.messages.messages(), QStringList{u("開始行が範囲を超えています！")});
    EXPECT_EQ(printers.previews.last(), u("車検入庫予定車輌 宛先シール:3"));

    dialog->close();
    EXPECT_TRUE(frame->isEnabled());
}

TEST_F(ReminderCommandsTest, SpansAreCheckedAndAnEmptyOneSaysSo)
{
    CDPrintNyuuko* dialog = openReminders();
    ASSERT_TRUE(dialog);
    // A span ending before it starts.
    dialog->endMonthField()->setFocus();
    dialog->endMonthField()->selectAll();
    QTest::keyClicks(dialog->endMonthField(), QStringLiteral("9901"));
    QTest::keyClick(dialog->endMonthField(), Qt::Key_Tab);
    alt(dialog, Qt::Key_V);
    EXPECT_EQ(folder.messages.messages(), QStringList{u("終了日付が開始日付より小さくなっています！")});
    // A span with no vehicle in it.
    const QString later = kv::reports::ReminderMonths::nextMonth(QDate::currentDate().addMonths(3));
    for (kv::CEditEx* field : {dialog->startMonthField(), dialog->endMonthField()}) {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, later.left(2) + later.right(2));
        QTest::keyClick(field, Qt::Key_Tab);
    }
    folder.messages.clear();
    alt(dialog, Qt::Key_V);
    EXPECT_EQ(folder.messages.messages(), QStringList{u("該当データが存在しません！")});
    EXPECT_TRUE(printers.previews.isEmpty());
    // The backs need a picture.
    folder.messages.clear();
    alt(dialog, Qt::Key_3);
    alt(dialog, Qt::Key_V);
    EXPECT_EQ(folder.messages.messages(), QStringList{u("ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙが選択されていません！")});

    // The settings button chooses the reminders' own picture (entry 0, not
    // the customer postcards' entry 1), and the backs print with it.
    const QString picture = temp.path() + QStringLiteral("/back.png");
    QImage image(90, 130, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(picture));
    OnePicture files(picture);
    // The settings open modal once the button's press has played out.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&answer] {
        auto* settings = qobject_cast<kv::reports::CDSetHagaki*>(QApplication::activeModalWidget());
        if (!settings)
            return;
        answer.stop();
        settings->chooseButton()->click();
        settings->okButton()->click();
    });
    answer.start(20);
    folder.messages.clear();
    alt(dialog, Qt::Key_T);
    EXPECT_FALSE(answer.isActive()) << "the postcard settings did not open";
    EXPECT_EQ(doc->settings().bitmapNames().paths[0], picture);
    EXPECT_TRUE(doc->settings().bitmapNames().paths[1].isEmpty());
    QApplication::setActiveWindow(dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    alt(dialog, Qt::Key_V);
    EXPECT_TRUE(folder.messages.messages().isEmpty()) << folder.messages.messages().join('|').toStdString();
    EXPECT_EQ(printers.previews.value(0), u("車検入庫予定車輌 はがき裏面:1"));

    // The list has no settings.
    alt(dialog, Qt::Key_1);
    EXPECT_FALSE(dialog->settingsButton()->isEnabled());
}

} // namespace
