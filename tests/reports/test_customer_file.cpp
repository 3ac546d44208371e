// The customer file's print dialog driven by keys to its PDFs and previews,
// its postcard positions dialog, and the lists it reads from the data
// folder.

#include "reports/ui/CDPrintKokCarMst.h"
#include "reports/ui/BackPicture.h"
#include "reports/ui/CDSetHagaki.h"
#include "reports/ui/ReportRangeGroups.h"
#include "controls/CNumericEditEx.h"
#include "controls/FileChooser.h"
#include "masters/FontChooser.h"
#include "masters/SettingsTestFolder.h"
#include "print/PagePainter.h"
#include "print/PrinterAccess.h"
#include "reports/core/CustomerFile.h"
#include "reports/core/PostcardShifts.h"
#include "data/settings/SettingsStore.h"
#include "support/CustomerBuilder.h"
#include "support/FakePrinterAccess.h"
#include "support/PdfWords.h"
#include "support/Utf8.h"
#include "support/VehicleBuilder.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using namespace kv::reports;
using kv::test::CustomerBuilder;
using kv::test::PdfWords;
using kv::test::u;

namespace {

using FakePrinters = kv::test::FakePrinterAccess;

class NoFonts final : public kv::masters::FontChooser {
public:
    std::optional<QFont> choose(const QFont&, QWidget*) override { return std::nullopt; }
};

// Answers the file choosers with the paths given, in turn.
class ScriptedFiles final : public kv::FileChooser {
public:
    ScriptedFiles() { kv::installFileChooser(this); }
    ~ScriptedFiles() override { kv::installFileChooser(nullptr); }
    QStringList openFiles(QWidget*, const QString&, const QString& folder, const QString& filter) override
    {
        starts << folder;
        filters << filter;
        if (answers.isEmpty())
            return {};
        return {answers.takeFirst()};
    }
    QString saveFile(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString folder(QWidget*, const QString&, const QString&) override { return {}; }
    QStringList answers;
    QStringList starts;
    QStringList filters;
};

constexpr double kHalfMillimetre = 5;

class CustomerFileDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(t.doc);
        mainWindow.show();
    }

    CDPrintKokCarMst* openDialog()
    {
        ReportDialog::Setup setup;
        setup.run.document = t.doc.get();
        setup.run.printers = &printers;
        setup.run.reapplyOrder = [] {};
        setup.mainWindow = &mainWindow;
        auto* dialog = new CDPrintKokCarMst(setup, fonts);
        kv::test::SettingsTestFolder::showActive(*dialog);
        return dialog;
    }
    void insert(CustomerBuilder builder) { ASSERT_TRUE(builder.insertInto(t.doc->store())); }
    // Moves the output list to an output with the arrow keys.
    static void chooseOutput(CDPrintKokCarMst& dialog, int output)
    {
        QComboBox* combo = dialog.outputCombo();
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Home);
        for (int step = 0; step < output; ++step)
            QTest::keyClick(combo, Qt::Key_Down);
        ASSERT_EQ(dialog.output(), output);
    }
    // As a keyboard types it: kana arrive as key events carrying their text.
    static void typeOver(QLineEdit* field, const QString& text)
    {
        field->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        for (const QChar character : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
            QApplication::sendEvent(field, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(character));
            QApplication::sendEvent(field, &release);
        }
        QTest::keyClick(field, Qt::Key_Tab);
        QApplication::processEvents();
    }
    QStringList messages() { return t.messages().messages(); }
    void addSheet(int rows, int columns)
    {
        t.sql("INSERT INTO main.Seal (Maker, Hinban, Gyo, Retu, Tate, Yoko, Top, Left, Vertical, "
              "Horizontal) VALUES ('Ａ－ｏｎｅ', '28382', "
              + QByteArray::number(rows) + ", " + QByteArray::number(columns)
              + ", 400, 900, 100, 100, 0, 50)");
    }

    kv::test::SettingsTestFolder t;
    QWidget mainWindow;
    FakePrinters printers;
    NoFonts fonts;
};

