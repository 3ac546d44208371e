#include "common/KVCommon.h"
#include "support/RecordingMessageGateway.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

const QString KanmaOverflow = QStringLiteral("カンマ編集中にオーバーフローしました！\n桁を減らして編集します");
const QString CalcOverflow = QStringLiteral("計算結果がオーバーフローしました！\n実行できません");

struct KanmaCase {
    int value;
    const char* text;
    bool message;
};

TEST(Kanma, GroupsByThreeAndCutsTheLowestDigitsBeyondNine)
{
    const KanmaCase cases[] = {
        {0, "0", false},
        {7, "7", false},
        {999, "999", false},
        {1000, "1,000", false},
        {1234, "1,234", false},
        {-123, "-123", false},
        {-1234, "-1,234", false},
        {-123456, "-123,456", false},
        {-1234567, "-1,234,567", false},
        {999999999, "999,999,999", false},
        {-999999999, "-999,999,999", false},
        {1000000000, "100,000,000", true},
        {-1000000000, "-100,000,000", true},
        {INT_MAX, "214,748,364", true},
        {INT_MIN, "-214,748,364", true},
    };
    for (const KanmaCase& c : cases) {
        kv::test::RecordingMessageGateway gateway;
        QString out = QStringLiteral("old");
        Kanma(out, c.value);
        EXPECT_EQ(out, QString::fromLatin1(c.text)) << c.value;
        if (c.message)
            EXPECT_EQ(gateway.messages(), QStringList{KanmaOverflow}) << c.value;
        else
            EXPECT_TRUE(gateway.messages().isEmpty()) << c.value;
    }
}

struct DoubleFormatCase {
    double value;
    int decimals; // -1: Kanmadb
    const char* text;
};

TEST(Kanmadb, RoundsHalvesAwayFromZeroAndGroupsTheIntegerPart)
{
    const DoubleFormatCase cases[] = {
        {1234.5, -1, "1,235"},
        {0.5, -1, "1"},  // not to even
        {-0.5, -1, "-1"},
        {-1234.5, -1, "-1,235"},
        {0.4, -1, "0"},
        {1234567890123.0, -1, "1,234,567,890,123"},  // no length limit
        {1234.5, 2, "1,234.50"},
        {1234.5, 0, "1,235"},
        {2.5, 0, "3"},
        {1234567.891, 2, "1,234,567.89"},
        {-1234567.891, 3, "-1,234,567.891"},
        {0.125, 2, "0.13"},  // an exact binary tie
        {-0.125, 2, "-0.13"},
        {999.9996, 3, "1,000.000"},
        {12.0, 1, "12.0"},
    };
    for (const DoubleFormatCase& c : cases) {
        kv::test::RecordingMessageGateway gateway;
        QString out;
        if (c.decimals < 0)
            Kanmadb(out, c.value);
        else
            Kanmadb2(out, c.value, c.decimals);
        EXPECT_EQ(out, QString::fromLatin1(c.text)) << c.value << " / " << c.decimals;
        EXPECT_TRUE(gateway.messages().isEmpty());
    }
}

TEST(Kanmadb2, LeavesTheTextAloneForDecimalsOutsideZeroToThree)
{
    for (int decimals : {-1, 4, 100, INT_MIN}) {
        QString out = QStringLiteral("unchanged");
        Kanmadb2(out, 1234.5, decimals);
        EXPECT_EQ(out, QStringLiteral("unchanged")) << decimals;
    }
}

struct ParseCase {
    const char16_t* text;
    double value;
    int flag;
};

TEST(KanmaToInt, AcceptsGroupedDigitsAndStopsAtTheFirstFault)
{
    const ParseCase cases[] = {
        {u"", 0, 1},
        {u"1,234", 1234, 1},
        {u"12,34", 1234, 1},
        {u",,1,", 1, 1},
        {u"-", 0, 1},
        {u"-0", 0, 1},
        {u"1-2", 1, 0},
        {u"--1", 0, 0},
        {u" 12", 0, 0},
        {u"12 ", 12, 0},
        {u"12.5", 12, 0},
        {u"999,999,999", 999999999, 1},
        {u"1,000,000,000", 100000000, 0},
        {u"-999,999,999", -999999999, 1},
        {u"-1,000,000,000", -100000000, 0},
        {u"2147483648", 214748364, 0},
        {u"１２", 0, 0},
        {u"1a", 1, 0},
        {u"¥1", 0, 0},
    };
    for (const ParseCase& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        int flag = -1;
        EXPECT_EQ(KanmaToInt(text, &flag), int(c.value)) << text.toStdString();
        EXPECT_EQ(flag, c.flag) << text.toStdString();
    }
}

TEST(KanmaToInt, ReadsBackWhatKanmaWrote)
{
    for (int value : {0, 5, -5, 1234, -1234567, 999999999, -999999999, 100000}) {
        QString text;
        Kanma(text, value);
        int flag = 0;
        EXPECT_EQ(KanmaToInt(text, &flag), value);
        EXPECT_EQ(flag, 1);
    }
}

