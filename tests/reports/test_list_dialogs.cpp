// The list report dialogs driven through their fields and buttons: the
// billing list to PDF with its options kept in the profile, the
// receivables to CSV read back as a spreadsheet reads it, and the PDF's
// totals equal to the CSV's.

#include "ListDialogFixture.h"
#include "reports/ui/CDPrintMotoKokRank.h"
#include "reports/ui/CDPrintSeikyu.h"
#include "reports/ui/CDPrintSyonen.h"
#include "reports/ui/CDPrintUriZan.h"
#include "controls/CNumericEditEx.h"
#include "reports/ui/LedgerPeriodGroup.h"
#include "reports/ui/ReportRangeGroups.h"
#include "support/VehicleBuilder.h"

#include <QComboBox>

using namespace kv::reports;
using namespace kv::test;

TEST_F(ListDialogs, BillingListForAClosingDayToPdf)
{
    customer(1, u("青木商店"), u("ｱｵｷ"), 20, 10000);
    customer(2, u("加藤工業"), u("ｶﾄｳ"), 20, 3000);
    customer(3, u("佐藤運送"), u("ｻﾄｳ"), 25, 700);
    LedgerBuilder(1, QDate(2025, 3, 1)).sale(5000).insertInto(doc->store());
    LedgerBuilder(1, QDate(2025, 3, 5)).payment(10000).insertInto(doc->store());
    QSettings profile(folder.folder.path() + "/profile.ini", QSettings::IniFormat);
    profile.setValue("PrintSeikyu/Meisai", 0);

    auto* dialog = new CDPrintSeikyu(setup, &profile);
    show(dialog);
    EXPECT_FALSE(dialog->salesOption()->isChecked());
    EXPECT_TRUE(dialog->amountOption()->isChecked());

    // Period mode: an end before the start is refused on the start.
    press(dialog->period()->periodModeButton());
    typeInto(dialog->period()->startField(), "250321");
    typeInto(dialog->period()->endField(), "250320");
    QTest::mouseClick(dialog->pdfButton(), Qt::LeftButton);
    EXPECT_EQ(folder.messages.messages(), QStringList{u("終了日付が開始日付より小さくなっています！")});
    EXPECT_EQ(QApplication::focusWidget(), dialog->period()->startField());

    // Closing day 20 for 25/03/20: 2025-02-21 to 2025-03-20.
    folder.messages.clear();
    press(dialog->period()->closingModeButton());
    typeInto(dialog->period()->closingDayField(), "20");
    press(dialog->salesOption());
    QTest::mouseClick(dialog->pdfButton(), Qt::LeftButton);
    EXPECT_TRUE(folder.messages.messages().isEmpty()) << folder.messages.messages().join('|').toStdString();
    EXPECT_EQ(printers.suggestedName, u("請求一覧.pdf"));
    EXPECT_EQ(profile.value("PrintSeikyu/Meisai").toInt(), 1);
    EXPECT_EQ(profile.value("PrintSeikyu/Seikyu").toInt(), 1);

    // Both options: only 青木 has sales and an amount.
    kv::test::PdfWords words = kv::test::PdfWords::read(printers.pdfPath);
    ASSERT_TRUE(words.ok) << words.error.toStdString();
    ASSERT_EQ(words.pages.size(), 1u);
    EXPECT_FALSE(words.find(1, u("青木商店")).empty());
    EXPECT_TRUE(words.find(1, u("加藤工業")).empty());
    EXPECT_FALSE(words.find(1, u("2025/02/21")).empty());
    EXPECT_FALSE(words.find(1, "5,000").empty());

    // The amount alone: 加藤 too, never 佐藤 who closes on the 25th.
    press(dialog->salesOption());
    QTest::mouseClick(dialog->pdfButton(), Qt::LeftButton);
    words = kv::test::PdfWords::read(printers.pdfPath);
    ASSERT_TRUE(words.ok);
    EXPECT_FALSE(words.find(1, u("加藤工業")).empty());
    EXPECT_TRUE(words.find(1, u("佐藤運送")).empty());
    EXPECT_FALSE(words.find(1, "8,000").empty());
    dialog->close();
}

