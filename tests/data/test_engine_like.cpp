#include "data/engine/LikePattern.h"

#include <QString>

#include <gtest/gtest.h>

using kv::data::LikePattern;

namespace {

struct LikeCase {
    const char16_t* pattern;
    const char16_t* text;
    bool matches;
};

class LikeMatch : public ::testing::TestWithParam<LikeCase> {};

TEST_P(LikeMatch, matchesAsTheSearchesExpect)
{
    const LikeCase& c = GetParam();
    const auto pattern = LikePattern::compile(QStringView(c.pattern));
    ASSERT_TRUE(pattern.has_value()) << QString::fromUtf16(c.pattern).toStdString();
    EXPECT_EQ(pattern->matches(QStringView(c.text)), c.matches)
        << QString::fromUtf16(c.pattern).toStdString() << " / "
        << QString::fromUtf16(c.text).toStdString();
    // The SQL function sees UTF-8; both paths must agree.
    const QByteArray utf8 = QString::fromUtf16(c.text).toUtf8();
    EXPECT_EQ(pattern->matchesUtf8(std::string_view(utf8.constData(), size_t(utf8.size()))),
              c.matches);
}

INSTANTIATE_TEST_SUITE_P(
    Wildcards, LikeMatch,
    ::testing::Values(
        LikeCase{u"ｶﾄｳ*", u"ｶﾄｳﾀﾛｳ", true}, LikeCase{u"ｶﾄｳ*", u"ｶﾄｳ", true},
        LikeCase{u"ｶﾄｳ*", u"ｻﾄｳ", false}, LikeCase{u"*田*", u"山田太郎", true},
        LikeCase{u"*田*", u"山本", false}, LikeCase{u"*郎", u"山田太郎", true},
        LikeCase{u"*郎", u"太郎丸", false}, LikeCase{u"?田", u"山田", true},
        LikeCase{u"?田", u"田", false}, LikeCase{u"??", u"山田", true},
        LikeCase{u"??", u"山", false}, LikeCase{u"03-####-####", u"03-1234-5678", true},
        LikeCase{u"03-####-####", u"03-12a4-5678", false}, LikeCase{u"[ｱ-ｵ]*", u"ｲﾄｳ", true},
        LikeCase{u"[ｱ-ｵ]*", u"ｶﾄｳ", false}, LikeCase{u"[!ｱ-ｵ]*", u"ｶﾄｳ", true},
        LikeCase{u"[!ｱ-ｵ]*", u"ｲﾄｳ", false}, LikeCase{u"[abc]x", u"bx", true},
        LikeCase{u"[abc]x", u"dx", false}, LikeCase{u"ABC*", u"abcdef", true},
        LikeCase{u"abc", u"ABC", true}, LikeCase{u"[A-C]1", u"b1", true},
        LikeCase{u"ａｂｃ", u"ＡＢＣ", false}, // full-width letters keep their case
        LikeCase{u"[*]*", u"*abc", true}, LikeCase{u"[*]*", u"abc", false},
        LikeCase{u"a[?]", u"a?", true}, LikeCase{u"a[?]", u"ab", false},
        LikeCase{u"[#]1", u"#1", true}, LikeCase{u"*", u"", true}, LikeCase{u"", u"", true},
        LikeCase{u"", u"a", false}, LikeCase{u"a**b", u"axxb", true},
        LikeCase{u"*a*b*c*", u"xaybzc", true}, LikeCase{u"*a*b*c*", u"xaybz", false},
        LikeCase{u"a]", u"a]", true}, LikeCase{u"a[]b", u"ab", true},
        LikeCase{u"%", u"%", true}, LikeCase{u"%", u"abc", false}, // SQL's wildcard is literal
        LikeCase{u"_", u"a", false}, LikeCase{u"?", u"𠀋", true}));

TEST(LikePattern, malformedPatternsAreRefused)
{
    for (const char16_t* bad : {u"[abc", u"ab[", u"[!", u"[z-a]", u"x[9-0]"})
        EXPECT_FALSE(LikePattern::compile(QStringView(bad)).has_value())
            << QString::fromUtf16(bad).toStdString();
}

TEST(LikePattern, longStarRunsStayLinear)
{
    const auto pattern = LikePattern::compile(u"*a*a*a*a*a*a*a*a*b");
    ASSERT_TRUE(pattern.has_value());
    EXPECT_FALSE(pattern->matches(QString(5000, u'a')));
}

} // namespace
