#include "controls/FieldChecks.h"

#include <gtest/gtest.h>

namespace {

using kv::IntegerField;
using kv::IntegerStyle;

IntegerField amount()
{
    return {0, 9999999, QStringLiteral("0から9,999,999迄の整数を入力してくだい！"),
            QStringLiteral("0"), IntegerStyle::Grouped, 0, false};
}

IntegerField typeCode()
{
    return {0, 99999, QStringLiteral("0から99999迄の整数を入力してくだい！"), QString(),
            IntegerStyle::ZeroPadded, 5, true};
}

IntegerField classNumber()
{
    return {0, 999, QStringLiteral("0から999迄の整数を入力してくだい！"), QString(),
            IntegerStyle::Plain, 0, true};
}

struct CheckCase {
    IntegerField (*field)();
    const char* typed;
    bool accepted;
    const char* shown; // canonical text, or the reset text when refused
};

class IntegerFieldCheck : public ::testing::TestWithParam<CheckCase> {};

TEST_P(IntegerFieldCheck, AcceptsRewritesOrResets)
{
    const CheckCase& c = GetParam();
    const IntegerField field = c.field();
    const kv::FieldVerdict verdict = kv::integerFieldCheck(field)(QString::fromUtf8(c.typed));
    EXPECT_EQ(verdict.accepted(), c.accepted) << c.typed;
    EXPECT_EQ(verdict.text(), QString::fromUtf8(c.shown)) << c.typed;
    EXPECT_EQ(verdict.message(), c.accepted ? QString() : field.message) << c.typed;
}

INSTANTIATE_TEST_SUITE_P(
    Fields, IntegerFieldCheck,
    ::testing::Values(
        CheckCase{amount, "1234", true, "1,234"},
        CheckCase{amount, "12,34", true, "1,234"},
        CheckCase{amount, "", true, "0"},
        CheckCase{amount, "9,999,999", true, "9,999,999"},
        CheckCase{amount, "10000000", false, "0"},
        CheckCase{amount, "-1", false, "0"},
        CheckCase{amount, "12a", false, "0"},
        CheckCase{amount, "12.5", false, "0"},
        CheckCase{typeCode, "12", true, "00012"},
        CheckCase{typeCode, "0", true, ""},
        CheckCase{typeCode, "99999", true, "99999"},
        CheckCase{typeCode, "100000", false, ""},
        CheckCase{typeCode, "1,2", false, ""},
        CheckCase{classNumber, "007", true, "7"},
        CheckCase{classNumber, "", true, ""},
        CheckCase{classNumber, "-", false, ""},
        CheckCase{classNumber, "+5", false, ""},
        CheckCase{classNumber, " 5", false, ""},
        CheckCase{classNumber, "1000", false, ""},
        CheckCase{classNumber, "99999999999", false, ""}));

} // namespace
