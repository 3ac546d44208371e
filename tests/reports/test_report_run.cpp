// The run of a report from its dialog: the work copy around the printout,
// the empty selection, the page range, the ways out; the dialog's hold on
// the main window and the fields every report dialog shares.

#include "reports/ui/ReportDialog.h"
#include "reports/ui/ReportFields.h"
#include "reports/ui/ReportRangeGroups.h"
#include "reports/ui/ReportRun.h"
#include "controls/CNumericEditEx.h"
#include "data/document/DocumentTestFolder.h"
#include "print/PrinterAccess.h"
#include "reports/core/ReportTable.h"
#include "reports/print/TableListPrintout.h"
#include "support/LockHoldingComputer.h"
#include "support/FakePrinterAccess.h"
#include "support/FieldTyping.h"
#include "support/PdfWords.h"
#include "support/Utf8.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using namespace kv::reports;
using kv::test::typeInto;
using kv::test::u;

namespace {

using FakePrinters = kv::test::FakePrinterAccess;

// A list of count rows, 10 a page, owning its table.
class NumberList final : public kv::print::PagePainter {
public:
    explicit NumberList(int count)
        : m_table(u("番号一覧"), {}, {ReportColumn::text(u("番号"), 300)}, rows(count))
        , m_pages(m_table, 10, QDate(2025, 6, 30))
    {
    }
    kv::print::PageLayout layout() const override { return m_pages.layout(); }
    int pageCount() const override { return m_pages.pageCount(); }
    void paintPage(int page, QPainter& painter) override { m_pages.paintPage(page, painter); }

private:
    static std::vector<ReportRow> rows(int count)
    {
        std::vector<ReportRow> list;
        for (int n = 1; n <= count; ++n)
            list.push_back({QStringLiteral("No.%1").arg(n)});
        return list;
    }
    FixedReportTable m_table;
    TableListPrintout m_pages;
};

class ReportRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = folder.open();
        ASSERT_TRUE(doc);
        setup.document = doc.get();
        setup.printers = &printers;
        setup.reapplyOrder = [this] { ++reapplied; };
    }

    ReportRun::Request listOf(int rows, ReportRun::Way way = ReportRun::Way::Preview)
    {
        ReportRun::Request request;
        request.kind = 0;
        request.way = way;
        request.printout = [this, rows]() -> std::unique_ptr<kv::print::PagePainter> {
            ++built;
            copyOnWhileBuilt = doc->filesOnWorkCopy().contains("010.mdb");
            return std::make_unique<NumberList>(rows);
        };
        request.pdfName = u("番号一覧.pdf");
        return request;
    }

    kv::test::DocumentTestFolder folder;
    std::unique_ptr<kv::data::CCarMaintenanceDoc> doc;
    FakePrinters printers;
    ReportRun::Setup setup;
    int reapplied = 0;
    int built = 0;
    bool copyOnWhileBuilt = false;
};

TEST_F(ReportRunTest, ThePagesAskedForGoOutFromTheWorkCopyWhichEndsAfter)
{
    ReportRun::Request request = listOf(45);
    request.pageFrom = 2;
    request.pageTo = 3;
    EXPECT_TRUE(ReportRun(setup).run(request));
    EXPECT_TRUE(copyOnWhileBuilt);
    EXPECT_EQ(printers.previewed, QStringList{u("番号一覧")});
    EXPECT_EQ(printers.pages, 2);
    EXPECT_TRUE(doc->filesOnWorkCopy().isEmpty());
    EXPECT_EQ(reapplied, 1);
    EXPECT_TRUE(folder.messages.messages().isEmpty());

    // A range running past the end is cut to the last page.
    request.pageFrom = 4;
    request.pageTo = 999999;
    request.way = ReportRun::Way::Print;
    EXPECT_TRUE(ReportRun(setup).run(request));
    EXPECT_EQ(printers.printed, QStringList{u("番号一覧")});
    EXPECT_EQ(printers.pages, 2);
}

