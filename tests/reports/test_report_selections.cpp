// The selections of the reports on a real data folder: the filters and
// sorts the engine runs, placeholders, greeting flags and expiry spans.

#include "data/costs/CostStore.h"
#include "data/costs/VehicleCosts.h"
#include "data/engine/DayNumber.h"
#include "data/settings/DefaultSettings.h"
#include "data/settings/SettingsList.h"
#include "data/tables/DaoRecordsets.h"
#include "data/tables/DataFiles.h"
#include "reports/core/AddressSource.h"
#include "reports/core/CustomerSelection.h"
#include "reports/core/ReminderCards.h"
#include "reports/core/ReminderMonths.h"
#include "reports/core/ReportPages.h"
#include "reports/core/SelectedRows.h"
#include "reports/core/VehicleSelection.h"
#include "support/CustomerBuilder.h"
#include "support/TempFolder.h"
#include "support/Utf8.h"
#include "support/VehicleBuilder.h"

#include <gtest/gtest.h>

using namespace kv::reports;
using kv::test::CustomerBuilder;
using kv::test::u;
using kv::test::VehicleBuilder;

namespace {

class ReportSelections : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(kv::data::createDataFolderDatabases(folder.path()));
        ASSERT_TRUE(kv::data::writeDefaultSettings(folder.path()));
        ASSERT_TRUE(store.open(folder.path()));
    }

    template <class Set>
    std::vector<int> codes(const QString& filter, const QString& sort, int Set::Row::*code)
    {
        SelectedRows<Set> rows(store, filter, sort);
        EXPECT_TRUE(rows.isOpen()) << rows.lastError().description.toStdString();
        std::vector<int> result;
        for (int i = 0; i < rows.count(); ++i)
            result.push_back(rows.at(i).value().*code);
        return result;
    }
    std::vector<int> customers(const CustomerSelection& selection)
    {
        return codes<CDaoKokSet>(selection.filter(), selection.sort(), &kv::data::KokRow::m_KokCode);
    }
    std::vector<int> vehicles(const QString& filter, const QString& sort)
    {
        return codes<CDaoCarSet>(filter, sort, &kv::data::CarRow::m_CarCode);
    }

    kv::test::TempFolder folder;
    kv::data::DataStore store;
};

TEST_F(ReportSelections, ReadingOrderTakesEveryReadingOfTheRange)
{
    CustomerBuilder(1).name(u("川口")).reading(u("ｶﾜｸﾞﾁ")).insertInto(store);
    CustomerBuilder(2).name(u("学校")).reading(u("ｶﾞｯｺｳ")).insertInto(store);
    CustomerBuilder(3).name(u("青木")).reading(u("ｱｵｷ")).insertInto(store);
    CustomerBuilder(4).name(u("菊池")).reading(u("ｷｸﾁ")).insertInto(store);
    CustomerBuilder(5).name(u("新規作成中")).reading(u("ｱｱｱ")).insertInto(store);
    CustomerBuilder(6).name(u("加藤")).reading(u("ｶﾄｳ")).insertInto(store);
    CustomerBuilder(7).name(u("ＡＢＣ")).reading(u("ABC")).insertInto(store);

    CustomerSelection selection;
    selection.order = CustomerSelection::Order::Reading;
    selection.readingFrom = u("ｱ");
    selection.readingTo = u("ｶ");
    EXPECT_EQ(customers(selection), (std::vector<int>{3, 6, 1, 2}));

    // The defaults take every real customer, in reading order.
    EXPECT_EQ(customers(CustomerSelection{.order = CustomerSelection::Order::Reading}),
              (std::vector<int>{7, 3, 6, 1, 2, 4}));
    // A quote in a typed reading stays part of the value.
    selection.readingFrom = u("\" OR \"\"=\"");
    selection.readingTo = u("\"");
    EXPECT_TRUE(customers(selection).empty());
}

