// Every filter, criteria and sort text the windows use, against rows chosen
// so that a wrong translation admits or orders something differently.

#include "EngineTestFolder.h"

#include "data/engine/DayNumber.h"
#include "data/engine/FilterTranslator.h"
#include "data/tables/DaoRecordsets.h"

#include <QDateTime>

using namespace kv::data;

namespace {

QByteArray day(const char* text)
{
    QDateTime dt = QDateTime::fromString(QString::fromLatin1(text), u"yyyy/MM/dd HH:mm:ss");
    if (!dt.isValid())
        dt = QDateTime(QDate::fromString(QString::fromLatin1(text), u"yyyy/MM/dd"), QTime(0, 0));
    return QByteArray::number(toDayNumber(dt), 'f', 10);
}

class FilterExpressions : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Customers: 3 is a placeholder; 2 and 6 share a reading; the
        // readings include the kana order the reading search relies on.
        t.sql(R"(INSERT INTO f010.Kok (rowid, KokCode, Furi, UserName1, OwnerName1, Shime1, Shime2,
                   Shime3, Shime4, SyoukaiKokCode, Tel1, Tel2, Post) VALUES
          (1, 1, 'ｱｵｷ', '青木', '青木一郎', 20, 0, 0, 0, 0, '03-1111-2222', '', 1000001),
          (2, 2, 'ｶﾄｳ', '加藤', '加藤花子', 0, 31, 0, 0, 1, '', '03-1111-2222', 0),
          (3, 3, 'ｶﾄｳﾀﾛｳ', '新規作成中', '', 20, 0, 0, 0, 0, '', '', 0),
          (4, 4, 'ｶﾄﾞ', '門', '門', 0, 0, 0, 20, 1, '090-0000-0000', '', 1000002),
          (5, 5, 'ｻﾄｳ', '佐藤', '佐藤次郎', 0, 0, 10, 0, 0, '', '', 0),
          (6, 6, 'ｶﾄｳ', '加藤', '加藤三郎', 0, 0, 0, 0, 0, '', '', 0))");
        t.sql("INSERT INTO f009.Car (rowid, CarCode, KokCode, Preno, Syaman, Homan, Syonen, Syamei,"
              " Syasyu, Syatai) VALUES"
              "(10, 10, 1, 1234, " + day("2024/03/15") + ", " + day("2024/06/01") + ", "
              + day("2015/04/01") + ", 3, 'ﾌﾟﾘｳｽ', 'A-1'),"
              "(11, 11, 1, 5678, " + day("2024/03/31 23:59:59") + ", -1000000.0, "
              + day("2018/01/01") + ", 3, 'ｱｸｱ', 'A-2'),"
              "(12, 12, 2, 1234, " + day("2024/04/01") + ", " + day("2024/03/20") + ", "
              + day("2015/12/31") + ", 5, 'ﾌｨｯﾄ', 'B-1'),"
              "(13, 13, 4, 42, -1000000.0, -1000000.0, " + day("2014/12/31 23:59:59")
              + ", 3, 'ﾌﾟﾘｳｽ', '新規作成中')");
        t.sql("INSERT INTO f013.ToriJnl (ID, KokCode, Date, DenFlag, DenNo, NyuukoKbnCode, ToriKbn)"
              " VALUES (1, 1, " + day("2024/01/10 10:00:00") + ", 1, 100, 1, 0),"
              "(2, 1, " + day("2024/01/20") + ", 0, 100, 1, 1),"
              "(3, 2, " + day("2024/02/05") + ", 1, 101, 2, 2),"
              "(4, 2, " + day("2023/12/31 23:59:59") + ", 1, 102, 1, 0),"
              "(5, 2, " + day("2024/01/31 23:59:59") + ", 1, 103, 1, 2)");
        t.sql("INSERT INTO f030.UriBunReport (ID, Date, NyuukoKbn) VALUES"
              "(1, " + day("2024/05/01") + ", '車検'), (2, " + day("2024/05/02") + ", '車検'),"
              "(3, " + day("2024/05/01") + ", '点検')");
        t.sql("INSERT INTO main.Seal (ID, Maker, Hinban) VALUES (1, 'エーワン', '28171'),"
              "(2, 'エーワン', '28172'), (3, 'コクヨ', '28171')");
        t.sql(t.pickLists, "INSERT INTO main.Syasyu (ID, SyameiNo, Syasyu) VALUES (1, 2, 'ﾏｰｸX'),"
              "(2, 1, 'ｸﾗｳﾝ'), (3, 2, 'ｱﾙﾌｧｰﾄﾞ'), (4, 2, 'ｱﾙﾌｧｰﾄﾞ')");
        t.sql("INSERT INTO f003.Syahead (rowid, DenNo, CarCode, DenKind, HatuDate) VALUES"
              "(1, 500, 10, 0, " + day("2024/02/01") + "), (2, 501, 10, 3, " + day("2024/01/01")
              + "), (3, 502, 11, 0, " + day("2023/01/01") + ")");
        t.sql("INSERT INTO f002.SyaJnl (JnlNo, DenNo, LineNo) VALUES (1, 500, 2), (2, 501, 0),"
              "(3, 500, 0), (4, 500, 1)");
        t.sql("INSERT INTO f011.Meisai (rowid, MeisaiCode, Meisai, Furi) VALUES"
              "(1, 3, 'オイル交換', 'ｵｲﾙ'), (2, 1, 'オイル', 'ｵｲﾙ'), (3, 2, 'ワイパー', 'ﾜｲﾊﾟ'),"
              "(4, 4, 'オイル', 'ｵｲﾙ')");
        t.sql("INSERT INTO f012.MeisaiSetHead (rowid, SetCode, SetName, Furi) VALUES"
              "(1, 7, '車検セット', 'ｼｬｹﾝ'), (2, 8, '新規作成中', ''), (3, 9, '点検セット', 'ｼｬｹﾝ')");
        t.sql("INSERT INTO f012.MeisaiSetJnl (ID, SetCode, LineNo) VALUES (1, 7, 1), (2, 9, 0),"
              "(3, 7, 0)");
        t.sql("INSERT INTO f014.Zan (rowid, KokCode, KuriZan) VALUES (1, 2, 100), (2, 1, 50)");
        t.sql("INSERT INTO f004.NyuukoKbn (NyuukoKbnCode, NyuukoKbn, NyuukoKind) VALUES"
              "(1, '車検', 1), (2, '点検', 2), (3, '入金', 99)");
        t.sql(t.pickLists, "INSERT INTO f007.Jyu (ID, Jyu, Furi) VALUES (1, '東京都', 'ﾄｳｷｮｳﾄ'), (2, '大阪府', 'ｵｵｻｶﾌ')");
        t.sql(t.pickLists, "INSERT INTO f008.KokName (ID, KokName, KokFuri) VALUES (1, '山田', 'ﾔﾏﾀﾞ'), (2, '井上', 'ｲﾉｳｴ')");
    }

    std::vector<qint64> view(const TableDef& table, const QString& filter, const QString& sort)
    {
        kv::test::RowIdSet set(t.store.connectionFor(table), table);
        set.SetFilter(filter);
        set.SetSort(sort);
        EXPECT_TRUE(set.Open()) << filter.toStdString() << ": "
                                << set.lastError().description.toStdString();
        return kv::test::rowIdsOf(set);
    }

    kv::test::EngineTestFolder t;
};

