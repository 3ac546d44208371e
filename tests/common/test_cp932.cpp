#include "common/Cp932.h"

#include <gtest/gtest.h>

using namespace kv;

TEST(Cp932, EncodesAndDecodesJapaneseText)
{
    const QString text = QStringLiteral("整備ｶﾄｳ abc");
    bool ok = false;
    QByteArray bytes = cp932::encode(text, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(bytes, QByteArray("\x90\xae\x94\xf5\xb6\xc4\xb3 abc"));
    EXPECT_EQ(cp932::decode(bytes), text);
}

TEST(Cp932, MapsCharactersThatShiftJisRefuses)
{
    // U+2212, U+FF5E and U+2225 are CP932's forms of minus, wave dash and
    // parallel; NEC's circled digits are common in shop data.
    EXPECT_EQ(cp932::encode(QStringLiteral("\u2212")), QByteArray("\x81\x7c"));
    EXPECT_EQ(cp932::encode(QStringLiteral("\uff5e")), QByteArray("\x81\x60"));
    EXPECT_EQ(cp932::encode(QStringLiteral("①")), QByteArray("\x87\x40"));
    EXPECT_TRUE(cp932::isRepresentable(QStringLiteral("㈱髙")));
}

TEST(Cp932, RefusesWhatItCannotHold)
{
    bool ok = true;
    EXPECT_EQ(cp932::encode(QStringLiteral("aé"), &ok), QByteArray("a?"));
    EXPECT_FALSE(ok);
    EXPECT_EQ(cp932::firstUnrepresentable(QStringLiteral("abé")), 2);
    EXPECT_FALSE(cp932::isRepresentable(QString::fromUcs4(U"\U0002000B")));
    EXPECT_EQ(cp932::firstUnrepresentable(QStringLiteral("全部")), -1);
}

TEST(Cp932, CountsAndCutsBytesWithoutSplittingCharacters)
{
    EXPECT_EQ(cp932::byteLength(QStringLiteral("ｱｲｳ")), 3);
    EXPECT_EQ(cp932::byteLength(QStringLiteral("日本a")), 5);
    EXPECT_EQ(cp932::truncateToBytes(QStringLiteral("日本a"), 3), QStringLiteral("日"));
    EXPECT_EQ(cp932::truncateToBytes(QStringLiteral("日本a"), 4), QStringLiteral("日本"));
    EXPECT_EQ(cp932::truncateToBytes(QStringLiteral("日本a"), 10), QStringLiteral("日本a"));
    EXPECT_EQ(cp932::truncateToBytes(QStringLiteral("日"), 1), QString());
}

TEST(Cp932, TellsLegalDoubleBytePairs)
{
    EXPECT_TRUE(cp932::isLeadByte(0x81));
    EXPECT_TRUE(cp932::isLeadByte(0x9F));
    EXPECT_TRUE(cp932::isLeadByte(0xE0));
    EXPECT_TRUE(cp932::isLeadByte(0xFC));
    EXPECT_FALSE(cp932::isLeadByte(0xA0));
    EXPECT_FALSE(cp932::isLeadByte(0xB6));  // half-width katakana
    EXPECT_TRUE(cp932::isLegalPair(0x82, 0xA0));   // あ
    EXPECT_FALSE(cp932::isLegalPair(0x82, 0x7F));  // 0x7F is never a trail byte
    EXPECT_FALSE(cp932::isLegalPair(0x81, 0x20));
    EXPECT_FALSE(cp932::isLegalPair(0x41, 0x41));
}

TEST(Cp932, DecodesBrokenInputWithoutLosingTheRest)
{
    EXPECT_EQ(cp932::decode(QByteArray("a\x82")), QStringLiteral("a\ufffd"));
    EXPECT_EQ(cp932::decode(QByteArray("\x82\x7f" "b")), QStringLiteral("\ufffdb"));
    const char field[6] = {'a', 'b', 0, 'x', 'y', 'z'};
    EXPECT_EQ(cp932::decodeField(field, 6), QStringLiteral("ab"));
    const char full[3] = {'a', 'b', 'c'};
    EXPECT_EQ(cp932::decodeField(full, 3), QStringLiteral("abc"));
}

TEST(Cp932, ComparesInByteOrder)
{
    // Readings sort by their CP932 bytes: the voiced mark 0xDE sorts after
    // every kana letter, and a prefix sorts first.
    EXPECT_LT(cp932::compare(u"ｶﾄｳ", u"ｶﾄｳﾀﾛｳ"), 0);
    EXPECT_LT(cp932::compare(u"ｶﾄｳﾀﾛｳ", u"ｶﾄﾞ"), 0);
    EXPECT_GT(cp932::compare(u"ｶﾄﾞ", u"ｶﾄｳ"), 0);
    EXPECT_EQ(cp932::compare(u"ｱｲ", u"ｱｲ"), 0);
    // Half-width katakana (single bytes 0xA1..0xDF) sort after hiragana and
    // the first kanji level (lead bytes 0x81..0x9F), before lead bytes 0xE0..
    EXPECT_LT(cp932::compare(u"あ", u"ｱ"), 0);
    EXPECT_GT(cp932::compare(u"ｱ", u"漢"), 0);
    EXPECT_LT(cp932::compare(u"ｱ", u"漾"), 0);
    EXPECT_LT(cp932::compare(u"A", u"a"), 0);
}
