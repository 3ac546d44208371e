#include "common/KVCommon.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct CsvCase {
    const char16_t* line;
    int tab;
    int index;
    int result;
    const char16_t* field;
};

TEST(GetCsvField, SplitsFieldsAndKeepsCommasInsideParentheses)
{
    const CsvCase cases[] = {
        {u"a,b(c,d),e", 0, 0, 1, u"a"},
        {u"a,b(c,d),e", 0, 1, 1, u"b(c,d)"},
        {u"a,b(c,d),e", 0, 2, 1, u"e"},
        {u"a,b(c,d),e", 0, 3, 0, u"e"},
        {u"\"x\",y", 0, 0, 1, u"x"},
        {u"\"x\",y", 0, 1, 1, u"y"},
        {u"a,,b", 0, 1, 1, u""},
        {u"a,,b", 0, 2, 1, u"b"},
        {u"a,b,", 0, 2, 0, u"b"},
        {u"", 0, 0, 0, u"before"},
        {u"abc", 0, 0, 1, u"abc"},
        // A "(" without ")" protects nothing.
        {u"a(b,c", 0, 0, 1, u"a(b"},
        // Several bracketed commas in one field, and brackets in a later one.
        {u"(1,2)(3,4),x", 0, 0, 1, u"(1,2)(3,4)"},
        {u"(1,2)(3,4),x", 0, 1, 1, u"x"},
        {u"p,(q,r),s", 0, 1, 1, u"(q,r)"},
        {u"p,(q,r),s", 0, 2, 1, u"s"},
        // A bracket closed beyond the line's last comma takes the rest.
        {u"a(b,c)d", 0, 0, 1, u"a(b,c)d"},
        {u"(a,b", 0, 1, 1, u"b"},
        // Quotes are only stripped, never unescaped.
        {u"\"a,b\",c", 0, 0, 1, u"\"a"},
        {u"\"a,b\",c", 0, 1, 1, u"b\""},
        {u"\"\",c", 0, 0, 1, u""},
        {u"\",c", 0, 0, 1, u"\""},
        {u"\"整備\",ｶﾄｳ", 0, 0, 1, u"整備"},
        {u"\"整備\",ｶﾄｳ", 0, 1, 1, u"ｶﾄｳ"},
        // Tab mode: commas and brackets are plain text.
        {u"a,b\t(c\td)", 1, 0, 1, u"a,b"},
        {u"a,b\t(c\td)", 1, 1, 1, u"(c"},
        {u"a,b\t(c\td)", 1, 2, 1, u"d)"},
        {u"a\t", 1, 1, 0, u"a"},
        // A negative index takes nothing.
        {u"a,b", 0, -1, 1, u"before"},
    };
    for (const CsvCase& c : cases) {
        const QString line = QString::fromUtf16(c.line);
        QString field = QStringLiteral("before");
        EXPECT_EQ(GetCsvField(line, field, c.tab, c.index), c.result)
            << line.toStdString() << " #" << c.index;
        EXPECT_EQ(field, QString::fromUtf16(c.field)) << line.toStdString() << " #" << c.index;
    }
}

TEST(GetCsvField, StripsTheQuotesOfTheOldFieldForANegativeIndex)
{
    QString field = QStringLiteral("\"q\"");
    EXPECT_EQ(GetCsvField(QStringLiteral("a"), field, 0, -1), 1);
    EXPECT_EQ(field, QStringLiteral("q"));
}

struct ReadResult {
    int result;
    QString line;
    bool operator==(const ReadResult&) const = default;
};

std::vector<ReadResult> readAll(const QByteArray& bytes, int maxCalls = 6)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    std::vector<ReadResult> results;
    for (int i = 0; i < maxCalls; ++i) {
        QString line = QStringLiteral("stale");
        const int result = GetTextLine(buffer, line);
        results.push_back({result, line});
        if (result == 0 && buffer.atEnd())
            break;
    }
    return results;
}

