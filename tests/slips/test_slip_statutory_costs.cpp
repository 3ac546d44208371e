// A 車検 delivery note of a demo shop's vehicle takes its statutory costs
// from the dated tables, through the keys a clerk presses.

#include "SlipWindowTest.h"

#include "controls/CComboBoxEn.h"
#include "controls/CEditEx.h"
#include "data/costs/CostStore.h"
#include "data/engine/DayNumber.h"
#include "data/settings/DefaultSettings.h"
#include "data/tools/DataFolderCreator.h"
#include "data/tools/DemoData.h"
#include "slips/ui/CFKihon.h"
#include "slips/ui/CFTot.h"
#include "slips/ui/StatutoryCostFill.h"

#include <QLabel>

using namespace kv::test;
using kv::slips::CDenFrame;
using kv::slips::CFKihon;
using kv::slips::CFTot;
using kv::slips::TotalsField;

namespace {

class DemoShopCosts : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString created = parent.path() + "/data";
        QString error;
        ASSERT_TRUE(kv::data::DataFolderCreator::create(created, &error)) << error.toStdString();
        ASSERT_TRUE(kv::data::DemoData::write(created, today, &error)) << error.toStdString();
        kv::data::DocumentConfig config = base.config();
        config.dataFolder = created;
        doc = std::make_unique<kv::data::CCarMaintenanceDoc>(config);
        ASSERT_TRUE(doc->OpenAllDatabases());
        doc->settings().rounding().taxRate = 0.10;
    }

    // A demo 小型 passenger car made 1.2 t and 14 years old, its inspection
    // (and insurance) running a little past today.
    void pickCar()
    {
        const int small = kv::data::DefaultSettings::vehicleClasses().entries().indexOf(u("小型"));
        const int passenger = kv::data::DefaultSettings::vehicleUses().entries().indexOf(u("乗用"));
        vehicle = int(scalar(QStringLiteral("SELECT CarCode FROM f009.Car WHERE Syubetu = %1 AND Youto = %2"
                                            " AND Jiei = 1 ORDER BY CarCode LIMIT 1")
                                 .arg(small)
                                 .arg(passenger)
                                 .toUtf8()));
        ASSERT_GT(vehicle, 0);
        customer = int(scalar("SELECT KokCode FROM f009.Car WHERE CarCode = " + QByteArray::number(vehicle)));
        DocumentTestFolder::sql(
            *doc, QStringLiteral("UPDATE f009.Car SET Jyuryo = 1200, Syonen = %1, Syaman = %2,"
                                 " Jibai = 0, JyuZei = 0, Insi = 0 WHERE CarCode = %3")
                      .arg(kv::data::toDayNumber(QDate(today.year() - 14, today.month(), 1)), 0, 'f', 1)
                      .arg(kv::data::toDayNumber(today.addDays(20)), 0, 'f', 1)
                      .arg(vehicle)
                      .toUtf8());
        ASSERT_TRUE(doc->vehicles().Requery());
    }

    bool openSlip()
    {
        access = std::make_unique<kv::slips::SlipAccess>(*doc);
        if (!access->open(customer, vehicle).ok)
            return false;
        kv::slips::SlipContext context;
        context.slipNumber = 1;
        context.customerCode = customer;
        context.vehicleCode = vehicle;
        frame = kv::slips::openSlipWindow(*doc, *access, nullptr, &profile, context);
        if (!frame)
            return false;
        frame->show();
        QApplication::setActiveWindow(frame);
        header = frame->findChild<CFKihon*>();
        totals = frame->findChild<CFTot*>();
        return QTest::qWaitForWindowActive(frame) && header && totals;
    }

    // The header's job category moved by one with the arrow key.
    void categoryDown()
    {
        header->categoryCombo()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(header->categoryCombo(), Qt::Key_Down);
        QApplication::processEvents();
    }

    QString text(TotalsField which) const { return totals->field(which)->text(); }
    qint64 scalar(const QByteArray& sql) { return DocumentTestFolder::scalar(*doc, sql); }

    void TearDown() override { delete frame; }

    const QDate today = QDate::currentDate();
    DocumentTestFolder base;
    TempFolder parent;
    TempFolder profileFolder;
    QSettings profile{profileFolder.path() + "/profile.ini", QSettings::IniFormat};
    std::unique_ptr<kv::data::CCarMaintenanceDoc> doc;
    std::unique_ptr<kv::slips::SlipAccess> access;
    QPointer<CDenFrame> frame;
    CFKihon* header = nullptr;
    CFTot* totals = nullptr;
    int vehicle = 0;
    int customer = 0;
};

