// The sales analysis graph's dialog driven by keys on a real document: its
// fields by graph type, its checks and messages in their order, the work
// copy of the ledger and the job categories, the profile values, and the
// graph windows it shows.

#include "reports/ui/CDPrintUriBunGr.h"
#include "reports/ui/CGraphFrame.h"
#include "reports/ui/CGraphView.h"
#include "controls/CEditEx.h"
#include "data/document/DocumentTestFolder.h"
#include "print/PagePainter.h"
#include "print/PrinterAccess.h"
#include "support/Utf8.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTest>

using namespace kv::reports;
using kv::test::DocumentTestFolder;
using kv::test::u;

namespace {

class PreviewOnly final : public kv::print::PrinterAccess {
public:
    std::optional<kv::data::PrinterIdentity> chooseSetup() override { return std::nullopt; }
    bool hasPrinter() const override { return false; }
    bool print(kv::print::PagePainter&) override { return false; }
    void preview(kv::print::PagePainter& printout) override
    {
        previewed << printout.layout().jobName;
        landscape = printout.layout().orientation == QPageLayout::Landscape;
    }
    std::optional<QString> choosePdfFile(const QString&) override { return std::nullopt; }
    QStringList previewed;
    bool landscape = false;
};

// Types over the whole text of a month field and leaves it by Tab.
void typeInto(kv::CEditEx* field, const QString& text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Tab);
}

class SalesGraphDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = folder.open();
        ASSERT_TRUE(doc);
        DocumentTestFolder::sql(*doc, "INSERT INTO f004.NyuukoKbn (NyuukoKbn, NyuukoKind) VALUES "
                                      "('一般整備', 4), ('入金', 99), ('車検', 1)");
        profile = std::make_unique<QSettings>(folder.folder.file("profile.ini"), QSettings::IniFormat);
        profile->setValue("PrintUriBunGr/Limit", 3);
        profile->setValue("PrintUriBunGr/Tot", 0);
    }

    void customer() { DocumentTestFolder::sql(*doc, "INSERT INTO f010.Kok (KokCode, UserName1) VALUES (1, '山田')"); }

    // A sale of the category on that day (day numbers from 1899-12-30).
    void sale(int category, const char* day, qint64 amount)
    {
        DocumentTestFolder::sql(*doc, QByteArray("INSERT INTO f013.ToriJnl (KokCode, Date, NyuukoKbnCode, ToriKbn, "
                                                 "Buhin, Tot, GTot) VALUES (1, julianday('")
                                          + day + "') - 2415018.5, " + QByteArray::number(category) + ", 1, "
                                          + QByteArray::number(amount) + ", " + QByteArray::number(amount) + ", "
                                          + QByteArray::number(amount) + ")");
    }

    std::unique_ptr<CDPrintUriBunGr> dialog()
    {
        CDPrintUriBunGr::Setup setup;
        setup.document = doc.get();
        setup.printers = &printers;
        setup.profile = profile.get();
        setup.reapplyOrder = [this] { ++reapplied; };
        setup.today = QDate(2024, 3, 15);
        auto made = std::make_unique<CDPrintUriBunGr>(std::move(setup));
        made->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(made.get()));
        return made;
    }

    QStringList messages() const { return folder.messages.messages(); }

    DocumentTestFolder folder;
    std::unique_ptr<kv::data::CCarMaintenanceDoc> doc;
    std::unique_ptr<QSettings> profile;
    PreviewOnly printers;
    int reapplied = 0;
};

} // namespace

TEST_F(SalesGraphDialog, OpensOnThisMonthWithTheProfilesValuesAndTheFieldsOfThePie)
{
    const auto d = dialog();
    EXPECT_EQ(d->startField()->text(), "24/03");
    EXPECT_EQ(d->endField()->text(), "24/03");
    EXPECT_EQ(d->scaleList()->currentIndex(), 3);
    EXPECT_FALSE(d->totalsBox()->isChecked());
    // Payments take no place in the list.
    ASSERT_EQ(d->categoryList()->count(), 2);
    EXPECT_EQ(d->categoryList()->itemText(1), u("車検"));
    EXPECT_TRUE(d->typeButton(0)->isChecked());
    EXPECT_TRUE(d->startField()->isEnabled());
    EXPECT_FALSE(d->categoryList()->isEnabled());
    EXPECT_FALSE(d->scaleList()->isEnabled());

    // By keys: the next type opens the scale, the third closes the start.
    d->typeButton(0)->setFocus();
    QTest::keyClick(d->typeButton(0), Qt::Key_Down);
    EXPECT_TRUE(d->typeButton(1)->isChecked());
    EXPECT_TRUE(d->scaleList()->isEnabled());
    EXPECT_FALSE(d->categoryList()->isEnabled());
    QTest::keyClick(d->typeButton(1), Qt::Key_Down);
    EXPECT_TRUE(d->typeButton(2)->isChecked());
    EXPECT_FALSE(d->startField()->isEnabled());
    EXPECT_TRUE(d->categoryList()->isEnabled());
    EXPECT_EQ(d->startField()->text(), "23/04");
    EXPECT_TRUE(messages().isEmpty()) << messages().join('|').toStdString();
}

