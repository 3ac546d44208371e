// The column table against the tables the rest of the program names, the
// files it creates, and the indexes behind the lookups and orders in use.

#include "EngineTestFolder.h"

#include "data/engine/FilterTranslator.h"
#include "data/tables/DaoRecordsets.h"
#include "data/tables/PostalRecordsets.h"

#include <QFile>

#include <sqlite3.h>

using namespace kv::data;

namespace {

QStringList columnNames(const TableDef& table)
{
    QStringList names;
    for (const ColumnDef& column : table.columns)
        names << QString::fromLatin1(column.name);
    return names;
}

TEST(TablesSchema, everyTableHasItsColumnsInOrder)
{
    struct Expected {
        const TableDef& table;
        const char* file;
        int count;
        const char* first;
        const char* last;
    };
    const Expected expected[] = {
        {CDaoKokSet::tableDef(), "010.mdb", 29, "KokCode", "Hoyu"},
        {CDaoCarSet::tableDef(), "009.mdb", 44, "CarCode", "KouKou"},
        {CDaoSyaHeadSet::tableDef(), "003.mdb", 39, "DenNo", "PrintFlag"},
        {CDaoSyaJnlSet::tableDef(), "002.mdb", 11, "JnlNo", "Photo"},
        {CDaoNyuukoKbnSet::tableDef(), "004.mdb", 3, "NyuukoKbnCode", "NyuukoKind"},
        {CDaoSyasyuSet::tableDef(), "006.mdb", 3, "ID", "Syasyu"},
        {CDaoJyuSet::tableDef(), "007.mdb", 3, "ID", "Furi"},
        {CDaoKokNameSet::tableDef(), "008.mdb", 3, "ID", "KokFuri"},
        {CDaoMeisaiSet::tableDef(), "011.mdb", 5, "MeisaiCode", "Tanka"},
        {CDaoMeisaiSetHeadSet::tableDef(), "012.mdb", 3, "SetCode", "Furi"},
        {CDaoMeisaiSetJnlSet::tableDef(), "012.mdb", 10, "ID", "Koutin"},
        {CDaoToriJnlSet::tableDef(), "013.mdb", 24, "ID", "Tekiyo"},
        {CDaoZanSet::tableDef(), "014.mdb", 2, "KokCode", "KuriZan"},
        {CDaoSealSet::tableDef(), "001.mdb", 11, "ID", "Horizontal"},
        {CDaoUriBunReportSet::tableDef(), "030.mdb", 11, "ID", "Tot"},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.table.name);
        EXPECT_STREQ(e.table.fileName, e.file);
        ASSERT_EQ(int(e.table.columns.size()), e.count);
        EXPECT_STREQ(e.table.columns.front().name, e.first);
        EXPECT_STREQ(e.table.columns.back().name, e.last);
    }
    // Spot checks of order and type in the middle of the long tables.
    const TableDef& kok = CDaoKokSet::tableDef();
    EXPECT_EQ(columnNames(kok).mid(16, 5),
              (QStringList{"Burth", "Shime1", "Shime2", "Shime3", "Shime4"}));
    EXPECT_EQ(kok.columns[16].type, ColumnType::Date);
    const TableDef& car = CDaoCarSet::tableDef();
    EXPECT_EQ(columnNames(car).mid(31, 3), (QStringList{"Syaman", "Yuko", "Homan"}));
    EXPECT_EQ(car.columns[22].name, QLatin1String("Syatai"));
    const TableDef& ledger = CDaoToriJnlSet::tableDef();
    EXPECT_EQ(ledger.columns[0].type, ColumnType::AutoLong);
    EXPECT_EQ(ledger.columns[2].type, ColumnType::Date);
    EXPECT_EQ(CDaoUriBunReportSet::tableDef().columns[4].type, ColumnType::Double);
    EXPECT_EQ(CDaoSyaJnlSet::tableDef().columns[0].type, ColumnType::AutoLong);
    EXPECT_EQ(CDaoNyuukoKbnSet::tableDef().columns[0].type, ColumnType::AutoLong);
    // Members follow the same list.
    EXPECT_EQ(CDaoKokSet::members().size(), kok.columns.size());
    EXPECT_EQ(CDaoCarSet::members().size(), car.columns.size());
    EXPECT_EQ(CDaoPostSet::members().size(), 5u);
}

