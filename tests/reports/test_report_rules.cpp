// The rules of the reports that need no data folder: reading bounds, the
// reminder's months, label sheets, page counts and the address lines.

#include "reports/core/CustomerSelection.h"
#include "reports/core/LabelSheet.h"
#include "reports/core/PostcardAddress.h"
#include "reports/core/PostcardShifts.h"
#include "reports/core/ReadingBounds.h"
#include "reports/core/ReminderMonths.h"
#include "reports/core/ReportPages.h"
#include "common/Cp932.h"
#include "support/Utf8.h"

#include <gtest/gtest.h>

using namespace kv::reports;
using kv::test::u;

TEST(ReadingBounds, UpperBoundTakesEveryReadingThatBeginsWithIt)
{
    const ReadingBounds range(u("ｱ"), u("ｶ"));
    EXPECT_TRUE(range.contains(u("ｱｲｶﾜ")));
    EXPECT_TRUE(range.contains(u("ｶ")));
    EXPECT_TRUE(range.contains(u("ｶﾜｸﾞﾁ")));
    // The voiced marks sort after ﾝ: a bound padded with ﾝ lost these.
    EXPECT_TRUE(range.contains(u("ｶﾞｯｺｳ")));
    EXPECT_TRUE(range.contains(u("ｶﾟ")));
    EXPECT_TRUE(range.contains(u("ｶﾝﾝﾝﾝﾝﾝﾝﾝﾝﾝﾝﾝﾝﾝﾝﾝﾝﾝﾞ")));
    EXPECT_FALSE(range.contains(u("ｷ")));
    EXPECT_FALSE(range.contains(u("ｷｸﾁ")));
    EXPECT_FALSE(range.contains(u(" ")));
    EXPECT_FALSE(range.contains(u("ABC")));
}

TEST(ReadingBounds, PastPrefixIsTheNextCharacterInByteOrder)
{
    EXPECT_EQ(ReadingBounds::pastPrefix(u("ｶ")), u("ｷ"));
    EXPECT_EQ(ReadingBounds::pastPrefix(u("ｶﾞ")), u("ｶﾟ"));
    // After ﾟ (0xDF) comes the first double-byte character of lead 0xE0.
    const auto afterLast = ReadingBounds::pastPrefix(u("ｶﾟ"));
    ASSERT_TRUE(afterLast);
    EXPECT_EQ(afterLast->left(1), u("ｶ"));
    EXPECT_GT(kv::cp932::compare(*afterLast, u("ｶﾟﾝﾝﾝ")), 0);
    EXPECT_EQ(ReadingBounds::pastPrefix(QString()), std::nullopt);
    // The default range " " to "ﾝ" takes the readings with voiced marks after ﾝ.
    const ReadingBounds all(u(" "), u("ﾝ"));
    EXPECT_TRUE(all.contains(u("ﾝﾞ")));
    EXPECT_TRUE(all.contains(u("ﾜﾀﾅﾍﾞ")));
}

TEST(ReminderMonths, OpenWithTheNextMonthAndSpanWholeMonths)
{
    EXPECT_EQ(ReminderMonths::nextMonth(QDate(2024, 12, 10)), u("25/01"));
    EXPECT_EQ(ReminderMonths::nextMonth(QDate(2024, 1, 31)), u("24/02"));
    EXPECT_EQ(ReminderMonths::firstDay(u("24/11")), QDate(2024, 11, 1));
    EXPECT_EQ(ReminderMonths::lastDay(u("25/02")), QDate(2025, 2, 28));
    EXPECT_EQ(ReminderMonths::lastDay(u("24/02")), QDate(2024, 2, 29));
    EXPECT_EQ(ReminderMonths::firstDay(u("51/01")), QDate(1951, 1, 1));
    EXPECT_EQ(ReminderMonths::firstDay(u("50/12")), QDate(2050, 12, 1));
    for (const char* bad : {"24/00", "24/13", "2411", "", "ab/cd", "4/11"})
        EXPECT_EQ(ReminderMonths::firstDay(u(bad)), std::nullopt) << bad;
}

TEST(ReminderMonths, CheckRefusesNonMonthsAndBackwardSpans)
{
    using Field = ReportRefusal::Field;
    EXPECT_EQ(ReminderMonths::check(u("24/11"), u("25/02")), std::nullopt);
    EXPECT_EQ(ReminderMonths::check(u("25/01"), u("25/01")), std::nullopt);
    const auto start = ReminderMonths::check(u("24/00"), u("25/02"));
    ASSERT_TRUE(start);
    EXPECT_EQ(start->field, Field::StartMonth);
    EXPECT_EQ(start->message, u("年月日が異常です！"));
    const auto end = ReminderMonths::check(u("24/11"), QString());
    ASSERT_TRUE(end);
    EXPECT_EQ(end->field, Field::EndMonth);
    EXPECT_EQ(end->message, u("年月日が異常です！"));
    // 99/12 is 1999, before 00/01 (2000).
    const auto backwards = ReminderMonths::check(u("00/01"), u("99/12"));
    ASSERT_TRUE(backwards);
    EXPECT_EQ(backwards->field, Field::StartMonth);
    EXPECT_EQ(backwards->message, u("終了日付が開始日付より小さくなっています！"));
}

