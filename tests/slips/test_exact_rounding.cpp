// Rounding of exact fractions, line amounts and typed decimals.

#include "slips/core/ExactRounding.h"
#include "slips/core/LineAmount.h"

#include "common/KVCommon.h"

#include <gtest/gtest.h>

using kv::data::RoundingRule;
using namespace kv::slips;

namespace {

TEST(ExactRounding, AgreesWithTheShopRoundingOnEveryModeAndUnit)
{
    // Fractions a double holds exactly: the exact rounding must give what
    // HasuuCalc gives, negative amounts and halves included.
    for (int type = 0; type <= 3; ++type) {
        for (int unit = 0; unit <= 2; ++unit) {
            for (const qint64 quarters : {-50001, -1250, -50, -2, -1, 0, 1, 2, 3, 50, 1250, 49999}) {
                const double expected = HasuuCalc(double(quarters) / 4.0, type, unit);
                const qint64 exact = roundFraction(quarters, 4, RoundingRule{type, unit});
                EXPECT_EQ(exact, qint64(expected))
                    << "type " << type << " unit " << unit << " value " << quarters << "/4";
            }
        }
    }
}

TEST(ExactRounding, PercentagesWithoutBinaryDrift)
{
    // 7 % of 100 rounded up: a binary 0.07 × 100 is 7.000000000000001.
    EXPECT_EQ(roundFraction(700 * 100, 10000, RoundingRule{1, 0}), 7);
    // 10 % of 30 rounded up is 3, not 4.
    EXPECT_EQ(roundFraction(rateInHundredthsOfPercent(0.10) * 30, 10000, RoundingRule{1, 0}), 3);
    EXPECT_EQ(rateInHundredthsOfPercent(0.08), 800);
    EXPECT_EQ(rateInHundredthsOfPercent(0.0029), 29);

    EXPECT_EQ(percentFromText("0.29"), 29);
    EXPECT_EQ(percentFromText("12.345"), 1234);
    EXPECT_EQ(percentFromText("12.5"), 1250);
    EXPECT_EQ(percentFromText("100"), 10000);
    EXPECT_EQ(percentFromText("100.000"), 10000);
    EXPECT_EQ(percentFromText("99.999"), 9999);
    EXPECT_EQ(percentFromText("0"), 0);
    for (const char* refused : {"100.01", "100.001", "-1", "abc", "", "1.2.3", "１２"})
        EXPECT_EQ(percentFromText(QString::fromUtf8(refused)), std::nullopt) << refused;
    EXPECT_EQ(percentText(1234), "12.34");
    EXPECT_EQ(percentText(5), "0.05");
}

TEST(ExactRounding, TenthsAreCutAsTheFloorDoes)
{
    EXPECT_EQ(tenthsFromText("2.5"), 25);
    EXPECT_EQ(tenthsFromText("0.29"), 2);
    EXPECT_EQ(tenthsFromText("-1.25"), -13);
    EXPECT_EQ(tenthsFromText("-1.20"), -12);
    EXPECT_EQ(tenthsFromText("999.9"), 9999);
    EXPECT_EQ(tenthsFromText("x"), std::nullopt);
    EXPECT_EQ(tenthsText(25), "2.5");
    EXPECT_EQ(tenthsText(-13), "-1.3");
    EXPECT_EQ(tenthsText(0), "");
}

TEST(LineAmounts, QuantityTimesPriceAndIndexTimesRate)
{
    const RoundingRule down{0, 0};
    EXPECT_EQ(LineAmount::parts(1000, 25, down), 2500);
    EXPECT_EQ(LineAmount::parts(333, 3, down), 99) << "99.9 rounded down";
    EXPECT_EQ(LineAmount::parts(333, 3, RoundingRule{2, 0}), 100);
    EXPECT_EQ(LineAmount::parts(333, -3, down), -100) << "down is towards minus infinity";
    EXPECT_EQ(LineAmount::parts(1234, 10, RoundingRule{1, 1}), 1240);
    EXPECT_EQ(LineAmount::labour(8000, 15, down), 12000);
    EXPECT_EQ(LineAmount::parts(9'999'999, 20, down), std::nullopt);
    EXPECT_EQ(LineAmount::parts(-9'999'999, 10, down), -9'999'999);
    EXPECT_EQ(LineAmount::counted(1), 0) << "持ち込み and サービス count as nothing";
    EXPECT_EQ(LineAmount::counted(2), 2);
    EXPECT_TRUE(LineAmount::takesBodyWorkRate(16));
    EXPECT_FALSE(LineAmount::takesBodyWorkRate(3));
}

} // namespace
