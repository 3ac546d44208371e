// A vehicle's statutory costs looked up in the shipped tables and in
// dated rows of a test's own.

#include "data/costs/CostLookup.h"
#include "data/costs/CostStore.h"

#include <gtest/gtest.h>

using namespace kv::data;

namespace {

const QDate kSlipDate(2026, 6, 15);

CostVehicle passengerCar(int weightKg, int yearsOld)
{
    CostVehicle v;
    v.classText = QStringLiteral("小型");
    v.useText = QStringLiteral("乗用");
    v.jiei = 1;
    v.weightKg = weightKg;
    v.firstRegistration = QDate(kSlipDate.year() - yearsOld, kSlipDate.month(), 1);
    return v;
}

const CostLookup& shipped()
{
    static const CostLookup lookup(CostStore::shippedRows());
    return lookup;
}

int amountOf(const CostFigure& figure)
{
    EXPECT_TRUE(figure.decided) << figure.reason.toStdString();
    return figure.amount;
}

} // namespace

TEST(CostLookup, weightTaxFollowsWeightAgeAndEco)
{
    EXPECT_EQ(amountOf(shipped().weightTax(passengerCar(1200, 14), kSlipDate)), 34200);
    EXPECT_EQ(amountOf(shipped().weightTax(passengerCar(1200, 12), kSlipDate)), 24600);
    EXPECT_EQ(amountOf(shipped().weightTax(passengerCar(1200, 18), kSlipDate)), 37800);
    // A step's upper bound belongs to it.
    EXPECT_EQ(amountOf(shipped().weightTax(passengerCar(1000, 5), kSlipDate)), 16400);
    EXPECT_EQ(amountOf(shipped().weightTax(passengerCar(1001, 5), kSlipDate)), 24600);

    CostVehicle eco = passengerCar(1400, 3);
    eco.eco = true;
    EXPECT_EQ(amountOf(shipped().weightTax(eco, kSlipDate)), 15000);

    CostVehicle kei = passengerCar(0, 19);
    kei.classText = QStringLiteral("軽自動車");
    EXPECT_EQ(amountOf(shipped().weightTax(kei, kSlipDate)), 8800);
    kei.firstRegistration = kSlipDate.addYears(-13);
    EXPECT_EQ(amountOf(shipped().weightTax(kei, kSlipDate)), 8200);
}

TEST(CostLookup, ageCountsFromTheFirstRegistrationsMonth)
{
    // Thirteen years are complete in the month of the first registration.
    EXPECT_EQ(CostLookup::ageInYears(QDate(2013, 6, 1), QDate(2026, 6, 30)), 13);
    EXPECT_EQ(CostLookup::ageInYears(QDate(2013, 7, 1), QDate(2026, 6, 30)), 12);
}

TEST(CostLookup, insuranceByMonthsAndTheCurrentExpiry)
{
    const CostVehicle car = passengerCar(1200, 5);
    EXPECT_EQ(amountOf(shipped().insurance(car, kSlipDate, CostArea::Mainland, 24)), 17650);
    EXPECT_EQ(amountOf(shipped().insurance(car, kSlipDate, CostArea::Mainland, 25)), 18160);
    EXPECT_EQ(CostLookup::insuranceMonths(kSlipDate.addDays(20), kSlipDate), 25);
    EXPECT_EQ(CostLookup::insuranceMonths(kSlipDate, kSlipDate), 24);
    EXPECT_EQ(CostLookup::insuranceMonths(QDate(), kSlipDate), 24);
}

TEST(CostLookup, inspectionFeeByPathAndClass)
{
    CostVehicle car = passengerCar(1200, 5);
    EXPECT_EQ(amountOf(shipped().inspectionFee(car, kSlipDate, InspectionPath::Designated)), 1800);
    EXPECT_EQ(amountOf(shipped().inspectionFee(car, kSlipDate, InspectionPath::BroughtIn)), 2200);
    car.classText = QStringLiteral("普通");
    EXPECT_EQ(amountOf(shipped().inspectionFee(car, kSlipDate, InspectionPath::BroughtIn)), 2300);
}

TEST(CostLookup, undecidedDataFillNothingAndSayWhy)
{
    const CostVehicle noWeight = passengerCar(0, 5);
    const CostFigure tax = shipped().weightTax(noWeight, kSlipDate);
    EXPECT_FALSE(tax.decided);
    EXPECT_EQ(tax.reason, QStringLiteral("車輌重量がありません"));

    CostVehicle truck = passengerCar(1200, 5);
    truck.useText = QStringLiteral("貨物");
    EXPECT_EQ(shipped().insurance(truck, kSlipDate, CostArea::Mainland, 24).reason,
              QStringLiteral("用途「貨物」の表がありません"));

    CostVehicle special = passengerCar(1200, 5);
    special.classText = QStringLiteral("大型特殊");
    const CostFigure fee = shipped().inspectionFee(special, kSlipDate, InspectionPath::Designated);
    EXPECT_FALSE(fee.decided);
    EXPECT_EQ(fee.reason, QStringLiteral("種別「大型特殊」の表がありません"));

    CostVehicle business = passengerCar(1200, 5);
    business.jiei = 2;
    EXPECT_FALSE(shipped().weightTax(business, kSlipDate).decided);

    EXPECT_FALSE(shipped().weightTax(passengerCar(3200, 5), kSlipDate).decided);
    EXPECT_FALSE(shipped().insurance(passengerCar(1200, 5), kSlipDate, CostArea::Okinawa, 24).decided);
}

TEST(CostLookup, theRowInForceOnTheDateIsUsedAndAnOldOneIsFlagged)
{
    auto row = [](QDate from, int amount) {
        CostRow r;
        r.table = CostTable::Insurance;
        r.vehicleClass = CostClass::Small;
        r.months = 25;
        r.from = from;
        r.amount = amount;
        return r;
    };
    const CostLookup lookup({row(QDate(2023, 4, 1), 18160), row(QDate(2026, 4, 1), 19000)});
    const CostVehicle car = passengerCar(1200, 5);

    const CostFigure before = lookup.insurance(car, QDate(2026, 3, 31), CostArea::Mainland, 25);
    EXPECT_EQ(amountOf(before), 18160);
    EXPECT_EQ(before.tableFrom, QDate(2023, 4, 1));
    EXPECT_TRUE(before.stale);

    const CostFigure after = lookup.insurance(car, QDate(2026, 4, 1), CostArea::Mainland, 25);
    EXPECT_EQ(amountOf(after), 19000);
    EXPECT_EQ(after.tableFrom, QDate(2026, 4, 1));
    EXPECT_FALSE(after.stale);

    const CostFigure tooEarly = lookup.insurance(car, QDate(2020, 1, 1), CostArea::Mainland, 25);
    EXPECT_FALSE(tooEarly.decided);
    EXPECT_TRUE(tooEarly.reason.contains(QStringLiteral("2023/04/01")));
}