TEST_F(ReportSelections, CodeOrderAndGreetingFlags)
{
    CustomerBuilder(1).name(u("一")).set(&CDaoKokSet::m_Nenga, 1).insertInto(store);
    CustomerBuilder(2).name(u("二")).set(&CDaoKokSet::m_Nenga, 1).set(&CDaoKokSet::m_Seibo, 1)
        .insertInto(store);
    CustomerBuilder(3).name(u("新規作成中")).set(&CDaoKokSet::m_Nenga, 1).insertInto(store);
    CustomerBuilder(4).name(u("四")).set(&CDaoKokSet::m_Syochuu, 1).set(&CDaoKokSet::m_Chuugen, 1)
        .insertInto(store);
    CustomerBuilder(5).name(u("五")).insertInto(store);

    CustomerSelection selection;
    EXPECT_EQ(customers(selection), (std::vector<int>{1, 2, 4, 5}));
    selection.codeFrom = 2;
    selection.codeTo = 4;
    EXPECT_EQ(customers(selection), (std::vector<int>{2, 4}));
    selection.codeFrom = 1;
    selection.newYearCard = true;
    EXPECT_EQ(customers(selection), (std::vector<int>{1, 2}));
    selection.yearEndGift = true;
    EXPECT_EQ(customers(selection), (std::vector<int>{2}));
    selection = CustomerSelection{.summerGreeting = true, .summerGift = true};
    EXPECT_EQ(customers(selection), (std::vector<int>{4}));
}

TEST_F(ReportSelections, VehicleListLeavesOutPlaceholders)
{
    VehicleBuilder(3).owner(1).chassis(u("A-3")).insertInto(store);
    VehicleBuilder(1).owner(1).chassis(u("A-1")).insertInto(store);
    VehicleBuilder(2).owner(0).chassis(u("新規作成中")).insertInto(store);
    VehicleBuilder(9).owner(2).insertInto(store);
    const VehicleSelection all;
    EXPECT_EQ(vehicles(all.filter(), all.sort()), (std::vector<int>{1, 3, 9}));
    const VehicleSelection some{2, 8};
    EXPECT_EQ(vehicles(some.filter(), some.sort()), (std::vector<int>{3}));
}

TEST_F(ReportSelections, ReminderSpanTakesWholeMonthsByExpiryOwnerAndCode)
{
    VehicleBuilder(1).owner(5).inspectionExpiry(QDate(2025, 2, 28)).insertInto(store);
    VehicleBuilder(2).owner(3).inspectionExpiry(QDate(2024, 11, 1)).insertInto(store);
    VehicleBuilder(3).owner(3).inspectionExpiry(QDate(2025, 2, 28)).insertInto(store);
    VehicleBuilder(4).owner(3).inspectionExpiry(QDate(2024, 10, 31)).insertInto(store);
    VehicleBuilder(5).owner(3).inspectionExpiry(QDate(2025, 3, 1)).insertInto(store);
    VehicleBuilder(6).owner(1).inspectionExpiry(QDate(2025, 2, 28)).insertInto(store);
    VehicleBuilder(7).owner(1).inspectionExpiry(kv::data::kEmptyDate).insertInto(store);
    VehicleBuilder(8).owner(0).chassis(u("新規作成中")).inspectionExpiry(QDate(2024, 12, 1))
        .insertInto(store);
    // An expiry stored with a time of day still belongs to its day.
    VehicleBuilder(9).owner(2).inspectionExpiry(kv::data::toDayNumber(QDate(2025, 2, 28)) + 0.5)
        .insertInto(store);

    const QDate first = *ReminderMonths::firstDay(u("24/11"));
    const QDate last = *ReminderMonths::lastDay(u("25/02"));
    EXPECT_EQ(vehicles(ReminderMonths::filter(first, last), ReminderMonths::sort()),
              (std::vector<int>{2, 6, 3, 1, 9}));
    // No span, however early it starts, takes a vehicle without an expiry.
    EXPECT_EQ(vehicles(ReminderMonths::filter(*ReminderMonths::firstDay(u("51/01")),
                                               *ReminderMonths::lastDay(u("50/12"))),
                       ReminderMonths::sort()),
              (std::vector<int>{4, 2, 6, 3, 1, 9, 5}));
}