void PrintTo(const ReadResult& r, std::ostream* os)
{
    *os << r.result << " \"" << r.line.toStdString() << "\"";
}

struct TextLineCase {
    const char* name;
    QByteArray bytes;
    std::vector<ReadResult> expected;
};

TEST(GetTextLine, ReadsCp932LinesAsTheByteRulesSay)
{
    const QString a = QStringLiteral("あ");    // 82 A0
    const QString kanji = QStringLiteral("整");  // 90 AE
    const QString ten = QStringLiteral("十");  // 8F 5C: a backslash as trail byte
    const QString e0 = QStringLiteral("漾");   // E0 40
    const QString fc = QStringLiteral("黑");   // FC 4B (IBM extension)
    const QString circled = QStringLiteral("①");  // 87 40 (NEC)
    const TextLineCase cases[] = {
        {"CR LF lines", QByteArray("xy\r\nz"), {{1, "xy"}, {1, "z"}, {0, ""}}},
        {"CR at the end", QByteArray("xy\r"), {{0, "xy"}}},
        {"CR before the mark", QByteArray("xy\r\x1A" "ab"), {{0, "xy"}, {1, "ab"}, {0, ""}}},
        {"LF alone", QByteArray("a\nb\n"), {{1, "a"}, {1, "b"}, {0, ""}}},
        {"CR inside a line", QByteArray("a\rb\r\n"), {{1, "ab"}, {0, ""}}},
        {"empty lines", QByteArray("\r\n\n"), {{1, ""}, {1, ""}, {0, ""}}},
        {"mark ends", QByteArray("ab\x1A" "cd"), {{1, "ab"}, {1, "cd"}, {0, ""}}},
        {"mark first", QByteArray("\x1A"), {{0, ""}}},
        {"empty file", QByteArray(), {{0, ""}}},
        {"double-byte", QByteArray("\x82\xA0\x90\xAE\x8F\x5C\r\n"), {{1, a + kanji + ten}, {0, ""}}},
        {"lead bytes E0 and FC", QByteArray("\xE0\x40\xFC\x4B\x87\x40"), {{1, e0 + fc + circled}, {0, ""}}},
        {"half-width kana", QByteArray("\xB6\xC4\xB3\r\n\xDF"), {{1, QStringLiteral("ｶﾄｳ")}, {1, QStringLiteral("ﾟ")}, {0, ""}}},
        {"illegal trail dropped", QByteArray("a\x82\x7F" "b\x81\x20" "c"), {{1, "abc"}, {0, ""}}},
        {"lead byte eats a line end", QByteArray("a\x82\nb\n"), {{1, "ab"}, {0, ""}}},
        {"lone lead byte at the end", QByteArray("ab\x82"), {{0, "ab"}}},
        {"lead byte before the mark", QByteArray("ab\x82\x1A"), {{0, "ab"}}},
        {"undefined single bytes", QByteArray("a\x80\nb\xA0\xFD\xFE\xFF\n"), {{1, "a"}, {1, "b"}, {0, ""}}},
        {"NUL kept", QByteArray("a\0b\n", 4), {{1, QString::fromLatin1("a\0b", 3)}, {0, ""}}},
    };
    for (const TextLineCase& c : cases)
        EXPECT_EQ(readAll(c.bytes), c.expected) << c.name;
}

TEST(GetTextLine, ReadsFromAFileDevice)
{
    QBuffer buffer;
    buffer.setData(QByteArray("\x88\xea\x8d\x73\r\n"));
    buffer.open(QIODevice::ReadOnly);
    QString line;
    EXPECT_EQ(GetTextLine(buffer, line), 1);
    EXPECT_EQ(line, QStringLiteral("一行"));
    EXPECT_EQ(GetTextLine(buffer, line), 0);
    EXPECT_TRUE(line.isEmpty());
}

} // namespace