TEST_F(ListDialogs, ReceivablesToCsvHoldTheRowsAndTotalsOfThePrintedList)
{
    customer(1, u("青木商店"), u("ｻ"), 0, 1000);
    customer(2, u("加藤, 工業"), u("ｱ"), 0, 0);
    customer(3, u("佐藤\"運送\""), u("ｶ"), 0, -250);
    LedgerBuilder(1, QDate(2025, 3, 1)).sale(1'234'567).insertInto(doc->store());
    LedgerBuilder(2, QDate(2025, 3, 2)).sale(800).insertInto(doc->store());
    LedgerBuilder(2, QDate(2025, 4, 2)).sale(9).insertInto(doc->store());

    auto* dialog = new CDPrintUriZan(setup);
    show(dialog);
    press(dialog->readingOrderButton());
    typeInto(dialog->endField(), "250331");
    QTest::mouseClick(dialog->csvButton(), Qt::LeftButton);
    EXPECT_TRUE(folder.messages.messages().isEmpty()) << folder.messages.messages().join('|').toStdString();
    EXPECT_EQ(chooser.suggested, u("売掛残金一覧.csv"));

    const std::vector<QStringList> rows = readCsv(chooser.path);
    const std::vector<QStringList> expected{
        {u("顧客ｺｰﾄﾞ"), u("顧客名"), u("売掛残金")},
        {"2", u("加藤, 工業"), "800"},
        {"3", u("佐藤\"運送\""), "-250"},
        {"1", u("青木商店"), "1235567"},
    };
    ASSERT_GE(rows.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(rows[i], expected[i]) << i;

    // The printed list's total is the sum of the CSV's amounts.
    qint64 sum = 0;
    for (size_t i = 1; i < rows.size(); ++i) {
        if (rows[i].size() == 3 && !rows[i][0].isEmpty())
            sum += rows[i][2].toLongLong();
    }
    QTest::mouseClick(dialog->pdfButton(), Qt::LeftButton);
    const kv::test::PdfWords words = kv::test::PdfWords::read(printers.pdfPath);
    ASSERT_TRUE(words.ok) << words.error.toStdString();
    EXPECT_EQ(sum, 1'236'117);
    EXPECT_FALSE(words.find(1, QLocale(QLocale::English).toString(sum)).empty());

    // A customer without a balance record stops both ways out.
    CustomerBuilder(4).name(u("田中")).reading(u("ﾀﾅｶ")).insertInto(doc->store());
    QTest::mouseClick(dialog->csvButton(), Qt::LeftButton);
    EXPECT_EQ(folder.messages.messages(), QStringList{u("該当残高が存在しません！")});
    dialog->close();
}

TEST_F(ListDialogs, RankingListsReferrersByTheirCustomersAndTheirSalesInThePeriod)
{
    CustomerBuilder(1).name(u("青木商店")).insertInto(doc->store());
    CustomerBuilder(2).name(u("加藤"), u("工業")).insertInto(doc->store());
    CustomerBuilder(3).name(u("佐藤")).referrer(1).insertInto(doc->store());
    CustomerBuilder(4).name(u("鈴木")).referrer(1).insertInto(doc->store());
    CustomerBuilder(5).name(u("高橋")).referrer(2).insertInto(doc->store());
    CustomerBuilder(6).name(u("田中")).referrer(2).insertInto(doc->store());
    CustomerBuilder(7).name(u("伊藤")).referrer(2).insertInto(doc->store());
    // One referring itself introduces nobody.
    CustomerBuilder(8).name(u("渡辺")).referrer(8).insertInto(doc->store());
    LedgerBuilder(3, QDate(2025, 3, 1)).sale(5000).insertInto(doc->store());
    LedgerBuilder(5, QDate(2025, 3, 31)).sale(100).insertInto(doc->store());
    // Outside the period: not counted.
    LedgerBuilder(4, QDate(2025, 4, 1)).sale(90000).insertInto(doc->store());
    LedgerBuilder(6, QDate(2025, 2, 28)).sale(90000).insertInto(doc->store());

    auto* dialog = new CDPrintMotoKokRank(setup);
    show(dialog);
    typeInto(dialog->startField(), "250301");
    typeInto(dialog->endField(), "250331");
    QTest::mouseClick(dialog->csvButton(), Qt::LeftButton);
    EXPECT_TRUE(folder.messages.messages().isEmpty()) << folder.messages.messages().join('|').toStdString();
    EXPECT_EQ(chooser.suggested, u("紹介元顧客ランキング.csv"));
    std::vector<QStringList> rows = readCsv(chooser.path);
    const QStringList heading{u("順位"), u("顧客ｺｰﾄﾞ"), u("顧客名"), u("紹介件数"), u("売上金額")};
    const std::vector<QStringList> byCount{
        heading, {"1", "2", u("加藤 工業"), "3", "0"}, {"2", "1", u("青木商店"), "2", "0"}};
    ASSERT_GE(rows.size(), byCount.size());
    for (size_t i = 0; i < byCount.size(); ++i)
        EXPECT_EQ(rows[i], byCount[i]) << i;

    // By sales only the period's sales count, and the first row is kept.
    press(dialog->salesOrderButton());
    typeInto(dialog->maxRowsField(), "1");
    QTest::mouseClick(dialog->csvButton(), Qt::LeftButton);
    rows = readCsv(chooser.path);
    ASSERT_GE(rows.size(), 2u);
    EXPECT_EQ(rows[1], (QStringList{"1", "1", u("青木商店"), "2", "5000"}));
    EXPECT_TRUE(rows.size() == 2 || rows[2] == QStringList{QString()}) << rows[2].join(',').toStdString();

    // The printout shows the same: only those with three customers or more.
    typeInto(dialog->maxRowsField(), "9999");
    typeInto(dialog->minCountField(), "3");
    QTest::mouseClick(dialog->pdfButton(), Qt::LeftButton);
    EXPECT_TRUE(folder.messages.messages().isEmpty()) << folder.messages.messages().join('|').toStdString();
    const kv::test::PdfWords words = kv::test::PdfWords::read(printers.pdfPath);
    ASSERT_TRUE(words.ok) << words.error.toStdString();
    EXPECT_FALSE(words.find(1, u("加藤")).empty());
    EXPECT_TRUE(words.find(1, u("青木商店")).empty());

    // None has four: the empty message, no file.
    typeInto(dialog->minCountField(), "4");
    QTest::mouseClick(dialog->csvButton(), Qt::LeftButton);
    EXPECT_EQ(folder.messages.messages(), QStringList{u("該当データが存在しません！")});

    folder.messages.clear();
    typeInto(dialog->startField(), "250401");
    QTest::mouseClick(dialog->pdfButton(), Qt::LeftButton);
    EXPECT_EQ(folder.messages.messages(), QStringList{u("終了日付が開始日付より小さくなっています！")});
    dialog->close();
}

TEST_F(ListDialogs, FirstRegistrationListTakesTheSpanTheMakeAndTheModel)
{
    doc->settings().makes().setEntry(1, u("日野"));
    doc->settings().makes().setEntry(2, u("いすゞ"));
    CustomerBuilder(1).name(u("青木商店")).insertInto(doc->store());
    using kv::test::VehicleBuilder;
    VehicleBuilder(10).owner(1).maker(1).model("ABC").firstRegistered(QDate(2020, 5, 10)).insertInto(doc->store());
    VehicleBuilder(11).owner(1).maker(2).model("ABC").firstRegistered(QDate(2020, 6, 30)).insertInto(doc->store());
    VehicleBuilder(12).owner(1).maker(1).model("ABC").firstRegistered(QDate(2020, 4, 30)).insertInto(doc->store());
    VehicleBuilder(13).owner(1).maker(1).model("XYZ").firstRegistered(QDate(2020, 5, 1)).insertInto(doc->store());
    VehicleBuilder(14).owner(1).maker(1).model("XYZ").firstRegistered(QDate(2020, 7, 1)).insertInto(doc->store());

    auto* dialog = new CDPrintSyonen(setup);
    show(dialog);
    typeInto(dialog->startField(), "200501");
    typeInto(dialog->endField(), "200630");
    const auto codes = [&] {
        QTest::mouseClick(dialog->csvButton(), Qt::LeftButton);
        QStringList listed;
        const std::vector<QStringList> rows = readCsv(chooser.path);
        // Cells of two lines split a record; its first line starts with
        // the vehicle code.
        for (size_t i = 1; i < rows.size(); ++i) {
            if (QRegularExpression(QStringLiteral("^1[0-4]$")).match(rows[i].first()).hasMatch())
                listed << rows[i].first();
        }
        return listed;
    };
    // In first registration order, both bounds included.
    EXPECT_EQ(codes(), (QStringList{"13", "10", "11"}));
    EXPECT_TRUE(folder.messages.messages().isEmpty()) << folder.messages.messages().join('|').toStdString();
    EXPECT_EQ(chooser.suggested, u("初年度該当車輌一覧.csv"));

    dialog->makeBox()->setFocus();
    QTest::keyClick(dialog->makeBox(), Qt::Key_Down);
    EXPECT_EQ(codes(), (QStringList{"13", "10"}));
    typeInto(dialog->modelField(), "XYZ");
    EXPECT_EQ(codes(), (QStringList{"13"}));

    QTest::mouseClick(dialog->pdfButton(), Qt::LeftButton);
    const kv::test::PdfWords words = kv::test::PdfWords::read(printers.pdfPath);
    ASSERT_TRUE(words.ok) << words.error.toStdString();
    EXPECT_FALSE(words.find(1, u("初年度該当車輌一覧")).empty());
    EXPECT_FALSE(words.find(1, "XYZ").empty());
    EXPECT_TRUE(words.find(1, "ABC").empty());

    typeInto(dialog->startField(), "200701");
    QTest::mouseClick(dialog->csvButton(), Qt::LeftButton);
    EXPECT_EQ(folder.messages.messages(), QStringList{u("終了日付が開始日付より小さくなっています！")});
    dialog->close();
}