TEST_F(ReportSelections, TwentyFiveRemindersGiveThreeListPagesAndAPostcardEach)
{
    CustomerBuilder(1).name(u("山田")).insertInto(store);
    for (int code = 1; code <= 25; ++code)
        VehicleBuilder(code).owner(1).inspectionExpiry(QDate(2025, 1, code)).insertInto(store);
    const QDate month = *ReminderMonths::firstDay(u("25/01"));
    SelectedRows<CDaoCarSet> rows(store, ReminderMonths::filter(month, *ReminderMonths::lastDay(u("25/01"))),
                                  ReminderMonths::sort());
    ASSERT_EQ(rows.count(), 25);
    EXPECT_EQ(ReportPages::ofUnits(rows.count(), 12), 3);
    // Postcards are asked for in any order, as a preview does.
    EXPECT_EQ(rows.at(24)->m_CarCode, 25);
    EXPECT_EQ(rows.at(3)->m_CarCode, 4);
    EXPECT_EQ(rows.at(20)->m_CarCode, 21);
    EXPECT_EQ(rows.at(0)->m_CarCode, 1);
    EXPECT_EQ(rows.at(25), std::nullopt);
    EXPECT_EQ(rows.at(-1), std::nullopt);

    const kv::data::SettingsList makes(kv::data::ListLayout::makes());
    ReminderCards cards(store, ReminderMonths::filter(month, *ReminderMonths::lastDay(u("25/01"))),
                        ReminderMonths::sort(), makes, nullptr);
    ASSERT_EQ(cards.count(), 25);
    EXPECT_EQ(cards.at(24)->expiry, u("令和 7年 1月25日"));
    EXPECT_EQ(cards.at(0)->expiry, u("令和 7年 1月 1日"));
    EXPECT_EQ(cards.at(25), std::nullopt);
}

TEST_F(ReportSelections, ReminderCardsTellTheOwnerTheVehicleAndItsStoredCosts)
{
    CustomerBuilder(1).name(u("山田"), u("太郎")).address(u("東京都品川区"), u("1-2-3"))
        .postalCode(1400001).set(&CDaoKokSet::m_Sama, 1).insertInto(store);
    VehicleBuilder(10).owner(1).plate(u("品川"), 500, u("あ"), 1234).maker(3).model(u("K13"))
        .inspectionExpiry(QDate(2025, 1, 31)).set(&CDaoCarSet::m_Jibai, 17650)
        .set(&CDaoCarSet::m_JyuZei, 24600).set(&CDaoCarSet::m_Insi, 1800)
        .set(&CDaoCarSet::m_Daiko, 10005).insertInto(store);
    // Its owner has gone since: no card, rather than a card to nobody.
    VehicleBuilder(11).owner(2).inspectionExpiry(QDate(2025, 1, 15)).insertInto(store);
    VehicleBuilder(12).owner(1).chassis(u("新規作成中")).inspectionExpiry(QDate(2025, 1, 20))
        .insertInto(store);

    kv::data::SettingsList makes(kv::data::ListLayout::makes());
    makes.setEntry(3, u("ニッサン"));
    kv::data::RoundingSettings rounding;
    rounding.taxRate = 0.10;
    rounding.tax = kv::data::RoundingRule{1, 0}; // up to the yen
    StoredReminderCosts taxable(rounding, true);
    const QString filter = ReminderMonths::filter(QDate(2025, 1, 1), QDate(2025, 1, 31));
    ReminderCards cards(store, filter, ReminderMonths::sort(), makes, &taxable);
    ASSERT_EQ(cards.count(), 2);
    EXPECT_EQ(cards.at(0), std::nullopt);
    const auto card = cards.at(1);
    ASSERT_TRUE(card);
    EXPECT_EQ(card->addressee.postalCode, 1400001);
    EXPECT_EQ(card->addressee.address1, u("東京都品川区"));
    EXPECT_EQ(card->addressee.name1, u("山田"));
    EXPECT_EQ(card->addressee.honorific, 1);
    EXPECT_EQ(card->vehicleName, u("ﾆｯｻﾝ K13"));
    EXPECT_EQ(card->plate, u("品川 500 あ 1234"));
    EXPECT_EQ(card->expiry, u("令和 7年 1月31日"));
    ASSERT_TRUE(card->costs);
    EXPECT_EQ(card->costs->compulsoryInsurance, 17650);
    EXPECT_EQ(card->costs->weightTax, 24600);
    EXPECT_EQ(card->costs->stampFee, 1800);
    EXPECT_EQ(card->costs->agencyFee, 10005);
    EXPECT_EQ(card->costs->agencyTax, 1001) << "10 % of 10,005 rounded up";
    EXPECT_EQ(card->costs->total, 17650 + 24600 + 1800 + 10005 + 1001);

    // An agency fee not taxed adds no tax; no cost source, no block.
    StoredReminderCosts untaxed(rounding, false);
    ReminderCards plain(store, filter, ReminderMonths::sort(), makes, &untaxed);
    EXPECT_EQ(plain.at(1)->costs->agencyTax, 0);
    EXPECT_EQ(plain.at(1)->costs->total, 17650 + 24600 + 1800 + 10005);
    ReminderCards none(store, filter, ReminderMonths::sort(), makes, nullptr);
    EXPECT_EQ(none.at(1)->costs, std::nullopt);
    // The labels address the same owners, one for each vehicle.
    VehicleOwnerAddresses labels(store, filter, ReminderMonths::sort());
    ASSERT_EQ(labels.count(), 2);
    EXPECT_EQ(labels.at(0), std::nullopt);
    EXPECT_EQ(labels.at(1)->name1, u("山田"));
    // Costs summed beyond an int stay the largest amount, never negative.
    kv::data::CarRow dear;
    dear.m_Jibai = dear.m_JyuZei = dear.m_Insi = 999999999;
    EXPECT_EQ(untaxed.of(dear).total, std::numeric_limits<int>::max());
}