TEST(LabelPlan, StartPositionShiftsTheFirstSheetOnly)
{
    LabelSheet sheet{6, 2, 400, 900, 100, 50, 20, 30};
    ASSERT_EQ(LabelPlan::check(sheet, 3, 2), std::nullopt);
    const LabelPlan plan(sheet, 3, 2, 20);
    ASSERT_EQ(plan.pageCount(), 3);
    const auto first = plan.labels(1);
    ASSERT_EQ(first.size(), 7u);
    EXPECT_EQ(first.front().record, 0);
    EXPECT_EQ(first.front().row, 2);
    EXPECT_EQ(first.front().column, 1);
    // x = (Horizontal + Yoko) × col + Left, down = (Vertical + Tate) × row + Top.
    EXPECT_EQ(first.front().box, QRect(930 + 50, 2 * 420 + 100, 900, 400));
    EXPECT_EQ(first[1].row, 3);
    EXPECT_EQ(first[1].column, 0);
    const auto second = plan.labels(2);
    ASSERT_EQ(second.size(), 12u);
    EXPECT_EQ(second.front().record, 7);
    EXPECT_EQ(second.front().box.topLeft(), QPoint(50, 100));
    const auto third = plan.labels(3);
    ASSERT_EQ(third.size(), 1u);
    EXPECT_EQ(third.front().record, 19);
    EXPECT_TRUE(plan.labels(4).empty());
    EXPECT_EQ(LabelPlan(sheet, 1, 1, 24).pageCount(), 2);
    EXPECT_EQ(LabelPlan(sheet, 1, 1, 25).pageCount(), 3);
    EXPECT_EQ(LabelPlan(sheet, 1, 1, 0).pageCount(), 0);
}

TEST(LabelPlan, RefusesSheetsWithoutLabelsAndStartsBeyondTheSheet)
{
    using Field = ReportRefusal::Field;
    const auto noRows = LabelPlan::check(LabelSheet{0, 2, 400, 900}, 1, 1);
    ASSERT_TRUE(noRows);
    EXPECT_EQ(noRows->field, Field::Layout);
    EXPECT_FALSE(noRows->message.isEmpty());
    const auto noColumns = LabelPlan::check(LabelSheet{6, 0, 400, 900}, 1, 1);
    ASSERT_TRUE(noColumns);
    EXPECT_EQ(noColumns->field, Field::Layout);
    EXPECT_EQ(LabelPlan(LabelSheet{0, 0}, 1, 1, 5).pageCount(), 0);

    const LabelSheet sheet{6, 2, 400, 900};
    const auto row = LabelPlan::check(sheet, 7, 1);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->field, Field::StartRow);
    EXPECT_EQ(row->message, u("開始行が範囲を超えています！"));
    const auto column = LabelPlan::check(sheet, 6, 3);
    ASSERT_TRUE(column);
    EXPECT_EQ(column->field, Field::StartColumn);
    EXPECT_EQ(column->message, u("開始列が範囲を超えています！"));
    EXPECT_EQ(LabelPlan::check(sheet, 6, 2), std::nullopt);
}

TEST(ReportPages, UnitsAndOfferedRange)
{
    EXPECT_EQ(ReportPages::ofUnits(25, 12), 3);
    EXPECT_EQ(ReportPages::ofUnits(24, 12), 2);
    EXPECT_EQ(ReportPages::ofUnits(13, 13), 1);
    EXPECT_EQ(ReportPages::ofUnits(14, 13), 2);
    EXPECT_EQ(ReportPages::ofUnits(0, 20), 0);
    using Span = ReportPages::Span;
    EXPECT_EQ(ReportPages::offered(50, 1, 999999), (Span{1, 50}));
    EXPECT_EQ(ReportPages::offered(50, 10, 20), (Span{10, 20}));
    // Beyond the last page nothing is offered, not the last page.
    EXPECT_EQ(ReportPages::offered(3, 5, 9), std::nullopt);
    EXPECT_EQ(ReportPages::offered(0, 1, 999999), std::nullopt);
}