TEST_F(CustomerFileDialog, PostcardsOfAReadingRangeGoToAPdfAtTheirPlacesMovedByTheShifts)
{
    // Address side 3.0 mm down and 2.0 mm left.
    t.doc->settings().print().positions.postcard = {30, -20, 0, 0};
    t.doc->settings().shop().shopName = u("サビオン自動車");
    insert(CustomerBuilder(1).name(u("青木太郎")).reading(u("ｱｵｷ")).postalCode(1234567)
               .address(u("東京都千代田区丸の内１－１")).set(&CDaoKokSet::m_Sama, 1));
    // Its reading sorts after "ｶﾝ...": a range padded with "ﾝ" would lose it.
    insert(CustomerBuilder(2).name(u("学校法人")).reading(u("ｶﾞｯｺｳ")).address(u("大阪市北区")));
    insert(CustomerBuilder(3).name(u("佐藤一郎")).reading(u("ｻﾄｳ")).address(u("横浜市")));

    CDPrintKokCarMst* dialog = openDialog();
    EXPECT_FALSE(mainWindow.isEnabled());
    chooseOutput(*dialog, CustomerFile::PostcardAddresses);
    CustomerRangeGroup* range = dialog->customers();
    range->readingOrderButton()->setFocus();
    QTest::keyClick(range->readingOrderButton(), Qt::Key_Space);
    ASSERT_TRUE(range->readingFromField()->isEnabled());
    typeOver(range->readingFromField(), u("ｱ"));
    typeOver(range->readingToField(), u("ｶ"));

    kv::test::TempFolder out;
    printers.pdfPath = out.path() + "/cards.pdf";
    QTest::keyClick(dialog->pdfButton(), Qt::Key_Space);
    EXPECT_TRUE(messages().isEmpty()) << messages().join('|').toStdString();

    const PdfWords pdf = PdfWords::read(*printers.pdfPath);
    ASSERT_TRUE(pdf.ok) << pdf.error.toStdString();
    ASSERT_EQ(pdf.pages.size(), 2u);
    EXPECT_NEAR(pdf.pages[0].width(), 1000, kHalfMillimetre);
    EXPECT_NEAR(pdf.pages[0].height(), 1480, kHalfMillimetre);
    const auto only = [&pdf](int page, const QString& text) {
        std::vector<QRectF> exact;
        for (const auto& word : pdf.find(page, text))
            if (word.text == text)
                exact.push_back(word.box);
        EXPECT_EQ(exact.size(), 1u) << text.toStdString();
        return exact.empty() ? QRectF() : exact.front();
    };
    // The reader joins the first three and the last four boxes' digits.
    EXPECT_NEAR(only(1, "123").left(), 454 - 20, kHalfMillimetre);
    EXPECT_NEAR(only(1, "123").top(), 145 + 30, kHalfMillimetre);
    EXPECT_NEAR(only(1, "4567").left(), 669 - 20, kHalfMillimetre);
    EXPECT_NEAR(only(1, u("東京都千代田区丸の内１－１")).left(), 350 - 20, kHalfMillimetre);
    EXPECT_NEAR(only(1, u("東京都千代田区丸の内１－１")).top(), 330 + 30, kHalfMillimetre);
    EXPECT_NEAR(only(1, u("青木太郎")).left(), 350 - 20, kHalfMillimetre);
    EXPECT_NEAR(only(1, u("青木太郎")).top(), 450 + 30, kHalfMillimetre);
    EXPECT_NEAR(only(1, u("様")).top(), 450 + 30, kHalfMillimetre);
    EXPECT_NEAR(only(2, u("学校法人")).top(), 450 + 30, kHalfMillimetre);
    EXPECT_TRUE(pdf.find(1, u("佐藤一郎")).empty() && pdf.find(2, u("佐藤一郎")).empty());
    // The work copy is over.
    EXPECT_TRUE(t.doc->filesOnWorkCopy().isEmpty());

    dialog->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(mainWindow.isEnabled());
}