TEST(KanmaToDouble, CountsThePointAsACharacterAndAcceptsOnlyOne)
{
    const ParseCase cases[] = {
        {u"1,234.56", 1234.56, 1},
        {u"1.2.3", 1.2, 0},
        {u"1234567.89", 1234567.8, 0},
        {u"-123456.78", -123456.78, 1},
        {u"-1234567.89", -1234567.8, 0},
        {u"-12345678.9", -12345678, 0},
        {u"999999999", 999999999, 1},
        {u"9999999999", 999999999, 0},
        {u".5", 0.5, 1},
        {u"5.", 5, 1},
        {u".", 0, 1},
        {u"-.", 0, 1},
        {u"", 0, 1},
        {u"1e5", 1, 0},
        {u"0.1-", 0.1, 0},
    };
    for (const ParseCase& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        int flag = -1;
        EXPECT_DOUBLE_EQ(KanmaToDouble(text, &flag), c.value) << text.toStdString();
        EXPECT_EQ(flag, c.flag) << text.toStdString();
    }
}

struct RoundingCase {
    double value;
    int mode;
    int unit;
    double result;
};

TEST(HasuuCalc, RoundsByModeAndUnit)
{
    const RoundingCase cases[] = {
        {1234, 0, 1, 1230},
        {1234, 1, 1, 1240},
        {1250, 2, 2, 1300},
        {1249, 2, 2, 1200},
        {1240, 1, 1, 1240},  // already on the unit
        {80.4, 1, 0, 81},
        {80.4, 0, 0, 80},
        {80.5, 2, 0, 81},
        {80.49, 2, 0, 80},
        {80.5, 7, 0, 80.5},
        {80.5, -1, 0, 80.5},
        {1234, 7, 2, 1234},  // other modes leave the value, whatever the unit
        {1234.5, 0, 5, 1234},  // unknown unit is one yen
        {1234.5, 0, -1, 1234},
        // Negative values follow the same formulas.
        {-12.5, 0, 0, -13},
        {-12.5, 1, 0, -12},
        {-12.5, 2, 0, -12},
        {-12.6, 2, 0, -13},
        {-1234, 0, 1, -1240},
        {-1234, 1, 1, -1230},
        {-1250, 2, 2, -1200},
        {-1251, 2, 2, -1300},
        // What binary fractions do under the literal formula.
        {0.1 + 0.2, 1, 0, 1},
        {(0.1 + 0.2) * 10, 0, 0, 3},
        {1.005 * 100, 2, 0, 100},  // 100.49999999999999
        {1.15 * 100, 0, 0, 114},  // 114.99999999999999
        {1.15 * 100, 2, 0, 115},
        {105 * 1.08, 0, 0, 113},
        {100 * 1.1, 1, 0, 111},  // 110.00000000000001: a yen too many
        {1980 * 0.1, 2, 1, 200},
        {1980 * 1.1, 1, 0, 2178},
    };
    for (const RoundingCase& c : cases) {
        EXPECT_DOUBLE_EQ(HasuuCalc(c.value, c.mode, c.unit), c.result)
            << c.value << " mode " << c.mode << " unit " << c.unit;
    }
}

struct OverflowCase {
    int a;
    int b;
    const char* op;
    int result;
};

TEST(OverFlowCheck, ChecksTheExactResultAgainstNineDigits)
{
    const OverflowCase cases[] = {
        {999999998, 1, "+", 1},
        {999999999, 1, "+", 0},
        {-999999999, 1, "-", 0},
        {-999999998, 1, "-", 1},
        {100000, 100000, "*", 0},
        {31622, 31622, "*", 1},
        {-999999999, 0, "+", 1},
        {5, 7, "%", 1},
        {5, 7, "", 1},
        {5, 7, "++", 1},
        {INT_MAX, 0, "%", 1},
        // 32-bit extremes: none of these may wrap round into range.
        {INT_MAX, 1, "+", 0},
        {INT_MAX, INT_MAX, "+", 0},
        {INT_MIN, INT_MIN, "+", 0},
        {INT_MAX, INT_MIN, "+", 1},  // -1
        {INT_MIN, INT_MIN, "-", 1},  // 0
        {INT_MAX, INT_MAX, "-", 1},
        {INT_MIN, 1, "-", 0},
        {0, INT_MIN, "-", 0},
        {INT_MAX, INT_MIN, "-", 0},
        {INT_MIN, -1, "*", 0},
        {INT_MIN, INT_MIN, "*", 0},
        {INT_MAX, INT_MAX, "*", 0},
        {65536, 65536, "*", 0},  // wraps to 0 in 32 bits
        {INT_MIN, 0, "*", 1},
        {INT_MIN, -1, "/", 0},
        {INT_MIN, 2, "/", 0},
        {INT_MIN, 3, "/", 1},  // -715827882
        {INT_MAX, 3, "/", 1},
        {INT_MAX, 2, "/", 0},
        {-7, 2, "/", 1},
        {1999999999, 2, "/", 1},  // 999999999, truncated
        {INT_MAX, -1, "/", 0},
        {5, 0, "/", 0},  // no quotient at all
        {0, 0, "/", 0},
    };
    for (const OverflowCase& c : cases) {
        kv::test::RecordingMessageGateway gateway;
        EXPECT_EQ(OverFlowCheck(c.a, c.b, QString::fromLatin1(c.op)), c.result)
            << c.a << " " << c.op << " " << c.b;
        if (c.result == 0)
            EXPECT_EQ(gateway.messages(), QStringList{CalcOverflow});
        else
            EXPECT_TRUE(gateway.messages().isEmpty());
    }
}

} // namespace