TEST_F(ReportSelections, CustomersAddressTheirCardsAsUsers)
{
    CustomerBuilder(2).name(u("佐藤"), u("経理部")).owner(u("所有者")).address(u("大阪府"), u("北区"))
        .postalCode(5300001).set(&CDaoKokSet::m_Sama, 3).insertInto(store);
    CustomerBuilder(1).name(u("山田")).address(u("東京都")).insertInto(store);
    const CustomerSelection selection;
    CustomerAddresses addresses(store, selection.filter(), selection.sort());
    ASSERT_TRUE(addresses.isOpen());
    ASSERT_EQ(addresses.count(), 2);
    const auto sato = addresses.at(1);
    ASSERT_TRUE(sato);
    EXPECT_EQ(sato->postalCode, 5300001);
    EXPECT_EQ(sato->address1, u("大阪府"));
    EXPECT_EQ(sato->address2, u("北区"));
    EXPECT_EQ(sato->name1, u("佐藤"));
    EXPECT_EQ(sato->name2, u("経理部"));
    EXPECT_EQ(sato->honorific, 3);
    EXPECT_EQ(addresses.at(0)->name1, u("山田"));
    EXPECT_EQ(addresses.at(2), std::nullopt);
}

} // namespace

// With the cost tables, a reminder quotes their figures for the next
// inspection, falling back on the stored ones where they decide nothing.
TEST_F(ReportSelections, ReminderCostsTakeTheTablesFiguresForTheNextInspection)
{
    ASSERT_EQ(kv::data::CostStore(store.mainConnection()).ensureTables(), QString());
    CustomerBuilder(1).name(u("山田")).insertInto(store);
    const kv::data::SettingsList classes = kv::data::DefaultSettings::vehicleClasses();
    const kv::data::SettingsList uses = kv::data::DefaultSettings::vehicleUses();
    const QDate expiry(2026, 6, 30);
    auto car = [&](int code, int weight) {
        VehicleBuilder(code).owner(1).inspectionExpiry(expiry).firstRegistered(QDate(2012, 6, 1))
            .set(&CDaoCarSet::m_Syubetu, int(classes.entries().indexOf(u("小型"))))
            .set(&CDaoCarSet::m_Youto, int(uses.entries().indexOf(u("乗用"))))
            .set(&CDaoCarSet::m_Jiei, 1).set(&CDaoCarSet::m_Jyuryo, weight)
            .set(&CDaoCarSet::m_Jibai, 1).set(&CDaoCarSet::m_JyuZei, 2).set(&CDaoCarSet::m_Insi, 3)
            .insertInto(store);
    };
    car(10, 1200);
    car(11, 0);
    kv::data::VehicleCosts tables(store.mainConnection(), classes, uses);
    StoredReminderCosts costs(kv::data::RoundingSettings{}, false);
    costs.takeFiguresFrom(&tables);
    kv::data::SettingsList makes(kv::data::ListLayout::makes());
    ReminderCards cards(store, QStringLiteral("CarCode >= 10"), QStringLiteral("CarCode"), makes, &costs);
    ASSERT_EQ(cards.count(), 2);
    const auto weighed = cards.at(0);
    ASSERT_TRUE(weighed && weighed->costs);
    EXPECT_EQ(weighed->costs->compulsoryInsurance, 18160);
    EXPECT_EQ(weighed->costs->weightTax, 34200) << "14 years old at its next inspection";
    EXPECT_EQ(weighed->costs->stampFee, 1800);
    EXPECT_EQ(weighed->costs->total, 18160 + 34200 + 1800);
    const auto unweighed = cards.at(1);
    ASSERT_TRUE(unweighed && unweighed->costs);
    EXPECT_EQ(unweighed->costs->weightTax, 2);
    EXPECT_EQ(unweighed->costs->compulsoryInsurance, 18160);
}
