// How the printed slip formats its values.

#include "data/engine/DayNumber.h"
#include "slips/core/PrintPositionInput.h"
#include "slips/core/SlipPrintPages.h"
#include "slips/core/SlipPrintTexts.h"
#include "support/Utf8.h"

#include <gtest/gtest.h>

namespace T = kv::slips::SlipPrintTexts;
using kv::slips::SlipPrintPages;
using kv::test::u;

TEST(SlipPrintTexts, PostalCodeMileageAndAmounts)
{
    EXPECT_EQ(T::postalCode(1234567), u("123-4567"));
    EXPECT_EQ(T::postalCode(12345), u("001-2345"));
    EXPECT_EQ(T::postalCode(0), QString());
    EXPECT_EQ(T::mileage(0), QString());
    EXPECT_EQ(T::mileage(123456), u("123,456 km"));
    EXPECT_EQ(T::amount(0), QString());
    EXPECT_EQ(T::amountOrZero(0), u("0"));
    EXPECT_EQ(T::discount(1234, true), u("▲1,234"));
    EXPECT_EQ(T::discount(0, true, true), u("0"));
    EXPECT_EQ(T::discount(-500, false), u("-500"));
    EXPECT_EQ(T::slipNumber(123, 2, 3), u("000123(2-3)"));
}

TEST(SlipPrintTexts, DatesAndEras)
{
    EXPECT_EQ(T::fullDate(QDate(2024, 3, 5)), u("2024年 3月 5日"));
    EXPECT_EQ(T::fullDate(QDate()), QString());
    EXPECT_EQ(T::dateOf(kv::data::kEmptyDate), QDate());
    EXPECT_EQ(T::nextInspection(QDate(2013, 3, 31)), u("平成25年 3月31日"));
    EXPECT_EQ(T::nextInspection(QDate(2023, 3, 31)), u("令和 5年 3月31日"));
    // Reiwa 21 is not Heisei 21.
    EXPECT_EQ(T::nextInspection(QDate(2039, 4, 1)), u("令和21年 4月 1日"));
    EXPECT_EQ(T::firstRegistration(QDate(1988, 6, 1)), u("昭和63/06"));
    EXPECT_EQ(T::firstRegistration(QDate(2015, 6, 1)), u("平成27/06"));
    EXPECT_EQ(T::firstRegistration(QDate(1920, 1, 1)), QString()) << "no name for Taisho";
}

TEST(SlipPrintTexts, VehicleTexts)
{
    kv::data::CarRow v;
    v.m_Rikuji = u("品川");
    v.m_Kana = u("あ");
    EXPECT_EQ(T::plate(v), u("品川    あ      "));
    v.m_Rno = 500;
    v.m_Preno = 12;
    v.m_Kana.clear();
    EXPECT_EQ(T::plate(v), u("品川 500      12 "));
    EXPECT_EQ(T::typeClass(0, 0), QString());
    EXPECT_EQ(T::typeClass(12345, 0), u("12345-   "));
    EXPECT_EQ(T::typeClass(0, 7), u("    -0007"));
    // Kana, letters and blanks narrowed, voiced kana split; kanji stay.
    EXPECT_EQ(T::vehicleName(u("ニッサン"), u("K13")), u("ﾆｯｻﾝ K13"));
    EXPECT_EQ(T::vehicleName(u("ダイハツ　ＢＭＷ"), u("X")), u("ﾀﾞｲﾊﾂ BMW X"));
    EXPECT_EQ(T::vehicleName(u("ぱ日産"), QString()), u("ﾊﾟ日産 "));
    // Cut at 25 bytes without splitting a double-byte character.
    EXPECT_EQ(T::vehicleName(u("ABCDEFGHIJKLMNOPQRSTUVW"), u("漢字")),
              u("ABCDEFGHIJKLMNOPQRSTUVW "));
    EXPECT_EQ(T::honorific(3), u("御中"));
    EXPECT_EQ(T::honorific(0), QString());
}