TEST_F(ReportRunTest, NothingToPrintSaysSoEndsTheCopyAndReappliesTheOrder)
{
    struct Case {
        const char* name;
        int rows;
        int from;
        QString emptyMessage;
        QString message;
    };
    const QString variant = u("該当するデータが存在しません！");
    const Case cases[] = {
        {"nothing selected", 0, 1, ReportRun::kNothingSelected, u("該当データが存在しません！")},
        {"the caller's text", 0, 1, variant, variant},
        {"range beyond the last page", 45, 6, ReportRun::kNothingSelected, ReportRun::kNoSuchPage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        folder.messages.clear();
        reapplied = 0;
        ReportRun::Request request = listOf(c.rows);
        request.pageFrom = c.from;
        request.emptyMessage = c.emptyMessage;
        EXPECT_FALSE(ReportRun(setup).run(request));
        EXPECT_EQ(folder.messages.messages(), QStringList{c.message});
        EXPECT_TRUE(printers.previewed.isEmpty());
        EXPECT_TRUE(doc->filesOnWorkCopy().isEmpty());
        EXPECT_EQ(reapplied, 1);
    }
}

TEST_F(ReportRunTest, AnotherComputerPreparingItsPrintStopsTheRunBeforeAnythingIsSelected)
{
    kv::test::LockHoldingComputer other(folder.folder.path(), {"hold", "Printing"});
    ASSERT_TRUE(other.ready);
    EXPECT_FALSE(ReportRun(setup).run(listOf(5)));
    EXPECT_EQ(folder.messages.messages(),
              QStringList{u("他のコンピュータで印刷準備中です！\n暫くしてから再度記録を行ってください。")});
    EXPECT_EQ(built, 0);
    EXPECT_TRUE(printers.previewed.isEmpty());
}

TEST_F(ReportRunTest, APdfHoldsThePagesAskedForAndAMissingPrinterIsSaid)
{
    const QString path = folder.folder.path() + "/list.pdf";
    printers.pdfPath = path;
    ReportRun::Request request = listOf(25, ReportRun::Way::Pdf);
    request.pageFrom = 2;
    EXPECT_TRUE(ReportRun(setup).run(request));
    EXPECT_EQ(printers.suggestedName, u("番号一覧.pdf"));
    const kv::test::PdfWords words = kv::test::PdfWords::read(path);
    ASSERT_TRUE(words.ok) << words.error.toStdString();
    ASSERT_EQ(words.pages.size(), 2u);
    EXPECT_NEAR(words.pages[0].width(), 2970, 5);
    EXPECT_FALSE(words.find(1, "No.11").empty());
    EXPECT_FALSE(words.find(2, "No.25").empty());

    printers.pdfPath.reset();
    EXPECT_FALSE(ReportRun(setup).run(request));
    EXPECT_TRUE(folder.messages.messages().isEmpty());

    printers.installed = false;
    EXPECT_FALSE(ReportRun(setup).run(listOf(5, ReportRun::Way::Print)));
    EXPECT_EQ(folder.messages.messages(), QStringList{ReportRun::kNoPrinter});
    EXPECT_TRUE(doc->filesOnWorkCopy().isEmpty());
}

// A report of a month and a page range, listing as many rows as asked.
class MonthReport final : public ReportDialog {
public:
    MonthReport(Setup setup, int rows)
        : ReportDialog(std::move(setup), 0, u("番号一覧"))
        , month(ReportFields::monthField(this, u("25/01")))
        , m_rows(rows)
    {
        fieldsLayout()->addWidget(month);
    }
    kv::CEditEx* month;
    int checks = 0;

protected:
    bool checkFields() override
    {
        ++checks;
        return month->checkField() && pageRange()->check();
    }
    ReportRun::Request request(ReportRun::Way) override
    {
        ReportRun::Request asked;
        asked.printout = [rows = m_rows]() -> std::unique_ptr<kv::print::PagePainter> {
            return std::make_unique<NumberList>(rows);
        };
        return asked;
    }

private:
    int m_rows;
};

TEST_F(ReportRunTest, TheDialogHoldsTheMainWindowUntilItClosesAndChecksBeforeItRuns)
{
    QWidget mainWindow;
    mainWindow.show();
    ReportDialog::Setup dialogSetup{setup, &mainWindow};
    QPointer<MonthReport> dialog = new MonthReport(dialogSetup, 25);
    QSignalSpy closed(dialog.data(), &ReportDialog::closedDialog);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    EXPECT_FALSE(mainWindow.isEnabled());

    // Page to below page from: refused on the page from, nothing runs.
    typeInto(dialog->pageRange()->fromField(), "3");
    typeInto(dialog->pageRange()->toField(), "2");
    QTest::mouseClick(dialog->previewButton(), Qt::LeftButton);
    EXPECT_EQ(folder.messages.messages(),
              QStringList{u("終了ページが開始ページより小さくなっています！")});
    EXPECT_EQ(QApplication::focusWidget(), dialog->pageRange()->fromField());
    EXPECT_TRUE(printers.previewed.isEmpty());

    folder.messages.clear();
    typeInto(dialog->pageRange()->toField(), "3");
    QTest::mouseClick(dialog->previewButton(), Qt::LeftButton);
    EXPECT_TRUE(folder.messages.messages().isEmpty()) << folder.messages.messages().join('|').toStdString();
    EXPECT_EQ(printers.pages, 1);
    EXPECT_TRUE(dialog->isEnabled());
    EXPECT_FALSE(mainWindow.isEnabled());

    QTest::mouseClick(dialog->closeButton(), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(mainWindow.isEnabled());
    EXPECT_EQ(closed.count(), 1);
    EXPECT_TRUE(dialog.isNull());
}

TEST_F(ReportRunTest, MonthDateAndNumberFieldsRewriteOrRefuseWhatIsTyped)
{
    QWidget form;
    kv::CEditEx* month = ReportFields::monthField(&form, QString());
    kv::CEditEx* date = ReportFields::dateField(&form, QString());
    kv::CNumericEditEx* copies = ReportFields::numberField(&form, 1, 9999, 1);
    auto* layout = new QVBoxLayout(&form);
    for (QWidget* field : {static_cast<QWidget*>(month), static_cast<QWidget*>(date),
                           static_cast<QWidget*>(copies)})
        layout->addWidget(field);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    struct Case {
        kv::CEditEx* field;
        const char* typed;
        QString shown;
        QString message;
    };
    const QString bad = u("年月日が異常です！");
    const Case cases[] = {
        {month, "2504", "25/04", {}},
        {month, "25/04", "25/04", {}},
        {month, "25/4", "", bad},
        {month, "2513", "", bad},
        {month, "2500", "", bad},
        {month, "", "", {}},
        {date, "250230", "25/02/30", {}},
        {date, "25/03/09", "25/03/09", {}},
        {date, "250300", "", bad},
        {date, "2503", "", bad},
        {copies, "50", "50", {}},
        {copies, "0", "50", u("1から9999迄の整数を入力してくだい！")},
        {copies, "-5", "50", u("1から9999迄の整数を入力してくだい！")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        folder.messages.clear();
        typeInto(c.field, QString::fromLatin1(c.typed));
        EXPECT_EQ(c.field->text(), c.shown);
        EXPECT_EQ(folder.messages.messages(),
                  c.message.isEmpty() ? QStringList() : QStringList{c.message});
        if (!c.message.isEmpty()) {
            EXPECT_EQ(QApplication::focusWidget(), c.field);
        }
    }

    // What the fields name, a February 30th being no date.
    EXPECT_EQ(ReportFields::dateOf(u("25/02/30")), std::nullopt);
    EXPECT_EQ(ReportFields::dateOf(u("99/12/31")), QDate(1999, 12, 31));
    EXPECT_EQ(ReportFields::firstDayOfMonth(u("50/11")), QDate(2050, 11, 1));
    EXPECT_EQ(ReportFields::lastDayOfMonth(u("24/02")), QDate(2024, 2, 29));
    EXPECT_EQ(ReportFields::lastDayOfMonth(u("51/04")), QDate(1951, 4, 30));
    EXPECT_EQ(ReportFields::lastDayOfMonth(QString()), std::nullopt);
}

TEST_F(ReportRunTest, TheCustomerRangeOpensTheRangeOfItsOrderAndChecksItsBounds)
{
    CustomerRangeGroup group;
    group.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&group));
    EXPECT_TRUE(group.codeFromField()->isEnabled());
    EXPECT_FALSE(group.readingFromField()->isEnabled());
    auto selection = group.checkedSelection();
    ASSERT_TRUE(selection);
    EXPECT_EQ(selection->codeFrom, 1);
    EXPECT_EQ(selection->codeTo, 999999);
    EXPECT_EQ(selection->readingFrom, " ");
    EXPECT_EQ(selection->readingTo, u("ﾝ"));

    typeInto(group.codeFromField(), "20");
    typeInto(group.codeToField(), "10");
    EXPECT_FALSE(group.checkedSelection());
    EXPECT_EQ(folder.messages.messages(),
              QStringList{u("終了顧客ｺｰﾄﾞが開始顧客ｺｰﾄﾞより小さくなっています！")});
    EXPECT_EQ(QApplication::focusWidget(), group.codeFromField());

    typeInto(group.codeToField(), "30");
    group.readingOrderButton()->setFocus();
    QTest::keyClick(group.readingOrderButton(), Qt::Key_Space);
    EXPECT_FALSE(group.codeFromField()->isEnabled());
    EXPECT_TRUE(group.readingToField()->isEnabled());
    folder.messages.clear();
    group.readingFromField()->setText(u("ｻ"));
    group.readingToField()->setText(u("ｱ"));
    EXPECT_FALSE(group.checkedSelection());
    EXPECT_EQ(folder.messages.messages(),
              QStringList{u("終了顧客ﾌﾘｶﾞﾅが開始顧客ﾌﾘｶﾞﾅより小さくなっています！")});
    EXPECT_EQ(QApplication::focusWidget(), group.readingToField());

    group.readingToField()->setText(u("ｿ"));
    selection = group.checkedSelection();
    ASSERT_TRUE(selection);
    EXPECT_EQ(selection->order, CustomerSelection::Order::Reading);
    EXPECT_EQ(selection->codeFrom, 20);
    EXPECT_EQ(selection->codeTo, 30);
}

} // namespace