TEST_F(DemoShopCosts, anInspectionFillsTheCostsKeepsThemAndKeepsWhatIsTyped)
{
    pickCar();
    ASSERT_TRUE(openSlip()) << base.messages.messages().join('|').toStdString();
    ASSERT_EQ(header->categoryCombo()->currentText(), u("一般整備"));
    EXPECT_EQ(text(TotalsField::Jibai), "0");

    categoryDown();
    ASSERT_EQ(header->categoryCombo()->currentText(), u("車検"));
    EXPECT_EQ(text(TotalsField::Jibai), "18,160") << "25 months: the old insurance still runs";
    EXPECT_EQ(text(TotalsField::JyuZei), "34,200");
    EXPECT_EQ(text(TotalsField::Insi), "1,800");
    const QLabel* bar = nullptr;
    for (QLabel* label : totals->findChildren<QLabel*>())
        if (label->text().startsWith(u("諸費用の表")))
            bar = label;
    ASSERT_TRUE(bar);
    EXPECT_TRUE(bar->text().contains(u("自賠責 2023/04/01～"))) << bar->text().toStdString();
    // The shipped insurance rows date from 2023: more than a year old.
    EXPECT_TRUE(bar->text().contains(kv::slips::StatutoryCostFill::staleWarning()));

    // Another category keeps what was filled.
    categoryDown();
    ASSERT_NE(header->categoryCombo()->currentText(), u("車検"));
    EXPECT_EQ(text(TotalsField::Jibai), "18,160");
    EXPECT_EQ(text(TotalsField::JyuZei), "34,200");

    // A new rate from yesterday is what F5 takes.
    kv::data::CostRow rate;
    rate.table = kv::data::CostTable::Insurance;
    rate.vehicleClass = kv::data::CostClass::Small;
    rate.months = 25;
    rate.from = today.addDays(-1);
    rate.amount = 19000;
    ASSERT_EQ(kv::data::CostStore(doc->store().mainConnection()).write(rate), QString());
    SlipWindowTest::press(Qt::Key_F3);
    SlipWindowTest::press(Qt::Key_F5);
    EXPECT_EQ(text(TotalsField::Jibai), "19,000");
    EXPECT_FALSE(bar->text().contains(u("自賠責 2023/04/01～")));

    // A typed 自賠責 survives the recompute; the others follow the tables.
    totals->field(TotalsField::Jibai)->setFocus(Qt::TabFocusReason);
    totals->field(TotalsField::Jibai)->selectAll();
    SlipWindowTest::type("20000");
    EXPECT_EQ(text(TotalsField::Jibai), "20,000");
    DocumentTestFolder::sql(*doc, "UPDATE StatutoryCost SET Amount = 1900 WHERE Kind = 3 AND Class = 2"
                                  " AND Path = 0");
    SlipWindowTest::press(Qt::Key_F5);
    EXPECT_EQ(text(TotalsField::Jibai), "20,000");
    EXPECT_EQ(text(TotalsField::Insi), "1,900");
    EXPECT_EQ(base.messages.messages(), QStringList());
}

TEST_F(DemoShopCosts, whatTheDataDoNotDecideIsLeftWithTheReasonInItsTooltip)
{
    pickCar();
    DocumentTestFolder::sql(*doc, "UPDATE f009.Car SET Jyuryo = 0, JyuZei = 12300 WHERE CarCode = "
                                      + QByteArray::number(vehicle));
    ASSERT_TRUE(doc->vehicles().Requery());
    ASSERT_TRUE(openSlip());
    categoryDown();
    ASSERT_EQ(header->categoryCombo()->currentText(), u("車検"));
    EXPECT_EQ(text(TotalsField::Jibai), "18,160");
    // The vehicle's own figure stays where the tables have none.
    EXPECT_EQ(text(TotalsField::JyuZei), "12,300");
    EXPECT_EQ(totals->field(TotalsField::JyuZei)->toolTip(), u("車輌重量がありません"));
    EXPECT_TRUE(totals->field(TotalsField::Jibai)->toolTip().startsWith(u("2023/04/01からの表")));
}

} // namespace