TEST(SlipPrintPages, PagesRunCopyAfterCopy)
{
    const SlipPrintPages pages(0, 35, {true, false, true});
    EXPECT_EQ(pages.pagesPerCopy(), 2);
    EXPECT_EQ(pages.pageCount(), 4);
    const int expected[][2] = {{1, 1}, {1, 2}, {3, 1}, {3, 2}};
    for (int p = 1; p <= 4; ++p) {
        EXPECT_EQ(pages.page(p).copy, expected[p - 1][0]) << p;
        EXPECT_EQ(pages.page(p).pageInCopy, expected[p - 1][1]) << p;
    }
    EXPECT_EQ(SlipPrintPages(0, 0, {true, true, true}).pageCount(), 3);
    EXPECT_EQ(SlipPrintPages(0, 30, {true, false, false}).pageCount(), 1);
    EXPECT_EQ(SlipPrintPages(0, 31, {true, false, false}).pageCount(), 2);
    EXPECT_EQ(SlipPrintPages(1, 61, {false, false, false}).pageCount(), 3);
    EXPECT_EQ(SlipPrintPages(3, 10, {false, false, true}).pageCount(), 0) << "an estimate has two copies";
    EXPECT_EQ(SlipPrintPages::profileKey(0, 3), u("PrintNou3"));
    EXPECT_EQ(SlipPrintPages::profileKey(2, 1), u("PrintGai1"));
    EXPECT_EQ(SlipPrintPages::profileKey(3, 2), u("PrintOn2"));
    EXPECT_EQ(SlipPrintPages::profileKey(3, 3), QString());
    EXPECT_EQ(SlipPrintPages::profileKey(1, 1), QString());
}

TEST(PrintPositionInput, TypedMillimetresBecomeTenthsRoundedDown)
{
    using kv::slips::PrintPositionInput;
    const int margin = PrintPositionInput::kMarginLimit;
    EXPECT_EQ(PrintPositionInput::tenthsOf(u("12.34"), margin), 123);
    EXPECT_EQ(PrintPositionInput::tenthsOf(u("-0.05"), margin), -1);
    EXPECT_EQ(PrintPositionInput::tenthsOf(u("-1.25"), margin), -13);
    EXPECT_EQ(PrintPositionInput::tenthsOf(u("-1.20"), margin), -12);
    // Exact in decimal, where 8.2 × 10 in binary falls just short of 82.
    EXPECT_EQ(PrintPositionInput::tenthsOf(u("8.2"), margin), 82);
    EXPECT_EQ(PrintPositionInput::tenthsOf(u("99.9"), margin), 999);
    EXPECT_EQ(PrintPositionInput::tenthsOf(u("100"), margin), std::nullopt);
    EXPECT_EQ(PrintPositionInput::tenthsOf(u("-99.95"), margin), std::nullopt);
    EXPECT_EQ(PrintPositionInput::tenthsOf(u("99.95"), margin), std::nullopt) << "refused, not cut";
    EXPECT_EQ(PrintPositionInput::tenthsOf(u("99.90"), margin), 999);
    EXPECT_EQ(PrintPositionInput::tenthsOf(u("99.89"), margin), 998);
    EXPECT_EQ(PrintPositionInput::tenthsOf(u("297.05"), PrintPositionInput::kFoldLimit), std::nullopt);
    EXPECT_EQ(PrintPositionInput::tenthsOf(u("297.0"), PrintPositionInput::kFoldLimit), 2970);
    EXPECT_EQ(PrintPositionInput::tenthsOf(u("1e2"), margin), std::nullopt);
    EXPECT_EQ(PrintPositionInput::tenthsOf(u(""), margin), std::nullopt);
    EXPECT_EQ(PrintPositionInput::tenthsOf(u("-"), margin), std::nullopt);
    EXPECT_EQ(PrintPositionInput::tenthsOf(u(".5"), margin), 5);
    EXPECT_EQ(PrintPositionInput::text(-13), u("-1.3"));
    EXPECT_EQ(PrintPositionInput::text(-1), u("-0.1"));
    EXPECT_EQ(PrintPositionInput::text(1480), u("148.0"));
}
