#include "data/settings/DefaultSettings.h"
#include "lan/core/ChangeAnnouncer.h"
#include "masters/core/ItemRowList.h"
#include "masters/core/ItemRules.h"
#include "masters/core/KanaIndex.h"

#include <gtest/gtest.h>

#include <optional>

using kv::masters::ItemOrder;
using kv::masters::ItemRecord;
using kv::masters::ItemRow;
using kv::masters::ItemRowList;
using kv::masters::ItemRules;
using kv::masters::KanaIndex;

TEST(ItemRules, CodesAreZeroToNineThousandNineHundredNinetyNine)
{
    const struct {
        const char* text;
        std::optional<int> code;
    } cases[] = {
        {"0", 0}, {"1", 1}, {"9999", 9999}, {" 12 ", 12}, {"0012", 12},
        {"10000", std::nullopt}, {"-1", std::nullopt}, {"", std::nullopt},
        {"1a", std::nullopt}, {"１２", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ItemRules::parseCode(QString::fromUtf8(c.text)), c.code) << c.text;
}

TEST(ItemRules, CategoryByNumberOrName)
{
    const kv::data::CategoryNames names = kv::data::DefaultSettings::categories();
    const struct {
        const char* typed;
        bool accepted;
        int index;
        const char* shown;
    } cases[] = {
        {"3", true, 3, "整備"},   {"0", true, 0, "一般"},    {"18", true, 18, "他"},
        {"19", false, 0, ""},     {"-1", false, 0, ""},      {"油脂", true, 11, "油脂"},
        {"ﾀｲﾔ", true, 12, "ﾀｲﾔ"}, {"xyz", true, 0, "一般"},  {"", true, 0, "一般"},
        {"5ab", true, 5, "交換"},
    };
    for (const auto& c : cases) {
        const auto category = ItemRules::resolveCategory(QString::fromUtf8(c.typed), names);
        ASSERT_EQ(category.has_value(), c.accepted) << c.typed;
        if (!category)
            continue;
        EXPECT_EQ(category->index, c.index) << c.typed;
        EXPECT_EQ(category->text, QString::fromUtf8(c.shown)) << c.typed;
    }
    EXPECT_EQ(ItemRules::categoryMessage(), QStringLiteral("0から18迄を入力して下さい！"));
}

TEST(ItemRules, PricesWithinSevenDigitsEitherSign)
{
    const struct {
        const char* typed;
        std::optional<int> price;
    } cases[] = {
        {"0", 0},           {"1200", 1200},         {"1,200", 1200},
        {"9,999,999", 9999999}, {"-9999999", -9999999}, {"10000000", std::nullopt},
        {"-10,000,000", std::nullopt}, {"12a", std::nullopt}, {"", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ItemRules::parsePrice(QString::fromUtf8(c.typed)), c.price) << c.typed;
    EXPECT_EQ(ItemRules::formatPrice(-9999999), QStringLiteral("-9,999,999"));
    EXPECT_EQ(ItemRules::formatCode(7), QStringLiteral("0007"));
}

TEST(ItemOrder, ReadingOrderComparesCp932Bytes)
{
    // Each pair is in CP932 byte order but the other way round in UTF-16:
    // ﾜ (DC) before 漾 (E040), Ａ (8260) before あ (82A0), 円 (897E) before
    // 万 (969C), ー (815B) before あ; equal texts fall back to the code.
    const struct {
        ItemRow first;
        ItemRow second;
    } cases[] = {
        {{9, QStringLiteral("x"), QStringLiteral("ﾜ")}, {1, QStringLiteral("x"), QStringLiteral("漾")}},
        {{9, QStringLiteral("Ａ"), QStringLiteral("ｱ")}, {1, QStringLiteral("あ"), QStringLiteral("ｱ")}},
        {{9, QStringLiteral("円盤"), QStringLiteral("ﾜ")}, {1, QStringLiteral("万力"), QStringLiteral("ﾜ")}},
        {{9, QStringLiteral("ーあ"), QStringLiteral("ｵ")}, {1, QStringLiteral("あ"), QStringLiteral("ｵ")}},
        {{1, QStringLiteral("同じ"), QStringLiteral("ｵ")}, {2, QStringLiteral("同じ"), QStringLiteral("ｵ")}},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(itemRowBefore(c.first, c.second, ItemOrder::Reading))
            << c.first.text.toStdString() << " / " << c.second.text.toStdString();
        EXPECT_FALSE(itemRowBefore(c.second, c.first, ItemOrder::Reading));
    }
    EXPECT_TRUE(itemRowBefore(cases[1].second, cases[1].first, ItemOrder::Code));
}

TEST(ItemRowList, LeavesOutPlaceholdersAndKeepsItsOrder)
{
    ItemRowList rows;
    rows.setOrder(ItemOrder::Reading);
    rows.assign({{1, QStringLiteral("ﾜｯｸｽ"), QStringLiteral("ﾜ"), 0, 0},
                 {2, ItemRules::placeholderText(), QString(), 0, 0},
                 {3, QStringLiteral("ｵｲﾙ"), QStringLiteral("ｵ"), 0, 0}});
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows.at(0).code, 3);
    EXPECT_EQ(rows.upsert({1, QStringLiteral("ｱﾝﾃﾅ"), QStringLiteral("ｱ")}), 0);
    EXPECT_EQ(rows.upsert({5, QStringLiteral("ﾊﾞｯﾃﾘｰ"), QStringLiteral("ﾊ")}), 2);
    EXPECT_EQ(rows.size(), 3);
    EXPECT_EQ(rows.remove(3), 1);
    EXPECT_EQ(rows.remove(3), -1);
    rows.setOrder(ItemOrder::Code);
    EXPECT_EQ(rows.at(0).code, 1);
    EXPECT_EQ(rows.at(1).code, 5);
}

TEST(ItemRowList, HoldsAtMostNineThousandNineHundredNinetyNineRows)
{
    std::vector<ItemRecord> items;
    for (int code = 1; code <= 10000; ++code)
        items.push_back({code, QStringLiteral("品"), QStringLiteral("ｼ"), 0, 0});
    ItemRowList rows;
    rows.assign(items);
    EXPECT_EQ(rows.size(), 9999);
    EXPECT_EQ(rows.upsert({10000, QStringLiteral("品"), QStringLiteral("ｼ")}), -1);
    EXPECT_EQ(rows.upsert({5, QStringLiteral("別"), QStringLiteral("ﾍ")}), 4);
}

TEST(KanaIndex, FirstRowAtOrAfterTheKanaElseTheLast)
{
    const auto rowsOf = [](std::initializer_list<const char16_t*> readings) {
        std::vector<ItemRow> rows;
        int code = 0;
        for (const char16_t* reading : readings)
            rows.push_back({++code, QStringLiteral("x"), QString::fromUtf16(reading)});
        return rows;
    };
    const int na = 4;
    EXPECT_EQ(KanaIndex::kana(na), QStringLiteral("ﾅ"));
    EXPECT_EQ(KanaIndex::rowFor(na, rowsOf({u"ｱ", u"ｶ", u"ﾊ"})), 2);
    EXPECT_EQ(KanaIndex::rowFor(na, rowsOf({u"ｱ", u"ｶ"})), 1);
    EXPECT_EQ(KanaIndex::rowFor(na, rowsOf({u"ｱ", u"ﾅ", u"ﾊ"})), 1);
    EXPECT_EQ(KanaIndex::rowFor(0, rowsOf({u"ｱ", u"ｶ"})), 0);
    EXPECT_EQ(KanaIndex::rowFor(na, {}), -1);
    // Digits and letters come before every kana.
    EXPECT_EQ(KanaIndex::rowFor(0, rowsOf({u"1", u"A", u"ｶ"})), 2);
}

TEST(KanaIndex, CaptionsAndDigits)
{
    EXPECT_EQ(KanaIndex::dialogCaption(0), QStringLiteral("ｱ(&1)"));
    EXPECT_EQ(KanaIndex::dialogCaption(9), QStringLiteral("ﾜ(&0)"));
    EXPECT_EQ(KanaIndex::pickListCaption(8), QStringLiteral("ﾗ(9)"));
    EXPECT_EQ(KanaIndex::buttonOfDigit(1), 0);
    EXPECT_EQ(KanaIndex::buttonOfDigit(0), 9);
    EXPECT_EQ(KanaIndex::buttonOfDigit(10), -1);
}

TEST(ChangeAnnouncer, CommandTextJoinsTheFields)
{
    EXPECT_EQ(kv::lan::ChangeAnnouncer::commandText(QStringLiteral("Update"),
                                                    QStringLiteral("作業・部品"),
                                                    {QStringLiteral("12"), QStringLiteral("ｵｲﾙ交換"),
                                                     QStringLiteral("ｵ")}),
              QStringLiteral("Update,作業・部品,12,ｵｲﾙ交換,ｵ"));
    EXPECT_EQ(kv::lan::ChangeAnnouncer::commandText(QStringLiteral("Delete"),
                                                    QStringLiteral("作業・部品"),
                                                    {QStringLiteral("3")}),
              QStringLiteral("Delete,作業・部品,3"));
}
