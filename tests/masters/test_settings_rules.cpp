// The checks of the shop's rates and the label offsets.
#include "masters/core/SettingsRules.h"

#include "support/Utf8.h"

#include <gtest/gtest.h>

using namespace kv::masters;
using kv::test::u;

TEST(SettingsRules, RatesAreWholeYenUpTo999999)
{
    EXPECT_EQ(SettingsRules::rateFromText(QStringLiteral("1234")), 1234);
    EXPECT_EQ(SettingsRules::rateFromText(QStringLiteral("999,999")), 999999);
    EXPECT_EQ(SettingsRules::rateFromText(QStringLiteral("0")), 0);
    for (const char* bad : {"1000000", "-1", "", "12a", "1.5"})
        EXPECT_FALSE(SettingsRules::rateFromText(QString::fromLatin1(bad))) << bad;
    EXPECT_EQ(SettingsRules::rateText(1234), QStringLiteral("1,234"));
}

TEST(SettingsRules, OffsetsAreCutToTenthsWithin99Point9)
{
    const struct {
        const char* text;
        std::optional<int> tenths;
    } cases[] = {
        {"12.37", 123}, {"-12.37", -123}, {"99.9", 999}, {"-99.9", -999}, {"99.99", std::nullopt},
        {"-99.95", std::nullopt}, {"-100", std::nullopt}, {"100", std::nullopt}, {"5", 50},
        {".5", 5}, {"-0.05", 0}, {"+3.2", 32}, {"", std::nullopt}, {"-", std::nullopt},
        {"1.2.3", std::nullopt}, {"abc", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SettingsRules::offsetFromText(QString::fromLatin1(c.text)), c.tenths) << c.text;
    EXPECT_EQ(SettingsRules::offsetText(-5), QStringLiteral("-0.5"));
    EXPECT_EQ(SettingsRules::offsetText(123), QStringLiteral("12.3"));
    EXPECT_EQ(SettingsRules::offsetMessage(), u("-99.9から99.9迄を入力して下さい！"));
}