struct ViewCase {
    const TableDef& (*table)();
    const char* filter;
    const char* sort;
    std::vector<qint64> expected;
};

TEST_F(FilterExpressions, everyFilterAndSortInUseAdmitsTheRightRowsInOrder)
{
    const std::vector<ViewCase> cases = {
        // Customers.
        {CDaoKokSet::tableDef, "KokCode = 4", "KokCode", {4}},
        {CDaoKokSet::tableDef, "(Furi >= \"ｶ\" AND Furi <= \"ｶﾝ\") AND UserName1 <> \"新規作成中\"",
         "Furi, KokCode", {2, 6, 4}},
        {CDaoKokSet::tableDef, "(Furi >= \"ｶﾄｳ\" AND Furi <= \"ｶﾄｳ\")", "Furi, KokCode", {2, 6}},
        {CDaoKokSet::tableDef, "(KokCode >= 2 AND KokCode <= 4) AND UserName1 <> \"新規作成中\"",
         "KokCode", {2, 4}},
        {CDaoKokSet::tableDef,
         "((Furi >= \"ｱ\" AND Furi <= \"ﾝ\") AND (Shime1 = 20 OR Shime2 = 20 OR Shime3 = 20 OR "
         "Shime4 = 20)) AND UserName1 <> \"新規作成中\"",
         "Furi, KokCode", {1, 4}},
        {CDaoKokSet::tableDef,
         "((KokCode >= 1 AND KokCode <= 999999) AND (Shime1 = 31 OR Shime2 = 31 OR Shime3 = 31 OR "
         "Shime4 = 31)) AND UserName1 <> \"新規作成中\"",
         "KokCode", {2}},
        {CDaoKokSet::tableDef, "UserName1 <> \"新規作成中\"", "KokCode", {1, 2, 4, 5, 6}},
        {CDaoKokSet::tableDef, "UserName1 = \"新規作成中\"", "KokCode", {3}},
        {CDaoKokSet::tableDef, "SyoukaiKokCode = 1", "SyoukaiKokCode, KokCode", {2, 4}},
        {CDaoKokSet::tableDef, "Tel1 = \"03-1111-2222\" OR Tel2 = \"03-1111-2222\"", "KokCode", {1, 2}},
        {CDaoKokSet::tableDef, "Post = 1000002", "KokCode", {4}},
        {CDaoKokSet::tableDef, "OwnerName1 Like \"*藤*\"", "KokCode", {2, 5, 6}},
        {CDaoKokSet::tableDef, "(OwnerName1 Like \"加藤*\" AND Post = 0) AND UserName1 <> \"新規作成中\"",
         "KokCode", {2, 6}},
        {CDaoKokSet::tableDef, "Furi Like \"ｶﾄ?\" OR Tel1 Like \"090-####-####\"", "KokCode", {2, 4, 6}},
        {CDaoKokSet::tableDef, "", "Furi, KokCode", {1, 2, 6, 3, 4, 5}},
        {CDaoKokSet::tableDef, "", "SyoukaiKokCode, KokCode", {1, 3, 5, 6, 2, 4}},
        // Spelling variants the translator accepts.
        {CDaoKokSet::tableDef, "[KokCode] = 5", "[KokCode]", {5}},
        {CDaoKokSet::tableDef, "kokcode >= 2 and KOKCODE <= 3 or KokCode = 6", "KokCode", {2, 3, 6}},
        {CDaoKokSet::tableDef, "NOT (KokCode = 1 OR KokCode = 2)", "KokCode", {3, 4, 5, 6}},
        {CDaoKokSet::tableDef, "KokCode Between 2 And 4", "KokCode DESC", {4, 3, 2}},
        {CDaoKokSet::tableDef, "KokCode Not Between 2 And 4", "KokCode", {1, 5, 6}},
        {CDaoKokSet::tableDef, "Furi Not Like \"ｶ*\"", "KokCode", {1, 5}},
        {CDaoKokSet::tableDef, "KokCode > -1 AND KokCode < 2.5", "KokCode", {1, 2}},
        {CDaoKokSet::tableDef, "KokCode = \"4\"", "KokCode", {4}},
        // Vehicles.
        {CDaoCarSet::tableDef, "CarCode = 12", "KokCode, CarCode", {12}},
        {CDaoCarSet::tableDef, "KokCode = 1", "KokCode, CarCode", {10, 11}},
        {CDaoCarSet::tableDef, "CarCode >= 11 AND CarCode <= 12", "CarCode", {11, 12}},
        {CDaoCarSet::tableDef, "Preno = 1234", "Preno, CarCode", {10, 12}},
        {CDaoCarSet::tableDef, "", "Preno, CarCode", {13, 10, 12, 11}},
        {CDaoCarSet::tableDef, "Syaman Between #2024/03/01 00:00:00# AND #2024/03/31 23:59:59#",
         "Syaman, KokCode, CarCode", {10, 11}},
        {CDaoCarSet::tableDef, "Syaman Between #2024/03/01# AND #2024/03/31#",
         "Syaman, KokCode, CarCode", {10}},
        {CDaoCarSet::tableDef, "Homan Between #2024/03/01# AND #2024/06/30#",
         "Homan, KokCode, CarCode", {12, 10}},
        {CDaoCarSet::tableDef, "Syonen Between #2015/01/01# AND #2015/12/31 23:59:59#",
         "Syonen, KokCode, CarCode", {10, 12}},
        {CDaoCarSet::tableDef, "Syamei = 3 AND Syonen Between #2015/1/1# AND #2018/12/31#",
         "Syonen, KokCode, CarCode", {10, 11}},
        {CDaoCarSet::tableDef,
         "(Syamei = 3 AND Syasyu Like \"ﾌﾟ*\") AND Syonen Between #2010/01/01# AND #2020/12/31#",
         "Syonen, KokCode, CarCode", {13, 10}},
        {CDaoCarSet::tableDef, "Syatai = \"新規作成中\"", "KokCode, CarCode", {13}},
        // Slip headers and lines.
        {CDaoSyaHeadSet::tableDef, "DenNo = 501", "CarCode, HatuDate", {2}},
        {CDaoSyaHeadSet::tableDef, "CarCode = 10", "CarCode, HatuDate", {2, 1}},
        {CDaoSyaHeadSet::tableDef, "DenKind = 0", "CarCode, HatuDate", {1, 3}},
        {CDaoSyaJnlSet::tableDef, "DenNo = 500", "DenNo, LineNo", {3, 4, 1}},
        // Ledger.
        {CDaoToriJnlSet::tableDef, "KokCode = 2", "KokCode, Date", {4, 5, 3}},
        {CDaoToriJnlSet::tableDef, "ID = 3", "KokCode, Date", {3}},
        {CDaoToriJnlSet::tableDef, "DenFlag = 1 AND DenNo = 100", "KokCode, Date", {1}},
        {CDaoToriJnlSet::tableDef,
         "NyuukoKbnCode = 1 And Date Between #2024/01/01 00:00:00# And #2024/01/31 23:59:59#",
         "NyuukoKbnCode, Date", {1, 2, 5}},
        {CDaoToriJnlSet::tableDef,
         "ToriKbn = 0 And Date Between #2023/12/01 00:00:00# And #2024/01/31 23:59:59#", "Date",
         {4, 1}},
        {CDaoToriJnlSet::tableDef,
         "ToriKbn <> 1 And Date Between #2024/01/01 00:00:00# And #2024/12/31 23:59:59#", "Date",
         {1, 5, 3}},
        {CDaoToriJnlSet::tableDef, "Date Between #2024/01/01 00:00:00# And #2024/01/31 23:59:59#",
         "NyuukoKbnCode, Date", {1, 2, 5}},
        // The others.
        {CDaoZanSet::tableDef, "KokCode = 1", "KokCode", {2}},
        {CDaoZanSet::tableDef, "", "KokCode", {2, 1}},
        {CDaoMeisaiSet::tableDef, "MeisaiCode = 2", "Furi, Meisai, MeisaiCode", {3}},
        {CDaoMeisaiSet::tableDef, "", "Furi, Meisai, MeisaiCode", {2, 4, 1, 3}},
        {CDaoMeisaiSet::tableDef, "Meisai = \"オイル\"", "Furi, Meisai, MeisaiCode", {2, 4}},
        {CDaoMeisaiSetHeadSet::tableDef, "SetCode = 9", "Furi, SetName", {3}},
        {CDaoMeisaiSetHeadSet::tableDef, "SetName <> \"新規作成中\"", "Furi, SetName, SetCode", {1, 3}},
        {CDaoMeisaiSetJnlSet::tableDef, "SetCode = 7", "SetCode, LineNo", {3, 1}},
        {CDaoNyuukoKbnSet::tableDef, "NyuukoKbnCode = 2", "NyuukoKbnCode", {2}},
        {CDaoSyasyuSet::tableDef, "SyameiNo = 2", "Syasyu, ID", {3, 4, 1}},
        {CDaoSyasyuSet::tableDef, "ID = 2", "SyameiNo, Syasyu, ID", {2}},
        {CDaoSyasyuSet::tableDef, "", "SyameiNo, Syasyu, ID", {2, 3, 4, 1}},
        {CDaoJyuSet::tableDef, "ID = 2", "Furi, Jyu, ID", {2}},
        {CDaoJyuSet::tableDef, "", "Furi, Jyu, ID", {2, 1}},
        {CDaoKokNameSet::tableDef, "ID = 1", "KokFuri, KokName, ID", {1}},
        {CDaoKokNameSet::tableDef, "", "KokFuri, KokName, ID", {2, 1}},
        {CDaoSealSet::tableDef, "Maker = \"エーワン\"", "Maker, Hinban", {1, 2}},
        {CDaoSealSet::tableDef, "Hinban = \"28171\"", "Maker, Hinban", {1, 3}},
        {CDaoUriBunReportSet::tableDef, "NyuukoKbn = \"車検\"", "NyuukoKbn, Date", {1, 2}},
        {CDaoUriBunReportSet::tableDef, "Date = #2024/05/01#", "NyuukoKbn, Date", {1, 3}},
        {CDaoUriBunReportSet::tableDef,
         "NyuukoKbn = \"車検\" And Date Between #2024/05/02 00:00:00# And #2024/05/02 23:59:59#",
         "NyuukoKbn, Date", {2}},
    };
    for (const ViewCase& c : cases) {
        EXPECT_EQ(view(c.table(), QString::fromUtf8(c.filter), QString::fromUtf8(c.sort)), c.expected)
            << c.table().name << ": " << c.filter << " / " << c.sort;
    }
}