TEST_F(CustomerFileDialog, ListsKeepTheirPageUnitsAndSayWhatCannotBePrinted)
{
    for (int code = 1; code <= 27; ++code)
        insert(CustomerBuilder(code).name(QStringLiteral("顧客%1").arg(code)).reading(u("ｺｷｬｸ")));
    ASSERT_TRUE(kv::test::VehicleBuilder(1).owner(1).insertInto(t.doc->store()));
    CDPrintKokCarMst* dialog = openDialog();

    struct Case {
        int output;
        int pages;
    };
    // 13 customers, 6 vehicles, 20 addresses a page; 27 customers of 3
    // lines and one vehicle of 6 on 35-line pages.
    for (const Case c : {Case{CustomerFile::CustomerList, 3}, Case{CustomerFile::VehicleList, 1},
                         Case{CustomerFile::AddressBook, 2},
                         Case{CustomerFile::CustomerVehicleList, 3}}) {
        SCOPED_TRACE(c.output);
        chooseOutput(*dialog, c.output);
        QTest::keyClick(dialog->previewButton(), Qt::Key_Space);
        EXPECT_EQ(printers.previewed.value(printers.previewed.size() - 1), CustomerFile::title(c.output));
        EXPECT_EQ(printers.pages, c.pages);
    }

    chooseOutput(*dialog, CustomerFile::CustomerList);
    kv::test::TempFolder out;
    printers.pdfPath = out.path() + "/list.pdf";
    QTest::keyClick(dialog->pdfButton(), Qt::Key_Space);
    const PdfWords pdf = PdfWords::read(*printers.pdfPath);
    ASSERT_TRUE(pdf.ok) << pdf.error.toStdString();
    ASSERT_EQ(pdf.pages.size(), 3u);
    EXPECT_NEAR(pdf.pages[0].width(), 2970, kHalfMillimetre);
    EXPECT_FALSE(pdf.find(3, u("顧客27")).empty());
    EXPECT_FALSE(pdf.find(2, u("顧客14")).empty());

    // Pages beyond the last, a code range upside down, nobody in range.
    printers.previewed.clear();
    typeOver(dialog->pageRange()->fromField(), "4");
    QTest::keyClick(dialog->previewButton(), Qt::Key_Space);
    typeOver(dialog->pageRange()->fromField(), "1");
    typeOver(dialog->customers()->codeFromField(), "30");
    typeOver(dialog->customers()->codeToField(), "20");
    QTest::keyClick(dialog->previewButton(), Qt::Key_Space);
    typeOver(dialog->customers()->codeToField(), "40");
    QTest::keyClick(dialog->previewButton(), Qt::Key_Space);
    EXPECT_EQ(messages(), (QStringList{u("指定されたページが存在しません！"),
                                       u("終了顧客ｺｰﾄﾞが開始顧客ｺｰﾄﾞより小さくなっています！"),
                                       u("該当データが存在しません！")}));
    EXPECT_TRUE(printers.previewed.isEmpty());
    EXPECT_TRUE(t.doc->filesOnWorkCopy().isEmpty());
}