TEST(TablesSchema, fortySevenPostalTablesInFiveFiles)
{
    const auto& tables = postalTables();
    ASSERT_EQ(tables.size(), 47u);
    QMap<QString, int> perFile;
    QStringList names;
    for (const TableDef* table : tables) {
        ++perFile[QString::fromLatin1(table->fileName)];
        names << QString::fromLatin1(table->name);
        EXPECT_EQ(columnNames(*table), (QStringList{"ID", "Post", "Section1", "Section2", "Section3"}));
    }
    EXPECT_EQ(perFile.value(QStringLiteral("015.mdb")), 8);
    EXPECT_EQ(perFile.value(QStringLiteral("016.mdb")), 8);
    EXPECT_EQ(perFile.value(QStringLiteral("017.mdb")), 14);
    EXPECT_EQ(perFile.value(QStringLiteral("018.mdb")), 9);
    EXPECT_EQ(perFile.value(QStringLiteral("019.mdb")), 8);
    EXPECT_TRUE(names.contains(QStringLiteral("03IWa")));
    EXPECT_STREQ(CDaoPost03IwaSet::tableDef().name, "03IWa");
    EXPECT_STREQ(CDaoPost15NiiSet::tableDef().fileName, "015.mdb");
    EXPECT_STREQ(CDaoPost19YamSet::tableDef().fileName, "016.mdb");
    EXPECT_STREQ(CDaoPost47OkiSet::tableDef().fileName, "019.mdb");
}

TEST(TablesSchema, createsTheFilesOnceAndNeverOverwrites)
{
    kv::test::TempFolder folder;
    ASSERT_TRUE(createDataFolderDatabases(folder.path()));
    QStringList files = QDir(folder.path()).entryList({QStringLiteral("*.mdb")}, QDir::Files, QDir::Name);
    EXPECT_EQ(files, dataFileNames());
    EXPECT_EQ(files.size(), 15);

    // A second creation is refused and leaves the data as it was.
    {
        DataStore store;
        ASSERT_TRUE(store.open(folder.path()));
        ASSERT_TRUE(store.mainConnection().execute("INSERT INTO f010.Kok (KokCode) VALUES (5)"));
    }
    EngineError error;
    EXPECT_FALSE(createDataFolderDatabases(folder.path(), &error));
    EXPECT_EQ(error.code, error::kDatabaseExists);
    DataStore store;
    ASSERT_TRUE(store.open(folder.path()));
    CDaoKokSet set(store.mainConnection());
    ASSERT_TRUE(set.Open());
    EXPECT_EQ(set.m_KokCode, 5);

    // One file present is enough to refuse, and nothing else is created.
    kv::test::TempFolder partial;
    ASSERT_TRUE(partial.write(QStringLiteral("030.mdb"), {}));
    EXPECT_FALSE(createDataFolderDatabases(partial.path(), &error));
    EXPECT_EQ(QDir(partial.path()).entryList(QDir::Files), QStringList{QStringLiteral("030.mdb")});

    kv::test::TempFolder program;
    ASSERT_TRUE(createPostalDatabases(program.path()));
    EXPECT_EQ(QDir(program.path()).entryList({QStringLiteral("*.mdb")}, QDir::Files, QDir::Name),
              postalFileNames());
}

// The plan SQLite chooses for the statement a recordset runs.
QString planOf(Connection& connection, const TableDef& table, const QString& filter,
               const QString& sort)
{
    FilterTranslator translator(table);
    SqlFragment where;
    QByteArray orderBy;
    EXPECT_TRUE(translator.translateFilter(filter, where) && translator.translateSort(sort, orderBy));
    const QString schema = connection.schemaOf(QString::fromLatin1(table.fileName));
    QByteArray sql = "EXPLAIN QUERY PLAN SELECT rowid FROM \"" + schema.toUtf8() + "\"."
                   + FilterTranslator::quotedName(table.name);
    if (!where.isEmpty())
        sql += " WHERE " + where.sql;
    sql += " ORDER BY " + orderBy;
    sqlite3_stmt* statement = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(connection.handle(), sql.constData(), -1, &statement, nullptr), SQLITE_OK)
        << sql.constData();
    bindSqlValues(statement, 1, where.values);
    QString plan;
    while (sqlite3_step(statement) == SQLITE_ROW)
        plan += QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 3))) + u'\n';
    sqlite3_finalize(statement);
    return plan;
}