TEST_F(SalesGraphDialog, PeriodChecksComeInTheirOrderWithTheFocusOnTheirField)
{
    customer();
    const auto d = dialog();
    typeInto(d->startField(), "2304");
    EXPECT_EQ(d->startField()->text(), "23/04");
    typeInto(d->endField(), "2404");
    EXPECT_EQ(d->endField()->text(), "24/04");
    QTest::mouseClick(d->showButton(), Qt::LeftButton);
    EXPECT_EQ(messages(), QStringList{u("対象期間が１年を超えています！")});
    EXPECT_EQ(QApplication::focusWidget(), d->startField());
    EXPECT_FALSE(d->lastGraph());

    folder.messages.clear();
    typeInto(d->startField(), "2405");
    QTest::mouseClick(d->showButton(), Qt::LeftButton);
    EXPECT_EQ(messages(), QStringList{u("終了日付が開始日付より小さくなっています！")});

    folder.messages.clear();
    d->endField()->clear();
    QTest::mouseClick(d->showButton(), Qt::LeftButton);
    EXPECT_EQ(messages(), QStringList{u("年月日が異常です！")});
    EXPECT_EQ(QApplication::focusWidget(), d->endField());

    // With an empty start the third type is refused and the type stays.
    folder.messages.clear();
    d->startField()->clear();
    typeInto(d->endField(), "2403");
    d->typeButton(2)->click();
    EXPECT_EQ(messages(), QStringList{u("年月日が異常です！")});
    EXPECT_TRUE(d->typeButton(0)->isChecked());
    EXPECT_TRUE(d->startField()->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), d->startField());
}

TEST_F(SalesGraphDialog, AGraphOpensFromTheWorkCopyWhichLastsUntilTheDialogCloses)
{
    customer();
    sale(1, "2023-05-10", 300000);
    sale(3, "2024-03-31 23:00", 100000);
    sale(3, "2024-04-01", 999999); // after the period
    const auto d = dialog();
    typeInto(d->startField(), "2304");
    typeInto(d->endField(), "2403");
    d->totalsBox()->setChecked(true);
    QTest::mouseClick(d->showButton(), Qt::LeftButton);
    ASSERT_TRUE(messages().isEmpty()) << messages().join('|').toStdString();
    ASSERT_TRUE(d->lastGraph());
    CGraphFrame* window = d->lastGraph();
    EXPECT_EQ(window->windowTitle(), u("売上比率円グラフ  対象期間 [ 2023年  4月 ～ 2024年  3月 ]"));
    EXPECT_EQ(window->size(), QSize(420, 370));
    ASSERT_TRUE(window->view()->graph());
    EXPECT_EQ(window->view()->graph()->figures.slot(0).sales, 300000);
    EXPECT_EQ(window->view()->graph()->figures.slot(1).sales, 100000);
    EXPECT_TRUE(doc->filesOnWorkCopy().contains("013.mdb"));
    EXPECT_EQ(profile->value("PrintUriBunGr/Tot").toInt(), 1);
    EXPECT_EQ(profile->value("PrintUriBunGr/Limit").toInt(), 3);

    // Its one page goes to the preview, across the paper.
    window->previewAction()->trigger();
    EXPECT_EQ(printers.previewed, QStringList{u("売上比率円グラフ")});
    EXPECT_TRUE(printers.landscape);

    // The bars of one category: twelve months to the end month.
    d->categoryList()->setCurrentIndex(1);
    d->typeButton(2)->click();
    QTest::mouseClick(d->showButton(), Qt::LeftButton);
    ASSERT_TRUE(d->lastGraph());
    EXPECT_NE(d->lastGraph(), window);
    EXPECT_EQ(d->lastGraph()->windowTitle(), u("【車検】 売上高棒グラフ  [ 2023年  4月 ～ 2024年  3月 ]"));
    EXPECT_EQ(d->lastGraph()->view()->graph()->figures.slot(11).sales, 100000);
    EXPECT_EQ(d->lastGraph()->view()->graph()->categorySlot, 1);

    d->closeButton()->click();
    EXPECT_TRUE(doc->filesOnWorkCopy().isEmpty());
    EXPECT_EQ(reapplied, 1);
}

TEST_F(SalesGraphDialog, AnOverflowIsSaidOnceAndItsWindowStaysEmptyHoweverOftenItIsPainted)
{
    customer();
    for (int i = 0; i < 50; ++i)
        sale(1, "2024-03-01", 2'000'000'000);
    const auto d = dialog();
    QTest::mouseClick(d->showButton(), Qt::LeftButton);
    EXPECT_EQ(messages(), QStringList{u("オーバーフローが発生しました！\n処理を中止します")});
    ASSERT_TRUE(d->lastGraph());
    EXPECT_FALSE(d->lastGraph()->view()->graph());
    EXPECT_FALSE(d->lastGraph()->printAction()->isEnabled());
    for (int i = 0; i < 3; ++i)
        d->lastGraph()->view()->repaint();
    EXPECT_EQ(messages().size(), 1);
}

TEST_F(SalesGraphDialog, NoCustomerIsSaidOnceAndTheWindowStaysEmpty)
{
    sale(1, "2024-03-01", 1000);
    const auto d = dialog();
    QTest::mouseClick(d->showButton(), Qt::LeftButton);
    EXPECT_EQ(messages(), QStringList{u("該当データが存在しません！")});
    ASSERT_TRUE(d->lastGraph());
    EXPECT_FALSE(d->lastGraph()->view()->graph());
}