TEST_F(CustomerFileDialog, EachOutputOpensItsOwnFields)
{
    CDPrintKokCarMst* dialog = openDialog();
    // order+range, vehicle codes, greetings, copies, start, pages, settings
    const char* table[CustomerFile::kOutputs] = {"1010010", "1010010", "0100010", "1010010",
                                                 "1010111", "1010011", "0001001", "0000001",
                                                 "0000001"};
    for (int output = 0; output < CustomerFile::kOutputs; ++output) {
        SCOPED_TRACE(output);
        chooseOutput(*dialog, output);
        const QString shown = QString::fromLatin1("%1%2%3%4%5%6%7")
            .arg(dialog->customers()->codeOrderButton()->isEnabled())
            .arg(dialog->vehicleFromField()->isEnabled())
            .arg(dialog->greetingBox(1)->isEnabled())
            .arg(dialog->copiesField()->isEnabled())
            .arg(dialog->startRowField()->isEnabled())
            .arg(dialog->pageRange()->isEnabled())
            .arg(dialog->settingsButton()->isEnabled());
        EXPECT_EQ(shown, QString::fromLatin1(table[output]));
    }
}

TEST_F(CustomerFileDialog, LabelsStartWhereAskedAndADamagedSheetIsRefusedFirst)
{
    for (int code = 1; code <= 20; ++code)
        insert(CustomerBuilder(code).name(QStringLiteral("顧客%1").arg(code)));
    addSheet(0, 2);
    CDPrintKokCarMst* dialog = openDialog();
    chooseOutput(*dialog, CustomerFile::Labels);
    QTest::keyClick(dialog->previewButton(), Qt::Key_Space);
    EXPECT_EQ(messages(),
              QStringList{u("宛先シールの行数か列数が0です！\n宛先シールの設定を確認して下さい")});

    t.messages().clear();
    t.sql("UPDATE main.Seal SET Gyo = 6");
    typeOver(dialog->startRowField(), "7");
    QTest::keyClick(dialog->previewButton(), Qt::Key_Space);
    EXPECT_EQ(messages(), QStringList{u("開始行が範囲を超えています！")});
    EXPECT_TRUE(printers.previewed.isEmpty());

    t.messages().clear();
    typeOver(dialog->startRowField(), "3");
    typeOver(dialog->startColumnField(), "2");
    QTest::keyClick(dialog->previewButton(), Qt::Key_Space);
    EXPECT_TRUE(messages().isEmpty()) << messages().join('|').toStdString();
    EXPECT_EQ(printers.previewed, QStringList{u("顧客 宛先シール")});
    EXPECT_EQ(printers.pages, 3);
}

TEST_F(CustomerFileDialog, BacksNeedAPictureAndPrintOnePerCopy)
{
    CDPrintKokCarMst* dialog = openDialog();
    chooseOutput(*dialog, CustomerFile::PostcardBacks);
    QTest::keyClick(dialog->previewButton(), Qt::Key_Space);
    EXPECT_EQ(messages(), QStringList{u("ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙが選択されていません！")});
    dialog->close();

    kv::test::TempFolder pictures;
    const QString path = pictures.path() + "/back.png";
    QImage picture(90, 130, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(path));
    t.doc->settings().bitmapNames().paths[1] = path;
    t.messages().clear();
    dialog = openDialog();
    chooseOutput(*dialog, CustomerFile::PostcardBacks);
    typeOver(dialog->copiesField(), "50");
    QTest::keyClick(dialog->previewButton(), Qt::Key_Space);
    EXPECT_TRUE(messages().isEmpty()) << messages().join('|').toStdString();
    EXPECT_EQ(printers.pages, 50);
    chooseOutput(*dialog, CustomerFile::PostcardBackTest);
    QTest::keyClick(dialog->previewButton(), Qt::Key_Space);
    EXPECT_EQ(printers.pages, 1);
}