TEST_F(FilterExpressions, readingsSortInCp932ByteOrder)
{
    // "ｶﾄｳ" < "ｶﾄｳﾀﾛｳ" < "ｶﾄﾞ"; the full-width long vowel mark (0x815B) sorts
    // before full-width katakana, unlike in Unicode.
    t.sql("DELETE FROM f010.Kok");
    t.sql("INSERT INTO f010.Kok (rowid, KokCode, Furi) VALUES (1, 1, 'ｶﾄﾞ'), (2, 2, 'ｶﾄｳﾀﾛｳ'),"
          "(3, 3, 'ｶﾄｳ'), (4, 4, 'アイ'), (5, 5, 'アー'), (6, 6, 'ABC'), (7, 7, 'ｶﾄｳ')");
    EXPECT_EQ(view(CDaoKokSet::tableDef(), {}, QStringLiteral("Furi")),
              (std::vector<qint64>{6, 5, 4, 3, 7, 2, 1}));
    EXPECT_EQ(view(CDaoKokSet::tableDef(), QStringLiteral("Furi > \"アー\""), QStringLiteral("Furi")),
              (std::vector<qint64>{4, 3, 7, 2, 1}));
    EXPECT_EQ(view(CDaoKokSet::tableDef(), {}, QStringLiteral("Furi DESC")),
              (std::vector<qint64>{1, 2, 3, 7, 4, 5, 6}));
}