TEST(TablesSchema, lookupsAndOrdersInUseAreIndexWalks)
{
    kv::test::EngineTestFolder t;
    struct Query {
        const TableDef& table;
        const char* filter;
        const char* sort;
    };
    const Query queries[] = {
        {CDaoKokSet::tableDef(), "KokCode = 5", "KokCode"},
        {CDaoKokSet::tableDef(), "", "KokCode"},
        {CDaoKokSet::tableDef(), "", "Furi, KokCode"},
        {CDaoKokSet::tableDef(), "(Furi >= \"ｶ\" AND Furi <= \"ｶﾝ\") AND UserName1 <> \"新規作成中\"", "Furi, KokCode"},
        {CDaoKokSet::tableDef(), "UserName1 = \"新規作成中\"", "KokCode"},
        {CDaoKokSet::tableDef(), "SyoukaiKokCode = 3", "SyoukaiKokCode, KokCode"},
        {CDaoCarSet::tableDef(), "KokCode = 5", "KokCode, CarCode"},
        {CDaoCarSet::tableDef(), "CarCode = 5", "CarCode"},
        {CDaoCarSet::tableDef(), "Preno = 1234", "Preno, CarCode"},
        {CDaoCarSet::tableDef(), "Syaman Between #2024/03/01# AND #2024/03/31#", "Syaman, KokCode, CarCode"},
        {CDaoCarSet::tableDef(), "Syatai = \"新規作成中\"", "KokCode, CarCode"},
        {CDaoSyaHeadSet::tableDef(), "CarCode = 5", "CarCode, HatuDate"},
        {CDaoSyaHeadSet::tableDef(), "DenNo = 5", "CarCode, HatuDate"},
        {CDaoSyaJnlSet::tableDef(), "DenNo = 5", "DenNo, LineNo"},
        {CDaoToriJnlSet::tableDef(), "KokCode = 5", "KokCode, Date"},
        {CDaoToriJnlSet::tableDef(), "NyuukoKbnCode = 1 And Date Between #2024/01/01# And #2024/01/31#", "NyuukoKbnCode, Date"},
        {CDaoZanSet::tableDef(), "KokCode = 5", "KokCode"},
        {CDaoMeisaiSet::tableDef(), "", "Furi, Meisai, MeisaiCode"},
        {CDaoMeisaiSet::tableDef(), "MeisaiCode = 5", "Furi, Meisai, MeisaiCode"},
        {CDaoMeisaiSetHeadSet::tableDef(), "", "Furi, SetName, SetCode"},
        {CDaoMeisaiSetJnlSet::tableDef(), "SetCode = 5", "SetCode, LineNo"},
        {CDaoSyasyuSet::tableDef(), "SyameiNo = 2", "Syasyu, ID"},
        {CDaoJyuSet::tableDef(), "", "Furi, Jyu, ID"},
        {CDaoKokNameSet::tableDef(), "", "KokFuri, KokName, ID"},
        {CDaoSealSet::tableDef(), "", "Maker, Hinban"},
        {CDaoUriBunReportSet::tableDef(), "", "NyuukoKbn, Date"},
    };
    for (const Query& q : queries) {
        const QString plan = planOf(t.store.connectionFor(q.table), q.table, QString::fromUtf8(q.filter),
                                    QString::fromUtf8(q.sort));
        SCOPED_TRACE(std::string(q.table.name) + ": " + q.filter + " / " + q.sort);
        // Either a seek that yields few rows (sorting them is cheap), or a
        // walk along an index in the wanted order; never a bare table scan.
        for (const QString& line : plan.split(u'\n', Qt::SkipEmptyParts)) {
            if (line.startsWith(u"SCAN")) {
                EXPECT_TRUE(line.contains(u"USING")) << plan.toStdString();
            }
        }
        if (!plan.contains(u"SEARCH")) {
            EXPECT_FALSE(plan.contains(u"TEMP B-TREE")) << plan.toStdString();
        }
    }
}

} // namespace