TEST_F(CustomerFileDialog, PostcardShiftsRoundDownAndTheBackPictureIsChosenUntilItReads)
{
    ScriptedFiles files;
    kv::test::TempFolder pictures;
    const QString broken = pictures.path() + "/broken.bmp";
    {
        QFile file(broken);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a picture");
    }
    const QString good = pictures.path() + "/back.jpg";
    QImage picture(90, 130, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(good));

    const int backVertical = t.doc->settings().print().positions.postcard[2];
    CDSetHagaki dialog(t.doc->settings(), BackPicture::kCustomerBack);
    kv::test::SettingsTestFolder::showActive(dialog);
    struct Case {
        CDSetHagaki::Shift shift;
        const char* typed;
        QString shown;
    };
    for (const Case& c : {Case{CDSetHagaki::AddressHorizontal, "1.25", "1.2"},
                         Case{CDSetHagaki::AddressVertical, "-1.25", "-1.3"},
                         Case{CDSetHagaki::BackHorizontal, "99.9", "99.9"},
                         // Refused: the stored value is shown again.
                         Case{CDSetHagaki::BackVertical, "100", PostcardShifts::shown(backVertical)}}) {
        SCOPED_TRACE(c.typed);
        CustomerFileDialog::typeOver(dialog.shiftEdit(c.shift), QString::fromLatin1(c.typed));
        EXPECT_EQ(dialog.shiftEdit(c.shift)->text(), c.shown);
    }
    EXPECT_EQ(messages(), QStringList{u("-99.9から99.9迄を入力して下さい！")});

    t.messages().clear();
    files.answers = {broken, good};
    QTest::keyClick(dialog.chooseButton(), Qt::Key_Space);
    EXPECT_EQ(messages(), QStringList{broken + u("が存在しません！\n他のﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙを選択して下さい")});
    EXPECT_EQ(files.starts.value(1), broken);
    EXPECT_TRUE(files.filters.value(0).contains("*.png") && files.filters.value(0).contains("*.jpg")
                && files.filters.value(0).contains("*.bmp"));
    EXPECT_FALSE(dialog.preview()->pixmap().isNull());
    EXPECT_EQ(t.doc->settings().bitmapNames().paths[1], good);
    ASSERT_TRUE(t.doc->settings().LoadSettingsFile(kv::data::SettingsFileId::BitmapNames));
    EXPECT_EQ(t.doc->settings().bitmapNames().paths[1], good);

    QTest::keyClick(dialog.okButton(), Qt::Key_Space);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_TRUE(t.doc->settings().LoadSettingsFile(kv::data::SettingsFileId::Print));
    // Address vertical, address horizontal, back vertical, back horizontal.
    EXPECT_EQ(t.doc->settings().print().positions.postcard, (std::array<qint32, 4>{-13, 12, backVertical, 999}));
    QStringList kinds;
    for (const auto& announcement : t.announcer.announcements())
        kinds << announcement.kind;
    EXPECT_EQ(kinds, (QStringList{u("ファイル名"), u("印字")}));
}

TEST(CustomerFileTables, TheCustomerVehicleListPutsEachOwnersVehiclesUnderIt)
{
    kv::test::SettingsTestFolder t;
    ASSERT_TRUE(CustomerBuilder(1).name(u("青木")).insertInto(t.doc->store()));
    ASSERT_TRUE(CustomerBuilder(2).name(u("佐藤")).insertInto(t.doc->store()));
    ASSERT_TRUE(CustomerBuilder(3).name(u("田中")).insertInto(t.doc->store()));
    for (const auto& [car, owner] : {std::pair{11, 3}, std::pair{12, 1}, std::pair{13, 3}})
        ASSERT_TRUE(kv::test::VehicleBuilder(car).owner(owner).model(QStringLiteral("車%1").arg(car))
                        .insertInto(t.doc->store()));
    CustomerVehicleTable table(t.doc->store(), CustomerSelection{}, {});
    ASSERT_TRUE(table.isOpen());
    EXPECT_EQ(table.vehicleCounts(), (std::vector<int>{1, 0, 2}));
    QStringList codes;
    for (int row = 0; row < table.rowCount(); ++row)
        codes << table.row(row).front().toString();
    EXPECT_EQ(codes, (QStringList{"1", "12", "2", "3", "11", "13"}));
    EXPECT_EQ(table.entryOf(2, 1), 5);
    EXPECT_TRUE(table.row(5)[1].toString().contains(u("車13")));
}

} // namespace