TEST_F(FilterExpressions, equalSortKeysKeepInsertionOrder)
{
    t.sql("DELETE FROM f010.Kok");
    QByteArray rows;
    for (int i = 1; i <= 40; ++i)
        rows += (i > 1 ? "," : "") + QByteArray("(") + QByteArray::number(i) + ", "
              + QByteArray::number(100 - i) + ", 'ｶﾄｳ')";
    t.sql("INSERT INTO f010.Kok (rowid, KokCode, Furi) VALUES " + rows);
    std::vector<qint64> expected;
    for (int i = 1; i <= 40; ++i)
        expected.push_back(i);
    EXPECT_EQ(view(CDaoKokSet::tableDef(), {}, QStringLiteral("Furi")), expected);
    EXPECT_EQ(view(CDaoKokSet::tableDef(), {}, QString()), expected);
}

TEST_F(FilterExpressions, textLiteralsNeverBecomeSql)
{
    const char* const hostile[] = {
        "'); DROP TABLE Kok; --", "\"; DROP TABLE Kok; --", "x' OR '1'='1", "?", "' || '",
        "]; DELETE FROM Kok; [", "%' --", "\\'; ATTACH DATABASE '/tmp/x' AS y; --"};
    for (const char* text : hostile) {
        QString literal = QString::fromUtf8(text);
        literal.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        for (const QString& filter :
             {QStringLiteral("Furi = \"%1\"").arg(literal), QStringLiteral("Furi Like \"%1\"").arg(literal),
              QStringLiteral("Tel1 = \"%1\" OR Tel2 = \"%1\"").arg(literal)}) {
            // A bracket opens a character list in a pattern: a malformed
            // pattern, tested elsewhere.
            if (filter.contains(u"Like") && literal.contains(u'['))
                continue;
            SqlFragment fragment;
            FilterTranslator translator(CDaoKokSet::tableDef());
            ASSERT_TRUE(translator.translateFilter(filter, fragment))
                << filter.toStdString() << translator.error().description.toStdString();
            EXPECT_FALSE(fragment.sql.contains("DROP")) << fragment.sql.constData();
            EXPECT_FALSE(fragment.sql.contains('\'')) << fragment.sql.constData();
            ASSERT_FALSE(fragment.values.empty());
            EXPECT_EQ(std::get<QString>(fragment.values.front()), QString::fromUtf8(text));
            EXPECT_TRUE(view(CDaoKokSet::tableDef(), filter, QStringLiteral("KokCode")).empty());
        }
    }
    // The table is still there and whole.
    EXPECT_EQ(view(CDaoKokSet::tableDef(), {}, QStringLiteral("KokCode")).size(), 6u);
}