TEST(CustomerVehiclePages, CustomersNeverSplitAndVehiclesRepeatTheirCustomer)
{
    using Entry = CustomerVehiclePages::Entry;
    // 3 + 5 × 6 = 33 lines: the second customer's 3 lines do not fit.
    const CustomerVehiclePages fits({5, 0});
    ASSERT_EQ(fits.pageCount(), 2);
    EXPECT_EQ(fits.page(1).size(), 6u);
    EXPECT_EQ(fits.page(2), (CustomerVehiclePages::Page{Entry{1, -1}}));
    // A sixth vehicle needs 39 lines: it opens page 2 under its customer.
    const CustomerVehiclePages split({6, 1});
    ASSERT_EQ(split.pageCount(), 2);
    EXPECT_EQ(split.page(2), (CustomerVehiclePages::Page{Entry{0, -1}, Entry{0, 5}, Entry{1, -1},
                                                         Entry{1, 0}}));
    // Eleven customers without vehicles fill 33 lines; the twelfth moves on.
    const CustomerVehiclePages bare(std::vector<int>(12, 0));
    ASSERT_EQ(bare.pageCount(), 2);
    EXPECT_EQ(bare.page(1).size(), 11u);
    EXPECT_EQ(CustomerVehiclePages({}).pageCount(), 0);
}

TEST(PostcardAddress, DigitsAndNameLines)
{
    PostcardAddress address;
    address.postalCode = 1234567;
    EXPECT_EQ(address.postalDigits(), (QStringList{"1", "2", "3", "4", "5", "6", "7"}));
    address.postalCode = 12345;
    EXPECT_EQ(address.postalDigits().join(QString()), u("0012345"));
    address.postalCode = 0;
    EXPECT_TRUE(address.postalDigits().isEmpty());

    address.name1 = u("山田太郎");
    address.honorific = 1;
    // 8 bytes padded to 20, a blank, then the honorific on the first line.
    EXPECT_EQ(address.nameLines(), QStringList{u("山田太郎") + QString(13, ' ') + u("様")});
    address.name2 = u("経理部");
    const QStringList two = address.nameLines();
    ASSERT_EQ(two.size(), 2);
    EXPECT_FALSE(two[0].contains(u("様")));
    EXPECT_TRUE(two[1].startsWith(u("経理部")));
    EXPECT_TRUE(two[1].endsWith(u(" 様")));
    address.honorific = 0;
    EXPECT_TRUE(address.nameLines()[1].endsWith(u(" ")));
}

TEST(PostcardShifts, TypedMillimetresAreKeptAsTenthsRoundedDown)
{
    using PostcardShifts::tenthsOf;
    EXPECT_EQ(tenthsOf(u("1.25")), 12);
    EXPECT_EQ(tenthsOf(u("-1.25")), -13);
    EXPECT_EQ(PostcardShifts::shown(12), u("1.2"));
    EXPECT_EQ(PostcardShifts::shown(-13), u("-1.3"));
    EXPECT_EQ(PostcardShifts::shown(0), u("0.0"));
    EXPECT_EQ(tenthsOf(u("0.3")), 3);
    EXPECT_EQ(tenthsOf(u("-0.3")), -3);
    EXPECT_EQ(tenthsOf(u("4.1")), 41);
    EXPECT_EQ(tenthsOf(u("-2.30")), -23);
    EXPECT_EQ(tenthsOf(u("5")), 50);
    EXPECT_EQ(tenthsOf(u(".5")), 5);
    EXPECT_EQ(tenthsOf(u("+7.")), 70);
    EXPECT_EQ(tenthsOf(u("99.9")), 999);
    EXPECT_EQ(tenthsOf(u("-99.9")), -999);
    EXPECT_EQ(tenthsOf(u("-99.90")), -999);
    for (const char* bad : {"100", "99.91", "-99.95", "", "-", ".", "1,5", "abc", "1.2.3", "1e1", "１.５"})
        EXPECT_EQ(tenthsOf(u(bad)), std::nullopt) << bad;
}

TEST(ReportChecks, RangesMustNotEndBelowTheirStart)
{
    using Field = ReportRefusal::Field;
    CustomerSelection selection;
    EXPECT_EQ(selection.check(), std::nullopt);
    selection.codeFrom = 10;
    selection.codeTo = 9;
    ASSERT_TRUE(selection.check());
    EXPECT_EQ(selection.check()->field, Field::CodeFrom);
    EXPECT_EQ(selection.check()->message, u("終了顧客ｺｰﾄﾞが開始顧客ｺｰﾄﾞより小さくなっています！"));
    selection.codeTo = 10;
    selection.readingFrom = u("ｶ");
    selection.readingTo = u("ｶ");
    EXPECT_EQ(selection.check(), std::nullopt);
    // In CP932 order ｶﾞ lies above ｶﾝ.
    selection.readingFrom = u("ｶﾞ");
    selection.readingTo = u("ｶﾝ");
    ASSERT_TRUE(selection.check());
    EXPECT_EQ(selection.check()->field, Field::ReadingTo);
    EXPECT_EQ(selection.check()->message, u("終了顧客ﾌﾘｶﾞﾅが開始顧客ﾌﾘｶﾞﾅより小さくなっています！"));

    EXPECT_EQ(ReportPages::check(1, 1), std::nullopt);
    ASSERT_TRUE(ReportPages::check(3, 2));
    EXPECT_EQ(ReportPages::check(3, 2)->field, Field::PageFrom);
    EXPECT_EQ(ReportPages::check(3, 2)->message, u("終了ページが開始ページより小さくなっています！"));
}
