// Recording the shown pair and deleting customers and vehicles.

#include "RecordingFixture.h"

#include "data/engine/DayNumber.h"

#include <QCheckBox>

using namespace kv::test;
using F = kv::records::PanelField;

namespace {

class RecordAndDelete : public RecordingFixture {
protected:
    // count slips for the vehicle from number first on, the older the
    // higher the number, each with two lines and a ledger row of its own.
    void addSlips(int vehicle, int customer, int first, int count)
    {
        const QByteArray last = QByteArray::number(first + count - 1);
        sql("WITH RECURSIVE c(n) AS (SELECT " + QByteArray::number(first)
            + " UNION ALL SELECT n + 1 FROM c WHERE n < " + last
            + ") INSERT INTO f003.Syahead (DenNo, CarCode, HatuDate) SELECT n, "
            + QByteArray::number(vehicle) + ", 50000 - n FROM c;"
              "INSERT INTO f002.SyaJnl (DenNo, LineNo) SELECT DenNo, 1 FROM f003.Syahead"
              " WHERE CarCode = " + QByteArray::number(vehicle) + ";"
              "INSERT INTO f002.SyaJnl (DenNo, LineNo) SELECT DenNo, 2 FROM f003.Syahead"
              " WHERE CarCode = " + QByteArray::number(vehicle) + ";"
              "INSERT INTO f013.ToriJnl (KokCode, DenFlag, DenNo, CarCode, Tot) SELECT "
            + QByteArray::number(customer) + ", 1, DenNo, CarCode, 1000 FROM f003.Syahead"
              " WHERE CarCode = " + QByteArray::number(vehicle) + ";");
    }
    qint64 count(const char* tableWhere)
    {
        return scalar(QByteArray("SELECT COUNT(*) FROM ") + tableWhere);
    }
};

TEST_F(RecordAndDelete, RecordingTheShownPairWritesBothAndTrimsTheSlipHistory)
{
    addSlips(10, 1, 1, 125);
    ASSERT_TRUE(panel->ShowVehicle(10, true));
    type(F::Tel1, "03-9999-0000");
    type(F::Syatai, "A-10-NEW");
    ASSERT_TRUE(recorder->RecordCurrent()) << messages().join('|').toStdString();
    EXPECT_EQ(count("f010.Kok WHERE KokCode = 1 AND Tel1 = '03-9999-0000' AND Hoyu = 2"), 1);
    EXPECT_EQ(count("f009.Car WHERE CarCode = 10 AND KokCode = 1 AND Syatai = 'A-10-NEW'"), 1);
    // The five oldest (numbers 121..125) went with their lines; their
    // ledger rows stay in the books, no longer pointing at a slip.
    EXPECT_EQ(count("f003.Syahead WHERE CarCode = 10"), 120);
    EXPECT_EQ(count("f003.Syahead WHERE DenNo > 120"), 0);
    EXPECT_EQ(count("f002.SyaJnl WHERE DenNo > 120"), 0);
    EXPECT_EQ(count("f002.SyaJnl"), 240);
    EXPECT_EQ(count("f013.ToriJnl"), 125);
    EXPECT_EQ(count("f013.ToriJnl WHERE DenFlag = 0 AND DenNo > 120"), 5);
    EXPECT_EQ(count("f013.ToriJnl WHERE DenFlag = 1"), 120);
    EXPECT_EQ(announcer.texts(), QStringList{"KokCarRequery"});
}

TEST_F(RecordAndDelete, RecordingACustomerGoneElsewhereWritesNothing)
{
    ASSERT_TRUE(panel->ShowCustomer(3, true));
    sql("DELETE FROM f010.Kok WHERE KokCode = 3");
    type(F::Tel1, "03-1");
    EXPECT_FALSE(recorder->RecordCurrent());
    EXPECT_EQ(messages(), QStringList{u("該当顧客が存在しません！")});
    EXPECT_EQ(count("f010.Kok WHERE KokCode = 3"), 0);
    EXPECT_TRUE(announcer.texts().isEmpty());
}

TEST_F(RecordAndDelete, DeletingACustomerRemovesEverythingThatHangsOnIt)
{
    addSlips(10, 1, 1, 3);
    addSlips(11, 1, 10, 2);
    addSlips(20, 4, 20, 2);
    sql("INSERT INTO f013.ToriJnl (KokCode, DenFlag, DenNo, Nyu) VALUES (1, 0, 0, 3000)");
    ASSERT_TRUE(panel->ShowCustomer(1, true));
    EXPECT_EQ(panel->customerTotalText(), "3");
    EXPECT_EQ(panel->vehicleTotalText(), "3");

    ASSERT_TRUE(removal->DeleteCustomer()) << messages().join('|').toStdString();
    EXPECT_EQ(count("f010.Kok WHERE KokCode = 1"), 0);
    EXPECT_EQ(count("f009.Car WHERE KokCode = 1"), 0);
    EXPECT_EQ(count("f003.Syahead WHERE CarCode IN (10, 11)"), 0);
    EXPECT_EQ(count("f002.SyaJnl WHERE DenNo < 20"), 0);
    EXPECT_EQ(count("f013.ToriJnl WHERE KokCode = 1"), 0);
    EXPECT_EQ(count("f014.Zan WHERE KokCode = 1"), 0);
    // The other customer keeps all of his.
    EXPECT_EQ(count("f003.Syahead WHERE CarCode = 20"), 2);
    EXPECT_EQ(count("f002.SyaJnl"), 4);
    EXPECT_EQ(count("f013.ToriJnl WHERE KokCode = 4"), 2);
    EXPECT_EQ(panel->customerTotalText(), "2");
    EXPECT_EQ(panel->vehicleTotalText(), "1");
    EXPECT_FALSE(panel->customerGroupEnabled());
    EXPECT_EQ(panel->shownCustomerCode(), 0);
    EXPECT_TRUE(panel->modeText().isEmpty());
    EXPECT_FALSE(host->recordOn);
}

TEST_F(RecordAndDelete, AFailurePartWayThroughADeletionLeavesEverything)
{
    addSlips(10, 1, 1, 3);
    addSlips(11, 1, 10, 2);
    sql("CREATE TRIGGER f002.refuse_line BEFORE DELETE ON SyaJnl WHEN old.DenNo = 11"
        " BEGIN SELECT RAISE(ABORT, 'refused'); END");
    ASSERT_TRUE(panel->ShowCustomer(1, true));
    EXPECT_FALSE(removal->DeleteCustomer());
    EXPECT_EQ(messages().size(), 1);
    EXPECT_EQ(count("f010.Kok WHERE KokCode = 1"), 1);
    EXPECT_EQ(count("f009.Car WHERE KokCode = 1"), 2);
    EXPECT_EQ(count("f003.Syahead"), 5);
    EXPECT_EQ(count("f002.SyaJnl"), 10);
    EXPECT_EQ(count("f013.ToriJnl WHERE DenFlag = 1 AND CarCode <> 0"), 5);
    EXPECT_EQ(count("f014.Zan WHERE KokCode = 1"), 1);
    EXPECT_EQ(panel->shownCustomerCode(), 1);
}

TEST_F(RecordAndDelete, DeletingVehiclesOneByOne)
{
    addSlips(10, 1, 1, 3);
    ASSERT_TRUE(panel->ShowVehicle(10, true));
    host->currentMode = 3;
    EXPECT_FALSE(removal->DeleteVehicle()) << "vehicle 11 is left to show";
    EXPECT_TRUE(messages().isEmpty()) << messages().join('|').toStdString();
    EXPECT_EQ(count("f009.Car WHERE CarCode = 10"), 0);
    EXPECT_EQ(count("f003.Syahead"), 0);
    EXPECT_EQ(count("f002.SyaJnl"), 0);
    // The customer's books keep the sales of the slips that went.
    EXPECT_EQ(count("f013.ToriJnl WHERE KokCode = 1 AND DenFlag = 0 AND CarCode = 0"), 3);
    EXPECT_EQ(count("f010.Kok WHERE KokCode = 1 AND Hoyu = 1"), 1);
    EXPECT_EQ(panel->shownVehicleCode(), 11);
    EXPECT_EQ(shown(F::Hoyu), "1");
    EXPECT_FALSE(host->ownedVehiclesOn);
    EXPECT_EQ(panel->modeText(), u("車輌ｺｰﾄﾞ順"));
    EXPECT_EQ(panel->vehicleTotalText(), "2");

    EXPECT_TRUE(removal->DeleteVehicle()) << "no vehicle left";
    EXPECT_EQ(count("f010.Kok WHERE KokCode = 1 AND Hoyu = 0"), 1);
    EXPECT_FALSE(panel->vehicleGroupEnabled());
    EXPECT_EQ(panel->shownCustomerCode(), 1);
    EXPECT_EQ(panel->shownVehicleCode(), 0);
    EXPECT_EQ(panel->vehicleTotalText(), "1");
}

// The eco car flag of the panel is recorded beside the vehicle, shown
// with it, and goes when the vehicle goes, so that a code handed out again
// starts as no eco car.
TEST_F(RecordAndDelete, TheEcoFlagIsRecordedShownAndDeletedWithTheVehicle)
{
    ASSERT_TRUE(panel->ShowVehicle(10, true));
    EXPECT_FALSE(panel->ecoBox()->isChecked());
    panel->ecoBox()->click();
    ASSERT_TRUE(recorder->RecordCurrent()) << messages().join('|').toStdString();
    EXPECT_EQ(count("CarEco WHERE CarCode = 10 AND Eco = 1"), 1);

    ASSERT_TRUE(panel->ShowVehicle(11, true));
    EXPECT_FALSE(panel->ecoBox()->isChecked());
    ASSERT_TRUE(panel->ShowVehicle(10, true));
    EXPECT_TRUE(panel->ecoBox()->isChecked());

    host->currentMode = 3;
    removal->DeleteVehicle();
    EXPECT_EQ(count("f009.Car WHERE CarCode = 10"), 0);
    EXPECT_EQ(count("CarEco WHERE CarCode = 10"), 0);
}

// The vehicle's cost fields tell what the tables would charge today.
TEST_F(RecordAndDelete, TheCostFieldsTellTheTablesFigures)
{
    const QDate first(QDate::currentDate().year() - 14, QDate::currentDate().month(), 1);
    sql(QStringLiteral("UPDATE f009.Car SET Syubetu = 2, Youto = 1, Jiei = 1, Jyuryo = 1200,"
                       " Syonen = %1 WHERE CarCode = 10")
            .arg(kv::data::toDayNumber(first), 0, 'f', 1)
            .toUtf8());
    ASSERT_TRUE(panel->ShowVehicle(10, true));
    EXPECT_EQ(panel->fieldWidget(F::JyuZei)->toolTip(), u("表の額 34,200円（2025/04/01からの表）"));
    EXPECT_EQ(panel->fieldWidget(F::Insi)->toolTip(), u("表の額 1,800円（2023/01/01からの表）"));
    // Vehicle 11 has no class to look up.
    ASSERT_TRUE(panel->ShowVehicle(11, true));
    EXPECT_EQ(panel->fieldWidget(F::Jibai)->toolTip(), u("自動車の種別がありません"));
}

} // namespace