struct MalformedCase {
    const char* expression;
    int code;
};

TEST_F(FilterExpressions, malformedExpressionsAreEngineErrors)
{
    const MalformedCase cases[] = {
        {"OwnerName1 Like \"加藤", error::kSyntax},          // unbalanced quote
        {"Furi = \"ｶﾄｳ", error::kSyntax},
        {"KokCode = 1 AND", error::kSyntax},
        {"KokCode = 1 2", error::kSyntax},                   // trailing garbage
        {"KokCode = 1)", error::kSyntax},
        {"(KokCode = 1", error::kSyntax},
        {"KokCode == 1", error::kSyntax},
        {"KokCode = ", error::kSyntax},
        {"= 1", error::kSyntax},
        {"KokCode", error::kSyntax},
        {"KokCode = 1; DROP TABLE Kok", error::kSyntax},
        {"KokCode = #2024/13/01#", error::kSyntax},          // no such date
        {"KokCode = #2024/02/30#", error::kSyntax},
        {"Burth Between #2024/01/01# AND", error::kSyntax},
        {"Burth Between #2024/01/01 25:00:00# AND #2024/01/02#", error::kSyntax},
        {"KokCode Between 1 OR 2", error::kSyntax},
        {"[KokCode = 1", error::kSyntax},
        {"[] = 1", error::kSyntax},
        {"KokCode = 1x", error::kSyntax},
        {"KokCode Like Furi", error::kSyntax},               // pattern must be a literal
        {"NoSuchColumn = 1", error::kUnknownColumn},
        {"[Kok Code] = 1", error::kUnknownColumn},
        {"CarCode = 1", error::kUnknownColumn},              // a column of another table
        {"Furi = 5", error::kTypeMismatch},
        {"KokCode = \"abc\"", error::kTypeMismatch},
        {"Burth = \"yesterday\"", error::kTypeMismatch},
        {"OwnerName1 Like \"[加藤\"", error::kInvalidPattern},
        {"OwnerName1 Like \"[ﾝ-ｱ]*\"", error::kInvalidPattern},
    };
    for (const MalformedCase& c : cases) {
        kv::test::RowIdSet set(t.connection, CDaoKokSet::tableDef());
        set.SetFilter(QString::fromUtf8(c.expression));
        EXPECT_FALSE(set.Open()) << c.expression;
        EXPECT_EQ(set.lastError().code, c.code) << c.expression;
        EXPECT_FALSE(set.lastError().description.isEmpty());
        // A criteria text fails the same way and moves nothing.
        kv::test::RowIdSet other(t.connection, CDaoKokSet::tableDef());
        ASSERT_TRUE(other.Open());
        EXPECT_FALSE(other.FindFirst(QString::fromUtf8(c.expression))) << c.expression;
        EXPECT_EQ(other.lastError().code, c.code) << c.expression;
        EXPECT_EQ(other.currentRowId(), 1);
    }
    kv::test::RowIdSet set(t.connection, CDaoKokSet::tableDef());
    set.SetFilter(QStringLiteral("Furi = \"ｶﾄｳ"));
    ASSERT_FALSE(set.Open());
    EXPECT_EQ(set.lastError().description, QStringLiteral("クエリ式 'Furi = \"ｶﾄｳ' の構文エラーです。"));
}

TEST_F(FilterExpressions, badSortsAreEngineErrors)
{
    const MalformedCase cases[] = {{"Furi,", error::kSyntax},     {", Furi", error::kSyntax},
                                   {"Furi KokCode", error::kSyntax}, {"Furi; DROP", error::kSyntax},
                                   {"Nothing", error::kUnknownColumn}, {"[Furi", error::kSyntax}};
    for (const MalformedCase& c : cases) {
        kv::test::RowIdSet set(t.connection, CDaoKokSet::tableDef());
        set.SetSort(QString::fromUtf8(c.expression));
        EXPECT_FALSE(set.Open()) << c.expression;
        EXPECT_EQ(set.lastError().code, c.code) << c.expression;
    }
}

} // namespace
