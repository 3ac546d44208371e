// A generated corpus of malformed and mutated filter texts: each one is
// either refused with an engine error or becomes SQL made only of the
// table's column names, fixed operators and placeholders, which then runs.

#include "EngineTestFolder.h"

#include "data/engine/FilterTranslator.h"
#include "data/tables/DaoRecordsets.h"

#include <QRegularExpression>

#include <random>

using namespace kv::data;

namespace {

const char* const kSeeds[] = {
    "KokCode = 1",
    "(Furi >= \"ｶ\" AND Furi <= \"ｶﾝ\") AND UserName1 <> \"新規作成中\"",
    "((Furi >= \"ｱ\" AND Furi <= \"ﾝ\") AND (Shime1 = 20 OR Shime2 = 20 OR Shime3 = 20 OR Shime4 = 20)) AND UserName1 <> \"新規作成中\"",
    "Tel1 = \"03-1111-2222\" OR Tel2 = \"03-1111-2222\"",
    "OwnerName1 Like \"*藤[!a-z]?#*\"",
    "Burth Between #2024/01/01 00:00:00# And #2024/12/31 23:59:59#",
    "NOT [KokCode] Between -5 And 2.5",
    "Furi = \"a\"\"b\"",
};

const char* const kPieces[] = {
    "KokCode", "Furi", "[Furi]", "[Kok Code]", "Nothing", "UserName1", "Burth", "Post",
    "=", "<>", "<", "<=", ">", ">=", "==", "!", "AND", "and", "Or", "NOT", "Between", "Like",
    "(", ")", "[", "]", "\"", "\"\"", "\"ｶﾄｳ\"", "\"'); DROP TABLE Kok; --\"", "#", "#2024/02/29#",
    "#2024/13/40#", "#2024/01/01 12:00#", "1", "-1", "2.5", ".5", "-", "+", "1e5", "99999999999999999999",
    ";", "--", "/*", "'", "?", "%", "*", "\\", "\t", "\n", "新規作成中", "ｶ", "𠀋", "\x01",
};

QString mutate(QString text, std::mt19937& random)
{
    static const QString inserts = QStringLiteral("\"'#[]()=<>;-*?!% 9aZ藤ｶ\\\n");
    const int steps = 1 + int(random() % 4);
    for (int s = 0; s < steps && !text.isEmpty(); ++s) {
        const qsizetype at = qsizetype(random() % quint32(text.size()));
        switch (random() % 5) {
        case 0: text.remove(at, 1); break;
        case 1: text.insert(at, inserts[qsizetype(random() % quint32(inserts.size()))]); break;
        case 2: text.truncate(at); break;
        case 3: text.insert(at, text.mid(at / 2, 1 + random() % 6)); break;
        case 4: text[at] = inserts[qsizetype(random() % quint32(inserts.size()))]; break;
        }
    }
    return text;
}

QString soup(std::mt19937& random)
{
    QString text;
    const int count = 1 + int(random() % 12);
    for (int i = 0; i < count; ++i) {
        text += QString::fromUtf8(kPieces[random() % std::size(kPieces)]);
        if (random() % 3)
            text += u' ';
    }
    return text;
}

// The SQL may hold only quoted names of the table's columns, placeholders,
// the fixed operators and keywords, and the Like function.
bool isOnlyOurSql(const QByteArray& sql, const TableDef& table)
{
    QString rest = QString::fromUtf8(sql);
    for (const ColumnDef& column : table.columns)
        rest.replace(u'"' + QString::fromLatin1(column.name) + u'"', QStringLiteral(" "));
    static const QRegularExpression allowed(
        QStringLiteral("^(?:[\\s()?,=<>]|\\bAND\\b|\\bOR\\b|\\bNOT\\b|\\bBETWEEN\\b|\\bkv_like\\b)*$"));
    return allowed.match(rest).hasMatch();
}

TEST(FilterFuzz, generatedExpressionsGiveErrorsOrSafeSqlThatRuns)
{
    kv::test::EngineTestFolder t;
    t.sql("INSERT INTO f010.Kok (KokCode, Furi, UserName1) VALUES (1, 'ｶﾄｳ', 'a'), (2, 'ｻﾄｳ', 'b')");
    const TableDef& table = CDaoKokSet::tableDef();

    std::mt19937 random(20240229u);
    int refused = 0;
    int accepted = 0;
    kv::test::RowIdSet set(t.connection, table);
    ASSERT_TRUE(set.Open());
    for (int i = 0; i < 6000; ++i) {
        const QString expression = i % 2 ? soup(random)
                                         : mutate(QString::fromUtf8(kSeeds[random() % std::size(kSeeds)]), random);
        FilterTranslator translator(table);
        SqlFragment fragment;
        if (!translator.translateFilter(expression, fragment)) {
            ++refused;
            const int code = translator.error().code;
            EXPECT_TRUE(code == error::kSyntax || code == error::kUnknownColumn
                        || code == error::kTypeMismatch || code == error::kInvalidPattern)
                << code << " for " << expression.toStdString();
            EXPECT_FALSE(translator.error().description.isEmpty());
            continue;
        }
        ++accepted;
        ASSERT_TRUE(isOnlyOurSql(fragment.sql, table))
            << expression.toStdString() << " -> " << fragment.sql.constData();
        EXPECT_EQ(fragment.sql.count('?'), qsizetype(fragment.values.size()));
        set.SetFilter(expression);
        ASSERT_TRUE(set.Requery()) << expression.toStdString() << ": "
                                   << set.lastError().description.toStdString();
    }
    // The corpus reaches both sides.
    EXPECT_GT(refused, 1000);
    EXPECT_GT(accepted, 100);
    set.SetFilter({});
    ASSERT_TRUE(set.Requery());
    EXPECT_EQ(set.GetRecordCount(), 2);
    EXPECT_TRUE(t.connection.tableExists(QStringLiteral("f010"), QStringLiteral("Kok")));
}

TEST(FilterFuzz, deepNestingIsRefusedNotOverflowed)
{
    kv::test::EngineTestFolder t;
    for (const QString& expression :
         {QString(100000, u'(') + QStringLiteral("KokCode = 1") + QString(100000, u')'),
          QStringLiteral("NOT ").repeated(50000) + QStringLiteral("KokCode = 1")}) {
        FilterTranslator translator(CDaoKokSet::tableDef());
        SqlFragment fragment;
        EXPECT_FALSE(translator.translateFilter(expression, fragment));
        EXPECT_EQ(translator.error().code, error::kSyntax);
    }
    // Long but flat expressions are fine.
    QString wide = QStringLiteral("KokCode = 0");
    for (int i = 1; i < 2000; ++i)
        wide += QStringLiteral(" OR KokCode = %1").arg(i);
    kv::test::RowIdSet set(t.connection, CDaoKokSet::tableDef());
    set.SetFilter(wide);
    EXPECT_TRUE(set.Open()) << set.lastError().description.toStdString();
}

} // namespace
